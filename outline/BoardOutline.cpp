#define OUTLINE_UNIT "VBrowserWindowView"
#include "BoardOutline.h"

#include "CDo.h"
#include "CItemArray.h"
#include "COutlineController.h"
#include "COutlineModel.h"
#include "CTopicList_Vorn.h"
#include "CTopic_Kind.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "OutlineAssert.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VBrowserWindowView.h"
#include "VOutline.h"
#include "VOutlineBrowser.h"
#include "VornWindowInit.h"
#include "XGScrollView.h"
#include "XGViewFactory.h"
#include "XGWindow.h"

#include <memory>

using namespace yaaf;

namespace {

// The view id of the holder of a board window's outline (not shown).
constexpr int32 kBoardOutlineHolderID = 90;

// Keeps the outline of a board window: its document link and its board topic list with the
// topics. A child of the browser window view, so it goes with the window.
class BoardOutlineHolder : public XGView, public COutlineDocLink {
public:
    BoardOutlineHolder() : XGView('bohd', kBoardOutlineHolderID) {}
    ~BoardOutlineHolder() override { Clear(); }

    CTopicList* Rebuild(TVornModel* boardP) {
        Clear();
        i_listP = std::make_unique<CTopicList_Vorn>(this, nullptr);
        BoardOutline_FillList(boardP, i_listP.get());
        return i_listP.get();
    }
    void Clear() {
        if (!i_listP) return;
        i_listP->Iterate(TOPIC_Iter_DELETE, nullptr, true);
        i_listP.reset();
    }

private:
    std::unique_ptr<CTopicList_Vorn> i_listP;
};

TVornController* BoardFormOf(VBrowserWindowView* bwP) {
    XGWindow* windowP = bwP ? bwP->GetWindow() : nullptr;
    return windowP ? dynamic_cast<TVornController*>(windowP->GetForm()) : nullptr;
}

bool IsOutlineMode(O_ViewAsType viewAs) {
    return viewAs == O_ViewAs_ICONS || viewAs == O_ViewAs_LIST || viewAs == O_ViewAs_HEIR_COL ||
           viewAs == O_ViewAs_ZOOM;
}

} // namespace

void BoardOutline_FillList(TVornModel* boardP, CTopicList* listP) {
    if (!boardP || !boardP->i_list || !listP) return;
    CItemArray* itemsP = boardP->i_list;
    for (int32 i = 0, n = itemsP->Count(); i < n; ++i) {
        CVornItem* itemP = itemsP->GetIndItem(i);
        if (!itemP) continue;
        std::string title = itemP->GetName(Vorn_Ref_SRC);
        // A line break of a flat-column board has no title of its own to show.
        if (title == "\r") title = "\xC2\xB6";
        auto* topicP = new CTopic_Kind(title.c_str(), listP, 'docs');
        topicP->SetLocked(itemP->IsLocked());
        topicP->SetHidden(itemP->IsHidden());
        listP->Insert(topicP, -1, true);
    }
    listP->UpdateIndices();
}

bool BoardOutline_ShowAsOutline(XGDocForm* formP, O_ViewAsType viewAs) {
    auto* controllerP = dynamic_cast<TVornController*>(formP);
    if (!controllerP || !IsOutlineMode(viewAs) || !controllerP->GetModel()) return false;
    XGWindow* windowP = controllerP->GetWindow();
    XGView* contentP = windowP ? windowP->GetContentView() : nullptr;
    auto* bwP =
        contentP ? dynamic_cast<VBrowserWindowView*>(contentP->FindView(kBrowserViewID_Root)) : nullptr;
    OUTLINE_ASSERT_TEXT(bwP, "bwvP");
    if (!bwP) return false;
    VOutlineBrowser browser(bwP);
    // Already an outline: only the mode changes.
    if (browser.GetVOutline()) return browser.SetViewAs(viewAs);
    if (CVornViewLink* viewP = controllerP->i_viewP) {
        viewP->EndInPlaceEdit();
        viewP->StoreWindowModel();
        // The window's tasks name the board view, which goes now.
        viewP->SetStacks(false);
        if (gDo) gDo->DisposeActiveStacks();
    }
    auto* holderP = dynamic_cast<BoardOutlineHolder*>(bwP->FindView(kBoardOutlineHolderID));
    if (!holderP) {
        holderP = new BoardOutlineHolder();
        bwP->AddChild(holderP);
        holderP->Hide();
    }
    CTopicList* listP = holderP->Rebuild(controllerP->GetModel());
    bwP->SetViewAs(viewAs);
    VOutline* voP = browser.MakeContent(listP, holderP);
    OUTLINE_ASSERT_TEXT(voP, "voP");
    if (!voP) return false;
    windowP->SetFocusView(voP);
    voP->SetStacks(false);
    return true;
}

