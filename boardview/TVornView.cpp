#define VORN_UNIT "TVornView.cpp"
// The board view: its place in the window, the board it shows, drawing through the offscreen
// buffer, scrolling, the periodic tick and the window's events.
#include "TVornView.h"

#include "CDo.h"
#include "CDoStacksOwner.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornList.h"
#include "CVornPrefs.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VBrowserWindowView.h"
#include "VFooterBar.h"
#include "VInfoBar.h"
#include "VornBoardAssert.h"
#include "VornBoardTask.h"
#include "VornScanner.h"
#include "XGDraw.h"
#include "XGGeometry.h"
#include "XGInlineEdit.h"
#include "XGMenuBar.h"
#include "XGRegion.h"
#include "XGViewFactory.h"
#include "XGWindow.h"

#include <algorithm>
#include <cstdint>

using namespace yaaf;

YAAF_DISPATCH_BEGIN(TVornView)
YAAF_DISPATCH_ENTRY('peri', TVornView, HandlePeriodic)
YAAF_DISPATCH_ENTRY('keye', TVornView, HandleKey)
YAAF_DISPATCH_ENTRY('keym', TVornView, HandleSystemKey)
YAAF_DISPATCH_ENTRY('Prst', TVornView, HandleStatusPre)
YAAF_DISPATCH_ENTRY('stat', TVornView, HandleStatus)
YAAF_DISPATCH_ENTRY('Post', TVornView, HandleStatusPost)
YAAF_DISPATCH_ENTRY('menu', TVornView, HandleMenu)
YAAF_DISPATCH_ENTRY('icls', TVornView, HandleInlineClose)
YAAF_DISPATCH_END(TVornView, XGView)

