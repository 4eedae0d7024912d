#include "VBrowserContainer.h"

#include "VBrowserWindowView.h"

using namespace yaaf;

VBrowserContainer::VBrowserContainer(int32 id) : XGView('bvct', id) {}

void VBrowserContainer::DoResize() {
    if (auto* windowViewP = dynamic_cast<VBrowserWindowView*>(GetParent())) windowViewP->LayOutPanes();
    const tagRECT r = GetLocalBounds();
    for (XGView* child : GetChildren())
        child->SetBounds(r);
}