bool BoardOutline_IsBoardWindow(VBrowserWindowView* bwP) {
    return BoardFormOf(bwP) != nullptr;
}

bool BoardOutline_ShowBoard(VBrowserWindowView* bwP, O_ViewAsType viewAs) {
    TVornController* controllerP = BoardFormOf(bwP);
    TVornModel* boardP = controllerP ? controllerP->GetModel() : nullptr;
    if (!boardP || (viewAs != O_ViewAs_FREEFORM && viewAs != O_ViewAs_FLAT_COL)) return false;
    XGView* paneP = bwP->GetContentPane();
    XGView* boardViewP = XGViewFactory::Create('Vorn');
    if (!paneP || !boardViewP) {
        delete boardViewP;
        return false;
    }
    // The outline views go with their tasks; what they showed is the holder's to delete.
    if (gDo) {
        DoStacksContainer* stacksP = bwP->GetStacks();
        if (gDo->GetActiveStacks() == stacksP) gDo->DisposeActiveStacks();
    }
    const std::vector<XGView*> old = paneP->GetChildren();
    for (XGView* v : old)
        delete v;
    boardViewP->SetID(kVornViewID_Board);
    auto* scrollP = new XGScrollView(paneP, kVornViewID_Scroll);
    scrollP->SetContentView(boardViewP);
    bwP->SetViewAs(boardP->i_prefs.view_as);
    bwP->LayOutPanes();
    bwP->Relayout();
    if (auto* holderP = dynamic_cast<BoardOutlineHolder*>(bwP->FindView(kBoardOutlineHolderID)))
        holderP->Clear();
    if (!controllerP->DoDocumentInitialize()) return false;
    // The window stays in front: the board takes the keys now, not when it comes forward.
    if (CVornViewLink* viewP = controllerP->i_viewP)
        if (XGView* linkP = viewP->GetLinkView()) linkP->SetFocus();
    if (boardP->i_prefs.view_as != viewAs)
        if (CVornViewLink* viewP = controllerP->i_viewP) viewP->DoViewCommand(int32(viewAs) + 2);
    return true;
}

XGWindow* BoardOutline_ConvertToOutlineWindow(XGDocForm* formP) {
    auto* controllerP = dynamic_cast<TVornController*>(formP);
    TVornModel* boardP = controllerP ? controllerP->GetModel() : nullptr;
    if (!boardP) return nullptr;
    XGDocForm* outFormP = nullptr;
    XGWindow* windowP = InitWindow_Vorn(Vorn_WindowInit_NEW_NEW_VORN, nullptr, &outFormP);
    auto* outlineFormP = dynamic_cast<COutlineController*>(outFormP);
    COutlineModel* oP = outlineFormP ? outlineFormP->GetModel() : nullptr;
    if (!windowP || !oP) return windowP;
    VBrowserWindowView* bwvP = outlineFormP->GetBrowserView();
    OUTLINE_ASSERT_DLG(bwvP);
    VOutline* voP = outlineFormP->GetOutlineView();
    OUTLINE_ASSERT_DLG(voP);
    if (!bwvP || !voP) return windowP;
    auto* vornListP = dynamic_cast<CTopicList_Vorn*>(oP->i_listP);
    if (!vornListP) {
        CTopicList* old_listP = voP->i_listP;
        OUTLINE_ASSERT_DLG(old_listP);
        OUTLINE_ASSERT_DLG(old_listP == oP->i_listP);
        vornListP = new CTopicList_Vorn(oP, nullptr);
        // The view lets go of the old list before it is deleted.
        voP->SetTopicList(nullptr);
        oP->SetRootList(vornListP);
        voP->SetTopicList(vornListP);
    }
    BoardOutline_FillList(boardP, vornListP);
    voP->SetTopicList(vornListP);
    windowP->SetName(boardP->GetDocumentName() + " (Outline)");
    windowP->Select();
    return windowP;
}
