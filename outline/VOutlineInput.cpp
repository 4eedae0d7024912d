#define OUTLINE_UNIT "VOutline"
// The outline view's mouse and keys: clicks on topics, clicks and marquees on empty space,
// the pointer's footer text, and the keys, with the arrows moving through hierarchic columns.
#include "VOutline.h"

#include "CTopic.h"
#include "CTopicList.h"
#include "VBrowserWindowView.h"
#include "VFooterBar.h"
#include "XGGeometry.h"
#include "XGKeyboard.h"
#include "XGMenuBar.h"

#include <algorithm>
#include <cstdlib>

using namespace yaaf;

namespace {
constexpr uint16 kKeyEnter = 3;
constexpr uint16 kKeyDeleteChar = 0x7F;
constexpr uint16 kKeyForwardDeleteChar = 0x8D;
// The pointer must travel this far before a press on empty space becomes a marquee.
constexpr int32 kDragSlop = 2;
} // namespace

int16 VOutline::ClickFlags(uint16 modifiers) {
    int16 flags = 0;
    if (modifiers & kXGMod_Shift) flags |= O_Click_SHIFT;
    if (modifiers & kXGMod_Control) flags |= O_Click_CONTROL;
    if (modifiers & kXGMod_Alt) flags |= O_Click_ALT;
    if (modifiers & kXGMod_DoubleClick) flags |= O_Click_DOUBLE;
    return flags;
}

// ---------------------------------------------------------------------------------------------
// Mouse

void VOutline::DoMouseDown(Point where, uint16 modifiers, int) {
    const int16 flags = ClickFlags(modifiers);
    O_DrawRec rec;
    CTopic* hitP = HitTest(where, flags, &rec);
    if (hitP) {
        if (i_renameTE && hitP != i_renameTopicP) CloseRename();
        rec.drawP = GetDrawContext();
        hitP->DoClick(&rec);
        i_sel_changedB = true;
        if (GetViewAs() == O_ViewAs_HEIR_COL) AfterColumnClick(hitP);
        return;
    }
    i_trackState = kTrack_PENDING_EMPTY;
    i_pressPt = where;
    i_rightB = (modifiers & kXGMod_RightButton) != 0;
    i_keepSelB = (flags & (O_Click_SHIFT | O_Click_CONTROL)) != 0;
    i_marqueeR = tagRECT{};
}

void VOutline::DoMouseMove(Point where, uint16 modifiers) {
    if (i_trackState == kTrack_PENDING_EMPTY) {
        if (std::abs(where.h - i_pressPt.h) <= kDragSlop && std::abs(where.v - i_pressPt.v) <= kDragSlop) return;
        CloseRename();
        if (!i_keepSelB) SelectAll(false);
        i_trackState = kTrack_MARQUEE;
    }
    if (i_trackState == kTrack_MARQUEE) {
        const tagRECT old = i_marqueeR;
        tagRECT r{std::min<int32>(i_pressPt.h, where.h), std::min<int32>(i_pressPt.v, where.v),
                  std::max<int32>(i_pressPt.h, where.h), std::max<int32>(i_pressPt.v, where.v)};
        SectRect(r, GetContentRect(), i_marqueeR);
        tagRECT both;
        UnionRect(old, i_marqueeR, both);
        InsetRect(both, -3, -3);
        FlushRect(both);
        return;
    }
    // Hovering: the footer names the topic under the pointer.
    O_DrawRec rec;
    CTopic* hitP = HitTest(where, 0, &rec);
    const bool overWidget = hitP && (rec.widget == TOPIC_Widget_TWIRLY || rec.widget == TOPIC_Widget_ICON ||
                                     rec.widget == TOPIC_Widget_TEXT || rec.widget == TOPIC_Widget_BODY);
    if (VBrowserWindowView* bwP = GetBrowserView())
        if (VFooterBar* footerP = bwP->GetFooterBar()) footerP->SetMessage(overWidget ? hitP->GetNameRef() : "");
}

void VOutline::DoMouseUp(Point where, uint16) {
    const TrackState state = i_trackState;
    i_trackState = kTrack_NONE;
    if (state == kTrack_PENDING_EMPTY) {
        CloseRename();
        if (CountSelected() > 0) {
            SelectAll(false);
            InvalView();
        }
        if (i_rightB && i_context_menuP) i_context_menuP->PopUp(this, where);
        return;
    }
    if (state == kTrack_MARQUEE) {
        const tagRECT r = i_marqueeR;
        i_marqueeR = tagRECT{};
        MarqueeEnd(r);
        InvalView();
    }
}