namespace {

// A scroll unit of a board is 10 pixels.
constexpr int32 kScrollUnit = 10;

int32 ClampToInt32(int64_t v) {
    return int32(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

TVornView::TVornView()
    : XGView('Vorn', kVornViewID_Board), i_context_menuP(std::make_unique<XGContextMenu>(145, 150)) {
    SetFocusable(true);
    SetTrackMouseMoves(true);
    SetDropper(this);
    SetAccessibleName("Board");
    i_offsP = std::make_unique<COffscreen>(nullptr, 32, &CB_S_Offs, this);
    i_self_contextP = i_offsP->GetSelfContext();
}

TVornView::~TVornView() {
    if (i_scannerP) i_scannerP->i_changedProc = nullptr;
    ReleaseModel();
    // A board that outlives its view must not reach it.
    if (i_controllerP && i_controllerP->i_viewP == this) i_controllerP->i_viewP = nullptr;
    i_controllerP = nullptr;
    i_modelP = nullptr;
    SetDropper(nullptr);
}

void TVornView::Register() {
    XGViewFactory::Register<TVornView>('Vorn');
}

TVornView* TVornView::FromModel(TVornModel* modelP) {
    return modelP ? dynamic_cast<TVornView*>(modelP->GetView()) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// The board

void TVornView::AttachModel(TVornModel* modelP, TVornController* controllerP) {
    if (!modelP) ReleaseModel();
    i_modelP = modelP;
    i_controllerP = controllerP;
    if (i_modelP) {
        i_sel_changedB = true;
        RecalcScroll();
        InvalView();
    }
}

// What the view holds of a board that goes: a gesture, an editor, a kept selection. Nothing
// here makes a task: the board and its stacks may be going too.
void TVornView::ReleaseModel() {
    ClearTrack();
    // The scanner holds items of the board.
    if (i_scannerP) {
        StopScanning();
        i_scannerP->Build(nullptr);
    }
    if (i_renameTE) {
        XGInlineEdit* editP = i_renameTE;
        i_renameTE = nullptr;
        delete editP;
    }
    if (i_new_itemB && i_renameItemP && i_renameItemP->i_vornP) i_renameItemP->DeleteFromList(true);
    i_new_itemB = false;
    i_renameItemP = nullptr;
    delete i_new_item_prev_selP;
    i_new_item_prev_selP = nullptr;
    delete i_selectionP;
    i_selectionP = nullptr;
    i_recentItemP = nullptr;
    i_dragReceiverP.reset();
}

void TVornView::DocChanged(bool invalB) {
    i_autosave_failedB = false;
    if (i_controllerP)
        i_controllerP->DoDocumentChanged();
    else if (i_modelP)
        i_modelP->DocumentChanged();
    RecalcScroll();
    if (invalB) InvalView();
}

int32 TVornView::CountSelected() {
    if (!i_modelP) return 0;
    int32 n = 0;
    CVornItem* const* itemsP = i_modelP->i_list->Items();
    for (int32 i = 0, count = i_modelP->i_list->Count(); i < count; ++i)
        n += itemsP[i]->i_b.selectedB() ? 1 : 0;
    return n;
}

// ---------------------------------------------------------------------------------------------
// Undo stacks and tasks

DoStacksOwner* TVornView::FindStacksOwner() const {
    for (XGView* v = GetParent(); v; v = v->GetParent())
        if (v->GetID() == kBrowserViewID_Root)
            if (auto* ownerP = dynamic_cast<DoStacksOwner*>(v)) return ownerP;
    if (XGWindow* windowP = GetWindow())
        if (XGView* contentP = windowP->GetContentView())
            if (auto* ownerP = dynamic_cast<DoStacksOwner*>(contentP->FindView(kBrowserViewID_Root)))
                return ownerP;
    return nullptr;
}

DoStacksContainer* TVornView::GetStacks() {
    if (DoStacksOwner* ownerP = FindStacksOwner()) return &ownerP->i_do_stacks;
    // A view outside a board window (a test, a window without its root view) keeps its own.
    if (!i_ownStacksP) i_ownStacksP = std::make_unique<DoStacksOwner>();
    return &i_ownStacksP->i_do_stacks;
}

void TVornView::SetStacks(bool clear) {
    if (gDo) gDo->SetActiveStacks(clear ? nullptr : GetStacks());
}

void TVornView::DoActivate(bool active) {
    SetStacks(!active);
}

void TVornView::DoGainFocus() {
    DoActivate(true);
}

void TVornView::DoLoseFocus() {
    // The focus goes to another view; a gesture cannot go on without it. The editor of this
    // view takes the focus while the window stays active: the stacks stay.
    FinishTracking();
    if (i_renameTE || i_renameItemP) return;
    if (gDo && gDo->GetActiveStacks() == GetStacks()) gDo->SetActiveStacks(nullptr);
}

int32 TVornView::CB_S_DoCommandProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP) {
    return BoardTask_CB_S_DoCommandProc(prev_taskP0, taskP, collapseBP);
}

void TVornView::CB_S_DisposeCommandProc(CDoTask* taskP) {
    BoardTask_CB_S_DisposeCommandProc(taskP);
}

int32 TVornView::CB_DoCommandProc(CDoTask* prev_taskP0, DoVornCommandDataRec* dataP, bool* collapseBP) {
    return BoardTask_CB_DoCommandProc(prev_taskP0, dataP, collapseBP);
}

void TVornView::CB_DisposeCommandProc(DoVornCommandDataRec* dataP) {
    BoardTask_CB_DisposeCommandProc(dataP);
}

bool TVornView::AddItemCmd(CVornItem* itemP, const char* doStrZ, CItemArray* prev_selP) {
    return BoardTask_AddItemCmd(this, itemP, doStrZ, prev_selP);
}

bool TVornView::AddWordCmd(const char* wordZ, const char* doStrZ, CItemArray* prev_selP) {
    return BoardTask_AddWordCmd(this, wordZ, doStrZ, prev_selP);
}

void TVornView::AddItemCmd(CVornItem* itemP, const char* undoNameZ) {
    AddItemCmd(itemP, undoNameZ, nullptr);
}

void TVornView::AddWordCmd(const char* wordZ, const char* undoNameZ) {
    AddWordCmd(wordZ, undoNameZ, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TVornView::CB_S_Offs(OffscreenCBType cbType, void* cbData, void* refcon) {
    auto* self = static_cast<TVornView*>(refcon);
    // The buffer is copied in the view's own paint pass, in view coordinates.
    if (!Offscreen_AnswerViewRequest(cbType, cbData, self->GetLocalBounds()) && cbType == OffscreenCB_CAUSE_UPDATE)
        self->InvalView();
}

tagRECT TVornView::GetContentRect() const {
    return GetLocalBounds();
}

void* TVornView::GetDrawContext() {
    // Pictures and measuring use the buffer's context; it changes when the buffer is made again.
    i_self_contextP = i_offsP ? i_offsP->GetSelfContext() : nullptr;
    return i_self_contextP;
}

int16 TVornView::GetLastColIndex() const {
    return i_modelP ? std::clamp<int16>(i_modelP->i_columnS, 0, kVornMaxColumns - 1) : 0;
}

void TVornView::InvalView() {
    i_pendingR = GetLocalBounds();
    XGView::InvalView();
}

void TVornView::InvalRect(const tagRECT& r) {
    tagRECT sect;
    if (!SectRect(r, GetLocalBounds(), sect)) return;
    UnionRect(i_pendingR, sect, i_pendingR);
    XGView::InvalRect(sect);
}

void TVornView::FlushRect(const tagRECT& r) {
    // Copies the buffer again without drawing it anew.
    tagRECT sect;
    if (SectRect(r, GetLocalBounds(), sect)) XGView::InvalRect(sect);
}

void TVornView::DrawVornModel() {
    InvalView();
}

void TVornView::DoDrawView(const tagRECT& rect) {
    XGDraw* ctxP = static_cast<XGDraw*>(GetDrawContext());
    if (!ctxP) return;
    UpdateScrollInfo();
    if (!SectRect(rect, GetLocalBounds(), i_drawR)) return;
    // Items set clips of their own: none of them may reach past the area drawn, or the buffer
    // would show them over items that are not drawn again.
    ctxP->SetBaseClip(i_drawR);
    ctxP->EraseRect(i_drawR);
    if (i_modelP) i_modelP->Draw(ctxP, &i_drawR, Vorn_Mode_NONE);
    ctxP->ClearBaseClip();
    i_drawR = tagRECT{};
}

void TVornView::DoDraw(XGDraw& draw, const tagRECT& updateRect) {
    tagRECT r;
    if (!SectRect(updateRect, GetLocalBounds(), r)) return;
    i_view_contextP = &draw;
    if (i_offsP && i_offsP->Use()) {
        if (i_offsP->IsInvalid()) {
            i_pendingR = GetLocalBounds();
            i_offsP->SetInvalid(false);
        }
        if (!EmptyRect(i_pendingR)) {
            const tagRECT pending = i_pendingR;
            i_pendingR = tagRECT{};
            DoDrawView(pending);
        }
        i_offsP->UpdateDest(&draw, false);
        i_offsP->BlitRect(r);
        i_offsP->UpdateDest(nullptr, false);
    } else {
        // Without a buffer the board is drawn straight onto the view.
        i_pendingR = tagRECT{};
        UpdateScrollInfo();
        draw.SetBaseClip(r);
        draw.EraseRect(r);
        if (i_modelP) i_modelP->Draw(&draw, &r, Vorn_Mode_NONE);
        draw.ClearBaseClip();
    }
    DrawOverlays(draw, r);
    i_view_contextP = nullptr;
}

// The marks that follow the pointer are drawn over the copied buffer, never into it: moving
// them copies the buffer again and draws nothing of the board.
void TVornView::DrawOverlays(XGDraw& draw, const tagRECT& r) {
    draw.SetClip(r);
    if (i_track.state == kTrack_MARQUEE && !EmptyRect(i_track.marqueeR)) {
        draw.SetPenWidth(2);
        draw.InvertFrameRect(i_track.marqueeR);
        draw.SetPenWidth(1);
    }
    if (i_recentItemP && i_modelP && i_recentItemP->i_vornP == i_modelP) {
        tagRECT h = i_recentItemP->GetScreenBounds();
        InsetRect(h, -2, -2);
        draw.SetPenWidth(2);
        draw.InvertFrameRect(h);
        draw.SetPenWidth(1);
    }
    if (i_track.state == kTrack_GO_CLICK && i_track.insideB && i_track.itemP) {
        const tagRECT itemR = i_track.itemP->GetScreenBounds();
        std::unique_ptr<XGRegion> rgnP(i_track.itemP->GetOutlineRgn(itemR));
        if (rgnP && !rgnP->IsEmpty())
            draw.InvertRgn(*rgnP);
        else
            draw.InvertRect(itemR);
    }
    DrawScanHighlight(draw);
    draw.ClearClip();
}

void TVornView::InvalOverlay(const tagRECT& r, int32 width) {
    if (EmptyRect(r)) return;
    tagRECT outer = r;
    InsetRect(outer, -width - 1, -width - 1);
    if (r.Width() <= 4 * width || r.Height() <= 4 * width) {
        FlushRect(outer);
        return;
    }
    // The four sides only: a large rectangle costs no more than a small one.
    const int32 w = 2 * width + 2;
    FlushRect(tagRECT{outer.left, outer.top, outer.right, outer.top + w});
    FlushRect(tagRECT{outer.left, outer.bottom - w, outer.right, outer.bottom});
    FlushRect(tagRECT{outer.left, outer.top, outer.left + w, outer.bottom});
    FlushRect(tagRECT{outer.right - w, outer.top, outer.right, outer.bottom});
}

// The area an item covers on the screen with its selection marks.
tagRECT TVornView::ItemArea(CVornItem* itemP) {
    if (!itemP || !itemP->i_vornP) return tagRECT{};
    tagRECT r = itemP->GetScreenBounds();
    InsetRect(r, -8, -8);
    return r;
}

// ---------------------------------------------------------------------------------------------
// Scrolling

XGScrollView* TVornView::GetScrollView() const {
    return XGScrollView::FromContent(this);
}

void TVornView::UpdateScrollInfo() {
    if (!i_modelP) return;
    XGScrollView* svP = GetScrollView();
    i_modelP->i_scrollH = svP ? -svP->GetXScroll() * kScrollUnit : 0;
    i_modelP->i_scrollV = svP ? -svP->GetYScroll() * kScrollUnit : 0;
}

void TVornView::RecalcScroll() {
    XGScrollView* svP = GetScrollView();
    if (!i_modelP || !svP) return;
    tagRECT extent{};
    i_modelP->GetScrollExtents(&extent);
    const int32 w = ClampToInt32(std::max<int64_t>(0, int64_t(extent.right) - extent.left));
    const int32 h = ClampToInt32(std::max<int64_t>(0, int64_t(extent.bottom) - extent.top));
    svP->SetScrollLimits(w, h, kScrollUnit);
    UpdateScrollInfo();
}

void TVornView::DoScrollChanged(int32, int32) {
    UpdateScrollInfo();
    if (i_renameTE && i_renameItemP) i_renameTE->SetBounds(EditorBounds(i_renameItemP));
    InvalView();
}

// ---------------------------------------------------------------------------------------------
// Window events

void TVornView::DoResize() {
    DoSizeView();
}

void TVornView::DoSizeView() {
    if (i_offsP) i_offsP->UpdateSize(nullptr);
    i_self_contextP = i_offsP ? i_offsP->GetSelfContext() : nullptr;
    if (i_modelP) {
        i_modelP->AutoLayout(!i_startupB, Vorn_Mode_NONE);
        RecalcScroll();
        if (gVornListP && i_controllerP) gVornListP->UpdateNewTextPosPref(i_controllerP);
        if (!i_startupB) {
            if (XGWindow* windowP = GetWindow(); windowP && gVornPrefsP) {
                const tagRECT r = windowP->GetBounds();
                gVornPrefsP->Set_VornWindR(r.left, r.top, r.right, r.bottom);
            }
            i_modelP->i_slightly_dirtyB = true;
        }
    }
    if (i_renameTE && i_renameItemP) i_renameTE->SetBounds(EditorBounds(i_renameItemP));
    InvalView();
}

void TVornView::WindowMoved() {
    if (i_startupB || !i_modelP) return;
    if (XGWindow* windowP = GetWindow(); windowP && gVornPrefsP) {
        const tagRECT r = windowP->GetBounds();
        gVornPrefsP->Set_VornWindR(r.left, r.top, r.right, r.bottom);
    }
    if (i_modelP->i_list->Count() > 0) i_modelP->i_slightly_dirtyB = true;
}

void TVornView::StoreWindowModel() {
    if (!i_modelP) return;
    if (XGScrollView* svP = GetScrollView()) i_modelP->StoreScrollPos(svP->GetXScroll(), svP->GetYScroll());
    if (XGWindow* windowP = GetWindow()) {
        const tagRECT r = windowP->GetBounds();
        i_modelP->StoreWindowR(i_modelP->GetMode(), &r);
    }
}

void TVornView::RetrieveWindowModel() {
    if (!i_modelP) return;
    tagRECT r{};
    i_modelP->RetrieveWindowR(i_modelP->GetMode(), &r);
    if (!EmptyRect(r))
        if (XGWindow* windowP = GetWindow()) windowP->SetBounds(r);
    i_modelP->AutoLayout(false, Vorn_Mode_NONE);
    RecalcScroll();
    int32 h = 0, v = 0;
    i_modelP->RetrieveScrollPos(&h, &v);
    if (XGScrollView* svP = GetScrollView()) svP->SetScrollPosition(h, v);
    UpdateScrollInfo();
    // The counts, also for a window that opens behind another and gets no tick until it comes
    // to the front.
    UpdateBars();
    InvalView();
}

void TVornView::ShowViewPane(int16 pane, bool showB) {
    if (VBrowserWindowView* bwP = VBrowserWindowView::FromView(this)) bwP->ShowViewPane(showB, pane);
}

// The footer shows what lies under the pointer, else the counts; the information bar the
// number of items.
void TVornView::UpdateBars() {
    VBrowserWindowView* bwP = VBrowserWindowView::FromView(this);
    if (!bwP || !i_modelP) return;
    const int32 count = i_modelP->i_list->Count();
    if (VFooterBar* footerP = bwP->GetFooterBar()) {
        footerP->SetNumItems(count, CountSelected());
        footerP->SetMessage(i_hoverText);
    }
    if (VInfoBar* infoP = bwP->GetInfoBar()) {
        infoP->SetNumItems(count);
        infoP->SetAvailBytes(0);
        infoP->SetUsedBytes(0);
    }
}

// ---------------------------------------------------------------------------------------------
// The periodic tick

int32 TVornView::DoPeriodic() {
    i_startupB = false;
    // Saving ends an edit in place: not while one is open, nor in the middle of a gesture.
    if (i_modelP && i_modelP->i_prefs.b.auto_saveB() && i_modelP->IsDocumentDirty() && i_modelP->HasFile() &&
        !i_renameTE && !IsTracking() && !i_modelP->IsFolderDocument() && !i_autosave_failedB) {
        // A save that failed has said so; it is not tried again on every tick (the board stays
        // unsaved), only after the next change.
        i_autosave_failedB = !i_modelP->DoDocumentSave();
        if (i_controllerP) i_controllerP->UpdateWindowTitle();
    }
    if (i_sel_changedB) {
        i_sel_changedB = false;
        UpdateBars();
    }
    ScanPeriodic();
    return kDispatchNotHandled;
}
