#define OUTLINE_UNIT "VOutline"
// The outline view: the list and document it shows, layout, drawing through the offscreen
// buffer, invalidation, scrolling, focus and the bars.
#include "VOutline.h"

#include "CDo.h"
#include "CDoStacksOwner.h"
#include "COutlineDocLink.h"
#include "CTopic.h"
#include "CTopicList.h"
#include "OutlineAssert.h"
#include "VBrowserWindowView.h"
#include "VColHeader.h"
#include "VFooterBar.h"
#include "VInfoBar.h"
#include "XGDraw.h"
#include "XGGeometry.h"
#include "XGHostInfo.h"
#include "XGInlineEdit.h"
#include "XGMenuBar.h"
#include "XGViewFactory.h"
#include "XGWindow.h"

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace yaaf;

YAAF_DISPATCH_BEGIN(VOutline)
YAAF_DISPATCH_ENTRY('peri', VOutline, HandlePeriodic)
YAAF_DISPATCH_ENTRY('keye', VOutline, HandleKey)
YAAF_DISPATCH_ENTRY('Prst', VOutline, HandleStatusPre)
YAAF_DISPATCH_ENTRY('stat', VOutline, HandleStatus)
YAAF_DISPATCH_ENTRY('Post', VOutline, HandleStatusPost)
YAAF_DISPATCH_ENTRY('menu', VOutline, HandleMenu)
YAAF_DISPATCH_ENTRY('icls', VOutline, HandleInlineClose)
YAAF_DISPATCH_ENTRY('hdrc', VOutline, HandleHeaderChange)
YAAF_DISPATCH_ENTRY('hdrs', VOutline, HandleHeaderPass)
YAAF_DISPATCH_ENTRY('hdrg', VOutline, HandleHeaderPass)
YAAF_DISPATCH_END(VOutline, XGView)

