#define OUTLINE_UNIT "VBrowserWindowView"
#include "VOutlineBrowser.h"

#include "BoardOutline.h"

#include "CTopicList.h"
#include "OutlineAssert.h"
#include "VBrowser.h"
#include "VBrowserWindowView.h"
#include "VColContainer.h"
#include "VColHeader.h"
#include "VOutline.h"
#include "XGGeometry.h"
#include "XGToolbarView.h"

#include <functional>
#include <vector>

using namespace yaaf;

namespace {

// The first outline view of a view tree, depth first.
VOutline* FirstOutline(XGView* viewP) {
    if (!viewP) return nullptr;
    if (auto* outlP = dynamic_cast<VOutline*>(viewP)) return outlP;
    for (XGView* child : viewP->GetChildren())
        if (VOutline* found = FirstOutline(child)) return found;
    return nullptr;
}

} // namespace

VBrowserWindowView* VOutlineBrowser::FindBrowserView(const XGView* viewP) {
    for (const XGView* v = viewP; v; v = v->GetParent())
        if (auto* bwP = dynamic_cast<VBrowserWindowView*>(const_cast<XGView*>(v))) return bwP;
    return nullptr;
}

int16 VOutlineBrowser::LayoutFor(O_ViewAsType viewAs) {
    switch (viewAs) {
    case O_ViewAs_ICONS:
    case O_ViewAs_ZOOM:
    case O_ViewAs_FREEFORM_NEW:
    case O_ViewAs_FLAT_COL_NEW:
        return 142;
    case O_ViewAs_LIST:
        return 138;
    case O_ViewAs_HEIR_COL:
        return 140;
    case O_ViewAs_FREEFORM:
    case O_ViewAs_FLAT_COL:
        return 137;
    default:
        return 0;
    }
}

VOutline* VOutlineBrowser::GetVOutline() const {
    return i_bwP ? FirstOutline(i_bwP->GetContentPane()) : nullptr;
}

VOutline* VOutlineBrowser::MakeContent(CTopicList* listP, COutlineDocLink* outlineP) {
    if (!i_bwP) return nullptr;
    return BuildLayout(i_bwP->GetViewAs(), listP, outlineP);
}

bool VOutlineBrowser::SetViewAs(O_ViewAsType newViewAs) {
    if (!i_bwP) return false;
    const int16 layout = LayoutFor(newViewAs);
    if (layout == 0) return false;
    // Only a board's window shows a board again.
    if (layout == 137) return BoardOutline_ShowBoard(i_bwP, newViewAs);
    VOutline* curP = GetVOutline();
    if (curP && LayoutFor(i_bwP->GetViewAs()) == layout) {
        // The same layout serves the new mode: the view stays.
        i_bwP->SetViewAs(newViewAs);
        curP->SetTopicList(curP->i_listP);
        curP->InvalView();
        return true;
    }
    COutlineDocLink* outlineP = curP ? curP->GetOutline() : nullptr;
    CTopicList* listP = curP ? curP->i_listP : nullptr;
    i_bwP->SetViewAs(newViewAs);
    return BuildLayout(newViewAs, listP, outlineP) != nullptr;
}

