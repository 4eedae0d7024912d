#include "XGForm.h"


namespace yaaf {

YAAF_DISPATCH_BEGIN(XGForm)
YAAF_DISPATCH_END(XGForm, XGDispatch)

XGDispatch* XGForm::GetParentDispatch() const {
    return gAppDispatch;
}

} // namespace yaaf
