#include "CDocumentKinds.h"

CDocumentKinds& GetDocumentKinds() {
    static CDocumentKinds s_kinds;
    return s_kinds;
}
