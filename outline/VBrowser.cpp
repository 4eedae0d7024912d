#include "VBrowser.h"

#include "VColHeader.h"

#include <algorithm>

using namespace yaaf;

namespace {

// A header along the top, everything else under it.
void LayOutUnderHeader(XGView* viewP) {
    const int32 w = viewP->GetWidth();
    const int32 h = viewP->GetHeight();
    bool hasHeader = false;
    for (XGView* child : viewP->GetChildren())
        hasHeader = hasHeader || dynamic_cast<VColHeader*>(child) != nullptr;
    const int32 top = hasHeader ? std::min(h, VColHeader::kHeight) : 0;
    for (XGView* child : viewP->GetChildren()) {
        if (dynamic_cast<VColHeader*>(child))
            child->SetBounds(tagRECT{0, 0, w, top});
        else
            child->SetBounds(tagRECT{0, top, w, h});
    }
}

} // namespace

VBrowser::VBrowser(int32 id) : XGView('brow', id) {}

void VBrowser::DoResize() {
    LayOutUnderHeader(this);
}

VColumnView::VColumnView(int32 id) : XGView('view', id) {}

void VColumnView::DoResize() {
    LayOutUnderHeader(this);
}
