#define VORN_UNIT "TVornView.cpp"
// The mouse: each gesture starts at a press, follows the moves and ends at the release. A press
// on empty space becomes a click (deselect, context menu) or a rectangle (a new item, or a
// selection with the right button); a press on an item selects it and becomes a click (a
// second click edits it in place) or a move; a live move or size makes its one task at the
// release; in Go Mode an item follows the click and generates when it is released inside.
#include "TVornView.h"

#include "CDo.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"
#include "VBrowserWindowView.h"
#include "VFooterBar.h"
#include "VornBoardAssert.h"
#include "VornBoardTask.h"
#include "XGCursor.h"
#include "XGDraw.h"
#include "XGGeometry.h"
#include "XGKeyboard.h"
#include "XGMenuBar.h"
#include "XGRegion.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace yaaf;

namespace {

constexpr uint16 kButtons = kXGMod_LeftButton | kXGMod_RightButton | kXGMod_MiddleButton;
// A press becomes a drag once the pointer has gone further than this either way.
constexpr int32 kDragSlop = 2;
// A new item needs a rectangle wider and taller than these.
constexpr int32 kNewItemMinWidth = 16;
constexpr int32 kNewItemMinHeight = 8;

bool MovedFrom(Point a, Point b) {
    return std::abs(int32(a.h) - int32(b.h)) > kDragSlop || std::abs(int32(a.v) - int32(b.v)) > kDragSlop;
}

int16 ClampShort(int32 v) {
    return int16(std::clamp<int32>(v, -32768, 32767));
}

} // namespace

// None is set on entry.
TVornView::ScViewDraw::ScViewDraw(TVornView* viewP) : i_modelP(viewP->i_modelP) {
    if (!i_modelP) return;
    i_prevP = i_modelP->i_drawP;
    if (i_prevP) YAAFInlineError_Dlg("vornP->i_drawP == NULL", VORN_UNIT, __LINE__);
    i_modelP->i_drawP = static_cast<XGDraw*>(viewP->GetDrawContext());
}

TVornView::ScViewDraw::~ScViewDraw() {
    if (i_modelP) i_modelP->i_drawP = i_prevP;
}

TVornView::BoardPoint TVornView::ToBoard(Point viewPt) const {
    if (!i_modelP) return BoardPoint{viewPt.h, viewPt.v};
    return BoardPoint{int32(viewPt.h) - i_modelP->i_scrollH, int32(viewPt.v) - i_modelP->i_scrollV};
}

tagRECT TVornView::GetMarqueeRect() const {
    return i_track.state == kTrack_MARQUEE ? i_track.marqueeR : tagRECT{};
}

bool TVornView::ItemContains(CVornItem* itemP, Point pt) {
    if (!itemP || !itemP->i_vornP) return false;
    const tagRECT r = itemP->GetScreenBounds();
    if (!PtInRect(pt, r)) return false;
    std::unique_ptr<XGRegion> rgnP(itemP->GetOutlineRgn(r));
    if (rgnP && !rgnP->IsEmpty()) return rgnP->Contains(pt);
    return true;
}

void TVornView::ClearTrack() {
    switch (i_track.state) {
    case kTrack_MARQUEE:
        InvalOverlay(i_track.marqueeR, 2);
        break;
    case kTrack_GO_CLICK:
        if (i_track.itemP && i_modelP && i_modelP->i_list->LastIndexOf(i_track.itemP) != kNoIndex)
            FlushRect(ItemArea(i_track.itemP));
        break;
    default:
        break;
    }
    delete i_track.keptSelP;
    delete i_track.selP;
    i_track = TrackRec{};
}

