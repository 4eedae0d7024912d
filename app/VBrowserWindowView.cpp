#include "VBrowserWindowView.h"

#include "VBrowserContainer.h"
#include "VFooterBar.h"
#include "VInfoBar.h"
#include "VPathBar.h"
#include "XGToolbarView.h"
#include "XGWindow.h"

#include <algorithm>

using namespace yaaf;

VBrowserWindowView::VBrowserWindowView(int32 id) : XGView('brwv', id) {}

VBrowserWindowView::~VBrowserWindowView() = default;

void VBrowserWindowView::MakePanes(int16 toolbarResID) {
    auto* toolbarPaneP = new XGView(this, 'view', kBrowserViewID_ToolbarPane);
    auto* toolbarP = new XGToolbarView(kBrowserViewID_Toolbar);
    toolbarPaneP->AddChild(toolbarP);
    toolbarP->Load(toolbarResID);
    toolbarPaneP->AddChild(new VInfoBar(kBrowserViewID_InfoBar));
    toolbarPaneP->AddChild(new VPathBar(kBrowserViewID_PathBar));
    AddChild(new VBrowserContainer(kBrowserViewID_Content));
    AddChild(new VFooterBar(kBrowserViewID_Footer));
    LayOutPanes();
}

XGView* VBrowserWindowView::GetContentPane() {
    return FindView(kBrowserViewID_Content);
}

XGToolbarView* VBrowserWindowView::GetToolbar() {
    return dynamic_cast<XGToolbarView*>(FindView(kBrowserViewID_Toolbar));
}

VInfoBar* VBrowserWindowView::GetInfoBar() {
    return dynamic_cast<VInfoBar*>(FindView(kBrowserViewID_InfoBar));
}

VPathBar* VBrowserWindowView::GetPathBar() {
    return dynamic_cast<VPathBar*>(FindView(kBrowserViewID_PathBar));
}

VFooterBar* VBrowserWindowView::GetFooterBar() {
    return dynamic_cast<VFooterBar*>(FindView(kBrowserViewID_Footer));
}

VBrowserWindowView* VBrowserWindowView::FromView(const XGView* viewP) {
    XGWindow* windowP = viewP ? viewP->GetWindow() : nullptr;
    XGView* contentP = windowP ? windowP->GetContentView() : nullptr;
    return contentP ? dynamic_cast<VBrowserWindowView*>(contentP->FindView(kBrowserViewID_Root)) : nullptr;
}

bool VBrowserWindowView::IsPaneShown(int32 viewID) {
    XGView* paneP = FindView(viewID);
    return paneP && paneP->IsShown();
}

void VBrowserWindowView::ShowViewPane(bool showB, int32 viewID) {
    XGView* paneP = FindView(viewID);
    if (!paneP || paneP == this || paneP->IsShown() == showB) return;
    if (showB)
        paneP->Show();
    else
        paneP->Hide();
    LayOutPanes();
}

void VBrowserWindowView::DoResize() {
    LayOutPanes();
}

void VBrowserWindowView::LayOutPanes() {
    // Placing a pane resizes it, and the content pane asks back for this layout.
    if (i_layingOutB) return;
    i_layingOutB = true;
    const int32 w = GetWidth();
    const int32 h = GetHeight();
    int32 top = 0;
    int32 bottom = h;
    if (XGView* paneP = FindView(kBrowserViewID_ToolbarPane); paneP && paneP->GetParent() == this) {
        const int32 paneH = kToolbarHeight + kBarHeight;
        paneP->SetBounds(tagRECT{0, 0, w, paneH});
        if (XGView* barP = paneP->FindView(kBrowserViewID_Toolbar))
            barP->SetBounds(tagRECT{0, 0, w, kToolbarHeight});
        // The information bar takes what its texts need, the path bar the rest.
        const int32 infoW = std::min<int32>(w / 2, 280);
        if (XGView* barP = paneP->FindView(kBrowserViewID_InfoBar))
            barP->SetBounds(tagRECT{0, kToolbarHeight, infoW, paneH});
        if (XGView* barP = paneP->FindView(kBrowserViewID_PathBar))
            barP->SetBounds(tagRECT{infoW, kToolbarHeight, w, paneH});
        if (paneP->IsShown()) top = paneH;
    }
    if (XGView* footerP = FindView(kBrowserViewID_Footer); footerP && footerP->GetParent() == this) {
        footerP->SetBounds(tagRECT{0, h - kBarHeight, w, h});
        if (footerP->IsShown()) bottom = h - kBarHeight;
    }
    if (XGView* contentP = FindView(kBrowserViewID_Content); contentP && contentP->GetParent() == this) {
        contentP->SetBounds(tagRECT{0, top, w, std::max(top, bottom)});
        const tagRECT inner = contentP->GetLocalBounds();
        for (XGView* child : contentP->GetChildren())
            child->SetBounds(inner);
    }
    i_layingOutB = false;
}
