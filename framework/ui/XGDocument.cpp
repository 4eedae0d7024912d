#include "XGDocument.h"

namespace yaaf {

YAAF_DISPATCH_BEGIN(XGDocument)
YAAF_DISPATCH_ENTRY('menu', XGDocument, HandleMenu)
YAAF_DISPATCH_ENTRY('stat', XGDocument, HandleStatus)
YAAF_DISPATCH_END(XGDocument, XGDocData)

int32 XGDocument::sUntitledCounter = 0;

XGDocument::XGDocument() : fUntitledNumber(++sUntitledCounter) {}

XGDocument::~XGDocument() = default;

void XGDocument::RewindUntitledCounter() {
    if (sUntitledCounter > 0) --sUntitledCounter;
}

std::string XGDocument::GetDocumentName() const {
    if (HasFile()) return fFile.GetName();
    if (fUntitledNumber <= 1) return "untitled";
    return "untitled " + std::to_string(fUntitledNumber);
}

} // namespace yaaf