void TVornView::FinishTracking() {
    switch (i_track.state) {
    case kTrack_MOVE:
        LiveMoveEnd(i_track.lastPt);
        break;
    default:
        ClearTrack();
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Press

void TVornView::DoMouseDown(Point where, uint16 modifiers, int clicks) {
    if (!i_modelP) return;
    // A second button while a gesture runs belongs to that gesture.
    if (IsTracking()) return;
    if (clicks >= 2) modifiers |= kXGMod_DoubleClick;
    ScViewDraw scDraw(this);
    UpdateScrollInfo();
    i_track = TrackRec{};
    i_track.pressPt = where;
    i_track.lastPt = where;
    i_track.pressBoardPt = ToBoard(where);
    i_track.lastBoardPt = i_track.pressBoardPt;
    i_track.flags = modifiers;
    i_track.rightB = (modifiers & kXGMod_RightButton) != 0;
    int32 subHit = 0;
    CVornItem* itemP = i_modelP->HitTest(&where, &subHit);
    if (!itemP)
        PressEmpty(where, modifiers);
    else
        PressItem(itemP, subHit, where, modifiers);
}

void TVornView::PressEmpty(Point, uint16 flags) {
    // The current tool is the arrow; the right button selects by rectangle.
    i_track.tool = (flags & kXGMod_RightButton) ? 4 : 1;
    if (i_modelP->GetMode() != Vorn_Mode_EDIT) return;
    i_track.state = kTrack_PENDING_EMPTY;
}

void TVornView::PressItem(CVornItem* itemP, int32 subHit, Point where, uint16 flags) {
    if (i_modelP->GetMode() == Vorn_Mode_GO) {
        // The second press of a double click generates nothing more: the first did.
        if (flags & kXGMod_DoubleClick) return;
        i_track.state = kTrack_GO_CLICK;
        i_track.itemP = itemP;
        i_track.insideB = true;
        FlushRect(ItemArea(itemP));
        return;
    }
    if (i_modelP->GetMode() != Vorn_Mode_EDIT || itemP == i_renameItemP) return;
    if (i_renameTE) DoInlineClose();
    // Closing an editor of a new item puts the item back through a task: the hit item is still
    // on the board, but make sure.
    if (i_modelP->i_list->LastIndexOf(itemP) == kNoIndex) return;
    const bool toggleB = (flags & (kXGMod_Shift | kXGMod_Control)) != 0;
    const bool wasSelectedB = itemP->i_b.selectedB();
    if (!toggleB && !wasSelectedB) i_modelP->SelectAll(false);
    ItemA_Iterate_SELECTData select{!(toggleB && wasSelectedB)};
    itemP->CB_Iterate(i_modelP->i_list, kNoIndex, ItemA_Iterate_SELECT, &select);
    i_sel_changedB = true;
    InvalRect(ItemArea(itemP));
    if (!select.selectB) return;
    if (i_track.rightB) {
        PopUpContextMenu(where);
        return;
    }
    if (!i_renameTE || subHit >= 2) {
        i_track.state = kTrack_PENDING_ITEM;
        i_track.itemP = itemP;
        i_track.subHit = subHit;
        i_track.wasSelectedB = wasSelectedB;
        i_track.altB = (flags & kXGMod_Alt) != 0;
        i_track.editOpenB = i_renameTE != nullptr;
    }
}

void TVornView::PopUpContextMenu(Point where) {
    if (i_context_menuP) i_context_menuP->PopUp(this, where);
}

// ---------------------------------------------------------------------------------------------
// Move

void TVornView::DoMouseMove(Point where, uint16 modifiers) {
    if (!i_modelP) return;
    i_track.lastPt = where;
    switch (i_track.state) {
    case kTrack_NONE:
        Hover(where);
        break;
    case kTrack_PENDING_EMPTY:
        if (!(modifiers & kButtons) || !MovedFrom(where, i_track.pressPt)) break;
        i_track.flags = modifiers;
        {
            ScViewDraw scDraw(this);
            i_track.keptSelP = i_modelP->GetItemSelection();
            if (i_renameTE) DoInlineClose();
            MarqueeStart(where);
        }
        break;
    case kTrack_MARQUEE:
        MarqueeTrack(where);
        break;
    case kTrack_PENDING_ITEM:
        if (!(modifiers & kButtons) || !MovedFrom(where, i_track.pressPt)) break;
        i_track.flags = modifiers;
        DragSelection(i_track.pressPt, int16(i_track.subHit));
        break;
    case kTrack_MOVE:
        LiveMoveTrack(where);
        break;
    case kTrack_GO_CLICK:
        GoClickTrack(where);
        break;
    }
}

void TVornView::Hover(Point where) {
    UpdateScrollInfo();
    int32 subHit = 0;
    CVornItem* itemP = i_modelP->HitTest(&where, &subHit);
    XGCursor::Set(this, itemP && subHit >= 2 ? kXGCursor_Size : kXGCursor_Arrow);
    std::string text;
    if (itemP) {
        text = itemP->GetName(Vorn_Ref_DEST, false);
        if (text.empty()) text = itemP->GetName(Vorn_Ref_SRC, false);
    }
    if (text != i_hoverText) {
        i_hoverText = text;
        if (VBrowserWindowView* bwP = VBrowserWindowView::FromView(this))
            if (VFooterBar* footerP = bwP->GetFooterBar()) footerP->SetMessage(i_hoverText);
    }
}

bool TVornView::AutoScroll(Point where) {
    XGScrollView* svP = GetScrollView();
    if (!svP) return false;
    const tagRECT frame = GetLocalBounds();
    auto step = [](int32 outside) { return 1 + outside / 20; };
    int32 dx = 0, dy = 0;
    if (where.h < frame.left)
        dx = -step(frame.left - where.h);
    else if (where.h >= frame.right)
        dx = step(where.h - frame.right);
    if (where.v < frame.top)
        dy = -step(frame.top - where.v);
    else if (where.v >= frame.bottom)
        dy = step(where.v - frame.bottom);
    if (!dx && !dy) return false;
    const int32 x = svP->GetXScroll(), y = svP->GetYScroll();
    svP->ScrollBy(dx, dy);
    UpdateScrollInfo();
    return x != svP->GetXScroll() || y != svP->GetYScroll();
}

// ---------------------------------------------------------------------------------------------
// A rectangle on empty space

void TVornView::MarqueeStart(Point where) {
    if (!(i_track.flags & (kXGMod_Shift | kXGMod_Control))) i_modelP->SelectAll(false);
    i_track.state = kTrack_MARQUEE;
    i_track.marqueeR = tagRECT{};
    MarqueeTrack(where);
}

void TVornView::MarqueeTrack(Point where) {
    AutoScroll(where);
    // The corner the press made stays on the board where it was, also after scrolling.
    const int32 ah = i_track.pressBoardPt.h + i_modelP->i_scrollH;
    const int32 av = i_track.pressBoardPt.v + i_modelP->i_scrollV;
    const tagRECT r{std::min<int32>(ah, where.h), std::min<int32>(av, where.v), std::max<int32>(ah, where.h),
                    std::max<int32>(av, where.v)};
    if (r == i_track.marqueeR) return;
    InvalOverlay(i_track.marqueeR, 2);
    i_track.marqueeR = r;
    InvalOverlay(r, 2);
}

tagRECT TVornView::MarqueeEnd() {
    const tagRECT r = i_track.marqueeR;
    InvalOverlay(r, 2);
    i_track.marqueeR = tagRECT{};
    return r;
}

void TVornView::FinishMarquee(const tagRECT& r) {
    ScViewDraw scDraw(this);
    if (i_track.tool == 4) {
        tagRECT sect = r;
        i_modelP->i_list->Iterate(ItemA_Iterate_SELECT_IN_RECT, &sect);
        i_sel_changedB = true;
        InvalView();
    } else if (r.Width() > kNewItemMinWidth && r.Height() > kNewItemMinHeight) {
        MakeItemFromRect(r);
    }
}

void TVornView::MakeItemFromRect(tagRECT r) {
    OffsetRect(r, -i_modelP->i_scrollH, -i_modelP->i_scrollV);
    CVornItem* itemP = i_modelP->AddWord("");
    if (!itemP) {
        VORN_ASSERT_DLG(itemP);
        return;
    }
    itemP->i_boundsR = r;
    itemP->i_auto_boundsR = r;
    ItemA_Iterate_SELECTData select{true};
    itemP->CB_Iterate(i_modelP->i_list, kNoIndex, ItemA_Iterate_SELECT, &select);
    i_sel_changedB = true;
    i_new_itemB = true;
    delete i_new_item_prev_selP;
    i_new_item_prev_selP = i_track.keptSelP;
    i_track.keptSelP = nullptr;
    i_rename_contentB = false;
    InvalRect(ItemArea(itemP));
    Rename(itemP);
}

// ---------------------------------------------------------------------------------------------
// Moving and sizing the selection

void TVornView::DragSelection(Point wherePt, int16 handleType) {
    CItemArray* selP = i_modelP->GetItemSelection();
    if (!selP) return;
    MoveSelection(wherePt, handleType, i_modelP->IsFlatColumns(), selP, (i_track.flags & kXGMod_Alt) != 0);
}

void TVornView::MoveSelection(Point wherePt, int16 handleType, bool reorderB, CItemArray* in_selP,
                              bool duplicateB) {
    if (!in_selP) return;
    if (!reorderB && !duplicateB) {
        // A live move or size: the items follow the pointer from the press point on.
        const Point current = i_track.lastPt;
        i_track.state = kTrack_MOVE;
        i_track.selP = in_selP;
        i_track.handleType = handleType;
        i_track.pressBoardPt = ToBoard(wherePt);
        i_track.lastBoardPt = i_track.pressBoardPt;
        LiveMoveTrack(current);
        return;
    }
    // A drag of the items: the platform's drag loop runs until the drop, which a board view
    // (this one or another) handles in its DropEnd.
    ClearTrack();
    VornItemDragRec rec;
    rec.arrayP = in_selP;
    rec.offsetPt = wherePt;
    rec.orig_viewP = this;
    rec.duplicateB = duplicateB;
    RunItemDrag(rec);
    delete in_selP;
}

void TVornView::LiveMoveTrack(Point where) {
    AutoScroll(where);
    const BoardPoint b = ToBoard(where);
    const Point offset{ClampShort(b.v - i_track.lastBoardPt.v), ClampShort(b.h - i_track.lastBoardPt.h)};
    if (offset.h == 0 && offset.v == 0) return;
    tagRECT updateR{};
    ItemA_Iterate_MOVEData rec;
    rec.offset = offset;
    rec.handleType = i_track.handleType;
    rec.renameTE = i_renameTE;
    rec.renameItemP = i_renameItemP;
    rec.updateRP = &updateR;
    i_track.selP->Iterate(ItemA_Iterate_MOVE, &rec);
    i_track.lastBoardPt.h += offset.h;
    i_track.lastBoardPt.v += offset.v;
    if (EmptyRect(updateR)) return;
    InsetRect(updateR, -6, -6);
    OffsetRect(updateR, i_modelP->i_scrollH, i_modelP->i_scrollV);
    InvalRect(updateR);
}

void TVornView::LiveMoveEnd(Point where) {
    LiveMoveTrack(where);
    CItemArray* selP = i_track.selP;
    i_track.selP = nullptr;
    const int16 handleType = i_track.handleType;
    const Point total{ClampShort(i_track.lastBoardPt.v - i_track.pressBoardPt.v),
                      ClampShort(i_track.lastBoardPt.h - i_track.pressBoardPt.h)};
    ClearTrack();
    if (!selP) return;
    // Back where they began, so that the task's first run puts them where the user left them.
    tagRECT updateR{};
    ItemA_Iterate_MOVEData back;
    back.offset = Point{int16(-total.v), int16(-total.h)};
    back.handleType = handleType;
    back.updateRP = &updateR;
    selP->Iterate(ItemA_Iterate_MOVE, &back);
    if (total.h == 0 && total.v == 0) {
        // Back to where it started: nothing to undo.
        delete selP;
        return;
    }
    SetStacks(false);
    if (gDo) gDo->ForceNotCollapse();
    BoardTask_Move(this, selP, total, handleType, false, handleType == 1 ? "Move Item(s)" : "Size Item(s)");
    if (gDo) gDo->ForceNotCollapse();
}

// ---------------------------------------------------------------------------------------------
// A click in Go Mode

void TVornView::GoClickTrack(Point where) {
    const bool insideB = ItemContains(i_track.itemP, where);
    if (insideB == i_track.insideB) return;
    i_track.insideB = insideB;
    FlushRect(ItemArea(i_track.itemP));
}

void TVornView::GoClickEnd(Point where) {
    if (i_modelP->i_list->LastIndexOf(i_track.itemP) == kNoIndex) {
        ClearTrack();
        return;
    }
    GoClickTrack(where);
    CVornItem* itemP = i_track.itemP;
    const bool insideB = i_track.insideB;
    ClearTrack();
    if (insideB && i_modelP->GetMode() == Vorn_Mode_GO) itemP->Generate();
}

// ---------------------------------------------------------------------------------------------
// Release

void TVornView::DoMouseUp(Point where, uint16 modifiers) {
    if (!i_modelP) {
        ClearTrack();
        return;
    }
    // A gesture ends when every button is up.
    if (modifiers & kButtons) return;
    i_track.lastPt = where;
    switch (i_track.state) {
    case kTrack_NONE:
        break;
    case kTrack_PENDING_EMPTY:
        ReleaseEmpty();
        break;
    case kTrack_MARQUEE: {
        MarqueeTrack(where);
        const tagRECT r = MarqueeEnd();
        FinishMarquee(r);
        ClearTrack();
        break;
    }
    case kTrack_PENDING_ITEM: {
        CVornItem* itemP = i_track.itemP;
        const bool renameB = !i_track.editOpenB && i_track.wasSelectedB;
        const bool contentB = i_track.altB;
        ClearTrack();
        if (renameB && !i_renameTE && i_modelP->i_list->LastIndexOf(itemP) != kNoIndex) {
            i_rename_contentB = contentB;
            Rename(itemP);
        }
        break;
    }
    case kTrack_MOVE:
        LiveMoveEnd(where);
        break;
    case kTrack_GO_CLICK:
        GoClickEnd(where);
        break;
    }
}

void TVornView::ReleaseEmpty() {
    const bool rightB = i_track.rightB;
    const Point pressPt = i_track.pressPt;
    ClearTrack();
    ScViewDraw scDraw(this);
    if (i_renameTE) DoInlineClose();
    if (CountSelected() > 0) {
        i_modelP->SelectAll(false);
        i_sel_changedB = true;
    }
    if (rightB) PopUpContextMenu(pressPt);
}
