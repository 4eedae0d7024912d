#include "VornBoardWindows.h"

#include "XGDocForm.h"
#include "XGWindow.h"

using namespace yaaf;

VornBoardWindowOps& VornBoardWindows() {
    static VornBoardWindowOps s_ops;
    return s_ops;
}

// Only the window's inline accessors are used here: the window code itself is reached through
// the operations.
bool VornWindow_FormIsOpen(const XGDocForm* formP) {
    const VornBoardWindowOps& ops = VornBoardWindows();
    if (!formP || !ops.windows) return false;
    for (XGWindow* windowP : ops.windows())
        if (windowP->GetForm() == static_cast<const XGForm*>(formP)) return true;
    return false;
}

tagRECT VornWindow_GetBounds(XGWindow* windowP) {
    const VornBoardWindowOps& ops = VornBoardWindows();
    return windowP && ops.getBounds ? ops.getBounds(windowP) : tagRECT{};
}

void VornWindow_SetBounds(XGWindow* windowP, const tagRECT& bounds) {
    const VornBoardWindowOps& ops = VornBoardWindows();
    if (windowP && ops.setBounds) ops.setBounds(windowP, bounds);
}

void VornWindow_Show(XGWindow* windowP, VornWindowShow how) {
    const VornBoardWindowOps& ops = VornBoardWindows();
    if (windowP && ops.show) ops.show(windowP, how);
}