void VOutline::MarqueeEnd(const tagRECT& r) {
    if (!i_listP || EmptyRect(r)) return;
    UpdateRects();
    tagRECT area = r;
    i_listP->Iterate(TOPIC_Iter_SELECT_IN_RECT, &area, false);
    i_sel_changedB = true;
}

void VOutline::SetRecentTopic(CTopic* topicP) {
    if (topicP == i_recentTopicP) return;
    if (i_recentTopicP) i_recentTopicP->Hilight(false);
    i_recentTopicP = topicP;
    if (i_recentTopicP) i_recentTopicP->Hilight(true);
    InvalView();
}

// ---------------------------------------------------------------------------------------------
// Clicks made by keys

void VOutline::ClickTopic(CTopic* topicP, int32 widget, int16 flags) {
    if (!topicP || !i_listP) return;
    O_DrawRec rec;
    UpdateScrollInfo();
    i_listP->UpdateRects(GetDrawContext(), &rec);
    rec.flags = flags;
    rec.hit_topicP = topicP;
    rec.widget = widget;
    topicP->DoClick(&rec);
    i_sel_changedB = true;
}

void VOutline::AfterColumnClick(CTopic* topicP) {
    // The column after this one may be replaced: nothing here touches it afterwards.
    SetSubView(topicP->i_childrenP);
    if (!IsFocus()) SetFocus();
    topicP->Reveal();
}

void VOutline::ArrowInColumn(bool upB) {
    if (!i_listP || i_listP->Count() == 0) return;
    const int32 count = i_listP->Count();
    int32 first = -1;
    int32 last = -1;
    for (int32 i = 0; i < count; ++i) {
        if (!i_listP->GetIndItem(i)->IsSelected()) continue;
        if (first < 0) first = i;
        last = i;
    }
    int32 target;
    if (upB)
        target = first < 0 ? count - 1 : first - 1;
    else
        target = first < 0 ? 0 : last + 1;
    if (target < 0 || target >= count) return;
    CTopic* topicP = i_listP->GetIndItem(target);
    ClickTopic(topicP, TOPIC_Widget_BODY, 0);
    AfterColumnClick(topicP);
}

void VOutline::MoveToColumn(bool rightB) {
    VOutline* colP = GetPrevNextColView(!rightB);
    if (!colP) return;
    colP->SetFocus();
    // From here on this column may be gone (the other column rebuilds what is right of it).
    if (!colP->i_listP) return;
    std::unique_ptr<CTopicList> selP(colP->i_listP->GetSelected(false));
    if (selP->Count() == 0) {
        colP->ArrowInColumn(false);
    } else if (selP->Count() == 1) {
        CTopic* topicP = selP->GetIndItem(0);
        colP->ClickTopic(topicP, TOPIC_Widget_BODY, 0);
        colP->AfterColumnClick(topicP);
    }
}

void VOutline::LaunchSelection() {
    if (!i_listP) return;
    std::unique_ptr<CTopicList> selP(GetSelected());
    for (CTopic* topicP : selP->Topics())
        topicP->Launch();
}

// ---------------------------------------------------------------------------------------------
// Keys

int32 VOutline::DoKey(int32 msg) {
    const uint32 key = uint32(msg);
    const bool specialB = (key & kXGKeySpecialFlag) != 0;
    const uint16 mods = uint16((key >> 16) & 0x7FFF);
    const uint16 code = uint16(key & 0xFFFF);
    if (!specialB && code == kXGKeyTabProbe) return kDispatchNotHandled;
    if (!specialB) {
        // Control with a character is a command of the menus.
        if (mods & kXGMod_Control) return kDispatchNotHandled;
        switch (code) {
        case '\r':
        case kKeyEnter:
            LaunchSelection();
            return kDispatchHandled;
        case '[':
            return DoMenuCommand(kOutlineCmd_Smaller);
        case ']':
            return DoMenuCommand(kOutlineCmd_Bigger);
        case kXGChar_Backspace:
        case kKeyDeleteChar:
        case kKeyForwardDeleteChar:
            return DoMenuCommand(kOutlineCmd_Clear);
        default:
            return kDispatchNotHandled;
        }
    }
    if (code == kXGKey_Delete) return DoMenuCommand(kOutlineCmd_Clear);
    if (GetViewAs() != O_ViewAs_HEIR_COL) return kDispatchNotHandled;
    switch (code) {
    case kXGKey_Up:
        ArrowInColumn(true);
        return kDispatchHandled;
    case kXGKey_Down:
        ArrowInColumn(false);
        return kDispatchHandled;
    case kXGKey_Left:
        MoveToColumn(false);
        return kDispatchHandled;
    case kXGKey_Right:
        MoveToColumn(true);
        return kDispatchHandled;
    default:
        return kDispatchNotHandled;
    }
}
