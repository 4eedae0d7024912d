#include "XGDocData.h"


namespace yaaf {

YAAF_DISPATCH_BEGIN(XGDocData)
YAAF_DISPATCH_END(XGDocData, XGDispatch)

XGDocData::XGDocData() {
    gSend.AddReceiver(this);
}

// Leaving gSend happens in XGDispatch's destructor, before anything else could send to it.
XGDocData::~XGDocData() {
    gSend.RemoveReceiver(this);
}

XGDispatch* XGDocData::GetParentDispatch() const {
    return gAppDispatch;
}

} // namespace yaaf