VOutline* VOutlineBrowser::BuildLayout(O_ViewAsType viewAs, CTopicList* listP, COutlineDocLink* outlineP) {
    XGView* paneP = i_bwP->GetContentPane();
    if (!paneP) return nullptr;
    // The toolbar must not send to a view that is going.
    if (XGToolbarView* toolbarP = i_bwP->GetToolbar()) toolbarP->SetStatusTarget(nullptr);
    const std::vector<XGView*> old = paneP->GetChildren();
    for (XGView* v : old)
        delete v;

    auto* browP = new VBrowser(10);
    paneP->AddChild(browP);
    VOutline* outlP = nullptr;
    const int16 layout = LayoutFor(viewAs);
    if (layout == 138) {
        browP->AddChild(new VColHeader(11));
        auto* scrollP = new XGScrollView(browP, 12);
        scrollP->SetBarPolicy(kXGScrollBar_AsNeeded, kXGScrollBar_AsNeeded);
        outlP = new VOutline(13);
        scrollP->SetContentView(outlP);
    } else if (layout == 140) {
        auto* scrollP = new XGScrollView(browP, 11);
        scrollP->SetBarPolicy(kXGScrollBar_AsNeeded, kXGScrollBar_Never);
        auto* contP = new VColContainer(12);
        scrollP->SetContentView(contP);
    } else {
        auto* scrollP = new XGScrollView(browP, 11);
        scrollP->SetBarPolicy(kXGScrollBar_AsNeeded, kXGScrollBar_AsNeeded);
        outlP = new VOutline(12);
        scrollP->SetContentView(outlP);
    }
    i_bwP->LayOutPanes();
    i_bwP->Relayout();
    if (layout == 140) {
        VColContainer* contP = GetColContainer();
        OUTLINE_ASSERT_TEXT(contP, "viewP");
        if (!contP) return nullptr;
        XGView* colP = contP->AddColumn(listP, outlineP, VColContainer::kColumnWidth);
        outlP = VColContainer::OutlineOf(colP);
        contP->SetColPositions();
        if (outlP) outlP->SetSubView(nullptr);
        contP->RecalcScroll();
    } else if (outlP) {
        outlP->SetOutline(outlineP);
        outlP->SetTopicList(listP);
    }
    OUTLINE_ASSERT_TEXT(outlP, "viewP");
    if (!outlP) return nullptr;
    outlP->SetFocus();
    XGToolbarView* toolbarP = i_bwP->GetToolbar();
    OUTLINE_ASSERT_TEXT(toolbarP, "toolbarP");
    if (toolbarP) toolbarP->SetStatusTarget(outlP);
    return outlP;
}

VColContainer* VOutlineBrowser::GetColContainer() const {
    if (!i_bwP || i_bwP->GetViewAs() != O_ViewAs_HEIR_COL) return nullptr;
    XGView* paneP = i_bwP->GetContentPane();
    return paneP ? dynamic_cast<VColContainer*>(paneP->FindView(12)) : nullptr;
}

XGScrollView* VOutlineBrowser::GetColScrollView() const {
    XGView* paneP = i_bwP ? i_bwP->GetContentPane() : nullptr;
    return paneP ? dynamic_cast<XGScrollView*>(paneP->FindView(11)) : nullptr;
}

int32 VOutlineBrowser::IterateColumns(V_IterColType iterType, V_IterCol_CountRec* recP) const {
    VColContainer* contP = GetColContainer();
    if (!contP || !recP) return 0;
    recP->colContainerP = contP;
    if (iterType == V_IterCol_SET_POSITION) {
        const XGScrollView* svP = contP->GetScrollView();
        recP->xL = svP ? -svP->GetXScroll() * svP->GetScrollUnit() : 0;
        recP->extentsR.bottom = contP->GetHeight();
    }
    const std::vector<VOutline*> cols = contP->GetColumns();
    int32 result = 0;
    for (size_t i = 0; i < cols.size(); ++i) {
        recP->colP = cols[i]->GetColumnView();
        result = cols[i]->CB_Column(iterType, int32(i), recP);
        if (result == int32(kTopicIterStop)) break;
    }
    return result;
}

VOutline* VOutlineBrowser::GetPrevColView(VOutline* findP) const {
    V_IterCol_CountRec rec;
    rec.curP = findP;
    IterateColumns(V_IterCol_GET_PREV_COL, &rec);
    return rec.findP;
}

tagRECT VOutlineBrowser::GetScrollExtents() const {
    if (VColContainer* contP = GetColContainer()) return contP->GetExtents();
    VOutline* outlP = GetVOutline();
    return outlP ? outlP->GetScrollExtents() : tagRECT{};
}