namespace {

// Every outline view alive, so that a topic being destroyed can be forgotten by all of them.
std::vector<VOutline*>& LiveViews() {
    static std::vector<VOutline*> views;
    return views;
}

int32 Clamp32(int64_t v) {
    return int32(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

VOutline::VOutline(int32 id) : XGView('outl', id), i_context_menuP(std::make_unique<XGContextMenu>(145, 150)) {
    SetFocusable(true);
    SetAccessibleName("Outline");
    SetTrackMouseMoves(true);
    SetDropper(this);
    i_offsP = std::make_unique<COffscreen>(nullptr, 32, &CB_S_Offs, this);
    i_self_contextP = i_offsP->GetSelfContext();
    LiveViews().push_back(this);
}

VOutline::~VOutline() {
    auto& views = LiveViews();
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
    if (IsFocus()) {
        // The window takes the focus back (its last focused view is this one).
        if (XGWindow* windowP = GetWindow()) static_cast<XGDispatch*>(windowP)->SetFocus();
    }
    CloseRename();
    if (i_listP) {
        CTopicList* listP = i_listP;
        i_listP = nullptr;
        listP->i_viewP = nullptr;
    }
    if (i_outlineP) i_outlineP->DetachView(this);
    i_outlineP = nullptr;
    delete i_selectionP;
    i_selectionP = nullptr;
    delete i_new_item_prev_selP;
    i_new_item_prev_selP = nullptr;
    SetDropper(nullptr);
}

void VOutline::Register() {
    XGViewFactory::Register<VOutline>('outl');
}

// ---------------------------------------------------------------------------------------------
// The list and the document

void VOutline::SetTopicList(CTopicList* listP) {
    CloseRename();
    if (i_listP && i_listP != listP) i_listP->i_viewP = nullptr;
    i_recentTopicP = nullptr;
    i_listP = listP;
    if (listP) {
        if (listP->i_viewP && listP->i_viewP != this) listP->i_viewP->ListGone(listP);
        listP->i_viewP = this;
        if (listP->i_outlineP) SetOutline(listP->i_outlineP);
    }
    UpdateRects();
    RecalcScroll();
    const O_ViewAsType viewAs = GetViewAs();
    if (viewAs == O_ViewAs_LIST) {
        VColHeader* headP = GetHeader();
        OUTLINE_ASSERT_DLG(headP);
        if (headP) {
            headP->Init(kListColumnRecs);
            if (listP) headP->SetSortBy(listP->i_prefs.sort_type);
        }
    } else if (viewAs == O_ViewAs_HEIR_COL) {
        if (VColHeader* headP = GetHeader()) {
            const std::string label =
                listP && listP->i_parentP ? listP->i_parentP->GetNameRef() : XGGetMachineName();
            if (headP->CountColumns() == 0)
                headP->InsertColumn(0, label, std::max<int32>(GetWidth(), 1), 1, 32000, O_Sort_NAME);
            else
                headP->SetColumnLabel(0, label);
        }
    }
    i_sel_changedB = true;
    InvalView();
}

CTopicList* VOutline::GetTopicList() const {
    OUTLINE_ASSERT_DLG(i_listP);
    return i_listP;
}

void VOutline::SetOutline(COutlineDocLink* outlineP) {
    if (i_outlineP == outlineP) return;
    if (i_outlineP) i_outlineP->DetachView(this);
    i_outlineP = outlineP;
    if (i_outlineP) i_outlineP->AttachView(this);
}

VBrowserWindowView* VOutline::GetBrowserView() const {
    for (XGView* v = GetParent(); v; v = v->GetParent())
        if (auto* bwP = dynamic_cast<VBrowserWindowView*>(v)) return bwP;
    return nullptr;
}

O_ViewAsType VOutline::GetViewAs() const {
    const VBrowserWindowView* bwP = GetBrowserView();
    return bwP ? bwP->GetViewAs() : i_standalone_view_as;
}

CTopicList* VOutline::GetVisibleList() {
    return i_listP ? i_listP->GetVisibleList(ShouldRecurse()) : new CTopicList(nullptr, nullptr);
}

CTopicList* VOutline::GetSelected() {
    return i_listP ? i_listP->GetSelected(ShouldRecurse()) : new CTopicList(nullptr, nullptr);
}

int32 VOutline::CountSelected() {
    return i_listP ? i_listP->CountSelected(ShouldRecurse()) : 0;
}

void VOutline::SelectAll(bool setB) {
    if (!i_listP) return;
    i_listP->SelectAll(setB, ShouldRecurse());
    i_sel_changedB = true;
}

// ---------------------------------------------------------------------------------------------
// Layout, drawing and hit testing

XGDraw* VOutline::GetDrawContext() {
    if (i_drawP) return i_drawP;
    if (i_offsP && i_offsP->HasBuffer()) {
        i_self_contextP = i_offsP->GetSelfContext();
        if (i_self_contextP) return i_self_contextP;
    }
    if (!i_measureOffsP) {
        i_measureOffsP = std::make_unique<COffscreen>(nullptr, 32, nullptr, nullptr);
        const tagRECT one{0, 0, 1, 1};
        i_measureOffsP->MakeOffscreen(&one);
    }
    return i_measureOffsP->GetSelfContext();
}

void VOutline::UpdateRects() {
    UpdateScrollInfo();
    if (i_listP) i_listP->UpdateRects(GetDrawContext(), nullptr);
}

CTopic* VOutline::HitTest(Point where, int16 flags0, O_DrawRec* recP0) {
    if (!i_listP) return nullptr;
    O_DrawRec local;
    O_DrawRec& rec = recP0 ? *recP0 : local;
    UpdateScrollInfo();
    i_listP->UpdateRects(GetDrawContext(), &rec);
    rec.boundsR = GetContentRect();
    rec.point = O_Point{where.v, where.h};
    rec.flags = flags0;
    rec.widget = TOPIC_Widget_NONE;
    return i_listP->HitTest(&rec);
}

void VOutline::DoDrawView(const tagRECT& updateR) {
    XGDraw* ctxP = i_offsP && i_offsP->Use() ? i_offsP->GetSelfContext() : nullptr;
    if (!ctxP) return;
    i_self_contextP = ctxP;
    XGDraw* prevP = i_drawP;
    i_drawP = ctxP;
    UpdateScrollInfo();
    if (SectRect(GetContentRect(), updateR, i_drawR)) {
        // Topics set clips of their own: none may reach past the area drawn.
        ctxP->SetBaseClip(i_drawR);
        ctxP->EraseRect(i_drawR);
        if (i_listP) {
            switch (GetViewAs()) {
            case O_ViewAs_FREEFORM_NEW:
            case O_ViewAs_FLAT_COL_NEW:
                Draw(i_drawR, Vorn_Mode_NONE);
                break;
            case O_ViewAs_NONE:
            case O_ViewAs_FREEFORM:
            case O_ViewAs_FLAT_COL:
                break;
            default:
                i_listP->Draw(ctxP, &i_drawR, nullptr);
                break;
            }
        }
        if (GetViewAs() == O_ViewAs_HEIR_COL) {
            // The line between this column and the next.
            const int32 x = GetWidth() - 1;
            ctxP->FillRect(tagRECT{x, 0, x + 1, GetHeight()}, XGColor::RGB(0xB0, 0xB0, 0xB0));
        }
        ctxP->ClearBaseClip();
    }
    i_drawR = tagRECT{};
    i_drawP = prevP;
}

void VOutline::Draw(const tagRECT& boundsR, Vorn_ModeType mode) {
    if (!i_listP) return;
    XGDraw* ctxP = GetDrawContext();
    if (mode == Vorn_Mode_NONE) mode = i_listP->GetMode();
    i_scaleX = i_scaleY = 1.0;
    if (mode == Vorn_Mode_GO) {
        const CTopic* firstP = GetFirstPict();
        if (firstP && firstP->IsPicture()) {
            const tagRECT f = firstP->i_frameA[0];
            if (f.Width() > 0 && f.Height() > 0) {
                i_scaleX = double(boundsR.Width()) / f.Width();
                i_scaleY = double(boundsR.Height()) / f.Height();
            }
        }
    }
    O_DrawRec rec;
    i_listP->UpdateRects(ctxP, &rec);
    if (mode == Vorn_Mode_EDIT && GetViewAs() == O_ViewAs_FLAT_COL_NEW) {
        ctxP->SetPenColor(XGColor::RGB(0xC0, 0xC0, 0xC0));
        for (tagRECT c : i_listP->i_colA) {
            OffsetRect(c, i_scrollH, i_scrollV);
            tagRECT sect;
            if (SectRect(c, boundsR, sect)) ctxP->FrameRect(c);
        }
        ctxP->SetPenColor(XGColor::Black());
    }
    rec.boundsR = boundsR;
    i_listP->DrawTopics(&rec);
}

void VOutline::DoDraw(XGDraw& draw, const tagRECT& updateRect) {
    tagRECT r;
    if (!SectRect(updateRect, GetLocalBounds(), r)) return;
    i_view_contextP = &draw;
    if (i_offsP && i_offsP->Use()) {
        // The buffer is only a back buffer: what is asked for is drawn anew, then copied.
        DoDrawView(r);
        i_offsP->UpdateDest(&draw, false);
        i_offsP->BlitRect(r);
        i_offsP->UpdateDest(nullptr, false);
    } else {
        XGDraw* prevP = i_drawP;
        i_drawP = &draw;
        UpdateScrollInfo();
        draw.SetBaseClip(r);
        draw.EraseRect(r);
        if (i_listP) i_listP->Draw(&draw, &r, nullptr);
        draw.ClearBaseClip();
        i_drawP = prevP;
    }
    // The marks that follow the pointer are drawn over the copy, never into the buffer.
    draw.SetClip(r);
    if (i_trackState == kTrack_MARQUEE && !EmptyRect(i_marqueeR)) {
        draw.SetPenWidth(2);
        draw.InvertFrameRect(i_marqueeR);
        draw.SetPenWidth(1);
    }
    if (i_recentTopicP && i_listP && i_recentTopicP->IsMemberOf(i_listP)) {
        tagRECT h = i_recentTopicP->GetScreenBounds();
        InsetRect(h, -2, -2);
        draw.SetPenWidth(2);
        draw.InvertFrameRect(h);
        draw.SetPenWidth(1);
    }
    draw.ClearClip();
    i_view_contextP = nullptr;
}

CTopic* VOutline::GetFirstPict() const {
    return i_listP ? i_listP->GetIndItem(0) : nullptr;
}

void VOutline::DocChanged(bool invalB) {
    i_sel_changedB = true;
    UpdateRects();
    RecalcScroll();
    if (invalB) InvalView();
}

void VOutline::FlushRect(const tagRECT& r) {
    tagRECT sect;
    if (SectRect(r, GetLocalBounds(), sect)) XGView::InvalRect(sect);
}

void VOutline::InvalView() {
    XGView::InvalView();
}

void VOutline::InvalRect(const tagRECT& r) {
    tagRECT sect;
    if (SectRect(r, GetLocalBounds(), sect)) XGView::InvalRect(sect);
}

void VOutline::InvalTopic(CTopic* topicP, bool whole_viewB) {
    if (whole_viewB || !topicP) {
        InvalView();
        return;
    }
    tagRECT r = topicP->GetScreenBounds();
    const int32 grow = 2 + (i_listP ? i_listP->GetTopicUIHandleSize() : 0) + 6;
    InsetRect(r, -grow, -grow);
    InvalRect(r);
}

void VOutline::TopicsInserted(CTopicList* listP, int32 firstL) {
    i_sel_changedB = true;
    UpdateRects();
    RecalcScroll();
    const CTopic* firstP = listP ? listP->GetIndItem(firstL) : nullptr;
    const O_ViewAsType viewAs = GetViewAs();
    if (!firstP || (viewAs != O_ViewAs_LIST && viewAs != O_ViewAs_HEIR_COL)) {
        InvalView();
        return;
    }
    // Rows above the first new one stay where they were.
    tagRECT r = GetLocalBounds();
    r.top = std::max(r.top, firstP->GetScreenBounds().top - 2);
    InvalRect(r);
}

void VOutline::ListGone(CTopicList* listP) {
    if (!listP || i_listP != listP) return;
    CloseRename();
    i_listP = nullptr;
    i_recentTopicP = nullptr;
    i_sel_changedB = true;
    InvalView();
}

void VOutline::DocumentGone(COutlineDocLink* outlineP) {
    if (i_outlineP == outlineP) i_outlineP = nullptr;
}

void VOutline::ForgetTopicEverywhere(const CTopic* topicP) {
    for (VOutline* viewP : LiveViews()) {
        if (viewP->i_recentTopicP == topicP) viewP->i_recentTopicP = nullptr;
        if (viewP->i_renameTopicP == topicP) {
            // The editor's text has nowhere to go.
            viewP->i_renameTopicP = nullptr;
            viewP->CloseRename();
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Scrolling

XGScrollView* VOutline::GetScrollView() const {
    return XGScrollView::FromContent(this);
}

void VOutline::UpdateScrollInfo() {
    XGScrollView* svP = GetScrollView();
    if (!svP) {
        i_scrollH = i_scrollV = 0;
        return;
    }
    i_scrollH = Clamp32(-int64_t(svP->GetXScroll()) * svP->GetScrollUnit());
    i_scrollV = Clamp32(-int64_t(svP->GetYScroll()) * svP->GetScrollUnit());
}

tagRECT VOutline::GetScrollExtents() {
    if (!i_listP) return tagRECT{};
    O_DrawRec rec;
    rec.SetRecPtrs();
    rec.recurseB = ShouldRecurse();
    i_listP->Iterate(TOPIC_Iter_EXTENTS, &rec, false);
    // In the outline's own coordinates, from its origin.
    tagRECT r = rec.boundsR;
    OffsetRect(r, -i_scrollH, -i_scrollV);
    return tagRECT{0, 0, std::max(0, r.right), std::max(0, r.bottom)};
}

void VOutline::RecalcScroll() {
    XGScrollView* svP = GetScrollView();
    if (!svP) return;
    UpdateRects();
    const tagRECT ext = GetScrollExtents();
    svP->SetScrollLimits(ext.right + 1, ext.bottom + 1, kScrollUnit);
    svP->SetLineStep(1);
    UpdateScrollInfo();
}

void VOutline::DoScrollChanged(int32, int32) {
    UpdateScrollInfo();
    if (i_renameTE && i_renameTopicP) {
        tagRECT r = i_renameTopicP->GetScreenBounds();
        InsetRect(r, 2, 2);
        i_renameTE->SetBounds(r);
    }
    InvalView();
}

void VOutline::DoResize() {
    if (i_offsP) i_offsP->UpdateSize(nullptr);
    i_self_contextP = i_offsP ? i_offsP->GetSelfContext() : nullptr;
    RecalcScroll();
    if (VColHeader* headP = GetHeader(); headP && GetViewAs() == O_ViewAs_HEIR_COL && headP->CountColumns() > 0)
        headP->SetColumnWidth(0, std::max<int32>(1, GetWidth()));
    InvalView();
}

void VOutline::CB_S_Offs(OffscreenCBType cbType, void* cbData, void* refcon) {
    auto* self = static_cast<VOutline*>(refcon);
    // Copied in the view's own paint pass, in view coordinates.
    if (!Offscreen_AnswerViewRequest(cbType, cbData, self->GetContentRect()) && cbType == OffscreenCB_CAUSE_UPDATE)
        self->InvalView();
}

// ---------------------------------------------------------------------------------------------
// Focus, undo stacks and bars

DoStacksOwner* VOutline::FindStacksOwner() const {
    for (XGView* v = GetParent(); v; v = v->GetParent())
        if (auto* ownerP = dynamic_cast<DoStacksOwner*>(v)) return ownerP;
    return nullptr;
}

void VOutline::SetStacks(bool clearB) {
    if (!gDo) return;
    DoStacksOwner* ownerP = FindStacksOwner();
    if (!ownerP) {
        if (!i_ownStacksP) i_ownStacksP = std::make_unique<DoStacksOwner>();
        ownerP = i_ownStacksP.get();
    }
    if (clearB) {
        if (gDo->GetActiveStacks() == ownerP->GetStacks()) gDo->SetActiveStacks(nullptr);
    } else {
        gDo->SetActiveStacks(ownerP->GetStacks());
    }
}

void VOutline::DoGainFocus() {
    SetStacks(false);
    if (GetViewAs() == O_ViewAs_HEIR_COL)
        if (VColHeader* headP = GetHeader()) headP->SetSelectedColumn(0);
}

void VOutline::DoLoseFocus() {
    if (i_trackState != kTrack_NONE) {
        i_trackState = kTrack_NONE;
        i_marqueeR = tagRECT{};
        InvalView();
    }
    if (GetViewAs() == O_ViewAs_HEIR_COL)
        if (VColHeader* headP = GetHeader()) headP->SetSelectedColumn(-1);
    // The editor of this view takes the focus while the window stays active: the stacks stay.
    if (!i_renameTE) SetStacks(true);
}

void VOutline::ShowBrowserPane(bool showB, int32 paneID) {
    if (VBrowserWindowView* bwP = GetBrowserView()) bwP->ShowViewPane(showB, paneID);
}

void VOutline::UpdateBars() {
    VBrowserWindowView* bwP = GetBrowserView();
    if (!bwP) return;
    std::unique_ptr<CTopicList> visibleP(GetVisibleList());
    const int32 visible = visibleP->Count();
    if (VFooterBar* footerP = bwP->GetFooterBar()) footerP->SetNumItems(visible, CountSelected());
    if (VInfoBar* infoP = bwP->GetInfoBar()) {
        infoP->SetNumItems(visible);
        infoP->SetAvailBytes(0);
        infoP->SetUsedBytes(0);
    }
}

int32 VOutline::DoPeriodic() {
    i_startupB = false;
    if (i_sel_changedB) {
        i_sel_changedB = false;
        UpdateBars();
    }
    return kDispatchNotHandled;
}

// ---------------------------------------------------------------------------------------------
// The document's walk over its views

int32 VOutline::CB_View(O_IterViewType type, int32 indexL, void* data) {
    switch (type) {
    case O_IterView_COUNT:
        if (auto* recP = static_cast<O_IterView_CountRec*>(data)) recP->countL = indexL + 1;
        return 0;
    case O_IterView_GET_VIEW_INDEX: {
        auto* recP = static_cast<O_IterView_FindRec*>(data);
        if (!recP || recP->viewP != this) return 0;
        recP->indexL = indexL;
        return int32(kTopicIterStop);
    }
    case O_IterView_GET_IND_VIEW: {
        auto* recP = static_cast<O_IterView_FindRec*>(data);
        if (!recP || recP->indexL != indexL) return 0;
        recP->viewP = this;
        return int32(kTopicIterStop);
    }
    case O_IterView_INVAL: {
        auto* recP = static_cast<O_IterView_InvalRec*>(data);
        if (recP && recP->topicP && i_listP && recP->topicP->IsMemberOf(i_listP) && recP->topicP->IsShowing())
            InvalTopic(recP->topicP, recP->whole_viewB);
        return 0;
    }
    }
    return 0;
}
