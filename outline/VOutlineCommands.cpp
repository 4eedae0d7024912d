#define OUTLINE_UNIT "VOutline"
// The outline view's menu commands and their states, renaming in place, the column header's
// messages and drops.
#include "VOutline.h"

#include "BoardOutline.h"
#include "CDo.h"
#include "CTopic.h"
#include "CTopicList.h"
#include "OutlineAssert.h"
#include "VOutlineBrowser.h"
#include "XGBeep.h"
#include "XGControlMessages.h"
#include "XGFont.h"
#include "XGGeometry.h"
#include "XGHeader.h"
#include "XGInlineEdit.h"
#include "XGWindow.h"

#include <algorithm>

using namespace yaaf;

namespace {

bool IsViewCommand(int32 command) {
    return command >= kOutlineCmd_ViewAsIcons && command <= kOutlineCmd_ViewAsFlatColumnsNew;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Menu commands

int32 VOutline::DoMenuCommand(int32 command) {
    if (IsViewCommand(command)) {
        VBrowserWindowView* bwP = GetBrowserView();
        if (!bwP) return kDispatchNotHandled;
        // The view may be replaced by the new mode's: nothing of it is touched afterwards.
        VOutlineBrowser(bwP).SetViewAs(O_ViewAsType(command - 2));
        return kDispatchHandled;
    }
    switch (command) {
    case kOutlineCmd_SortAscending:
        if (i_listP) {
            i_listP->SetFlag(LIST_Flag_SORT_ASCENDING, !i_listP->GetFlag(LIST_Flag_SORT_ASCENDING));
            InvalView();
        }
        return kDispatchHandled;
    case kOutlineCmd_ShowToolbar:
    case kOutlineCmd_ShowStatus:
        if (i_listP) {
            const uint32 flag = command == kOutlineCmd_ShowToolbar ? LIST_Flag_SHOW_TOOLBAR : LIST_Flag_SHOW_STATUS;
            i_listP->SetFlag(flag, !i_listP->GetFlag(flag));
        }
        return kDispatchHandled;
    case kOutlineCmd_SelectAll:
    case kOutlineCmd_SelectNone:
        CloseRename();
        SelectAll(command == kOutlineCmd_SelectAll);
        return kDispatchHandled;
    case kOutlineCmd_Rename: {
        std::unique_ptr<CTopicList> selP(GetSelected());
        if (!i_renameTE && selP->Count() == 1) Rename(selP->GetIndItem(0));
        return kDispatchHandled;
    }
    case kOutlineCmd_Smaller:
    case kOutlineCmd_Bigger:
        // Zoom boxes shrink and grow; elsewhere the font commands are taken without effect.
        if (GetViewAs() == O_ViewAs_ZOOM) {
            const int32 next = command == kOutlineCmd_Bigger ? i_zoomPercentL * 5 / 4 : i_zoomPercentL * 4 / 5;
            i_zoomPercentL = std::clamp(next, kZoomMinPercent, kZoomMaxPercent);
            RecalcScroll();
            InvalView();
        }
        return kDispatchHandled;
    case kOutlineCmd_Cut:
        // Copy and Clear, which change nothing here, as one undo group.
        if (gDo) {
            gDo->StartGroup("Cut Item(s)");
            DoMenuCommand(kOutlineCmd_Copy);
            DoMenuCommand(kOutlineCmd_Clear);
            gDo->EndGroup("Cut Item(s)");
        }
        return kDispatchHandled;
    case kOutlineCmd_Close:
        CloseRename();
        if (XGWindow* windowP = GetWindow()) windowP->Close();
        return kDispatchHandled;
    case kOutlineCmd_AutoSave:
        if (i_listP) i_listP->SetFlag(LIST_Flag_AUTO_SAVE, !i_listP->GetFlag(LIST_Flag_AUTO_SAVE));
        return kDispatchHandled;
    case kOutlineCmd_IgnoreLocks:
    case kOutlineCmd_ShowHidden:
        if (i_listP) {
            const uint32 flag = command == kOutlineCmd_IgnoreLocks ? LIST_Flag_IGNORE_LOCKS : LIST_Flag_SHOW_HIDDEN;
            i_listP->SetFlag(flag, !i_listP->GetFlag(flag));
            DocChanged(true);
        }
        return kDispatchHandled;
    case kOutlineCmd_FontPanel:
    case kOutlineCmd_SortAlphabetically:
    case kOutlineCmd_Copy:
    case kOutlineCmd_Clear:
    case kOutlineCmd_Preferences:
    case kOutlineCmd_SizeToFit:
    case kOutlineCmd_Locked:
    case kOutlineCmd_Hidden:
        return kDispatchHandled;
    default:
        if ((command > kOutlineCmd_Bigger && command <= 90) ||
            (command >= kOutlineCmd_AlignLeft && command <= kOutlineCmd_AlignBottom))
            return kDispatchHandled;
        return kDispatchNotHandled;
    }
}

int32 VOutline::DoGetMenuStatusPre() {
    OUTLINE_ASSERT_TEXT(i_selectionP == nullptr, "i_selectionP == NULL");
    delete i_selectionP;
    i_selectionP = GetSelected();
    return kDispatchNotHandled;
}

int32 VOutline::DoGetMenuStatusPost() {
    OUTLINE_ASSERT_TEXT(i_selectionP, "i_selectionP");
    delete i_selectionP;
    i_selectionP = nullptr;
    return kDispatchNotHandled;
}

int32 VOutline::DoGetMenuStatus(int32 command, XGSMenuStatus* statusP) {
    if (!statusP) return kDispatchNotHandled;
    const O_ViewAsType viewAs = GetViewAs();
    const int32 selected = i_selectionP ? i_selectionP->Count() : CountSelected();
    const bool hasTopics = i_listP && i_listP->Count() > 0;
    const bool freeform = viewAs == O_ViewAs_FREEFORM_NEW;
    auto set = [statusP](bool enable, bool check = false) {
        statusP->enable = enable;
        statusP->check = check;
        return kDispatchHandled;
    };
    switch (command) {
    case kOutlineCmd_ViewAsFreeform:
    case kOutlineCmd_ViewAsFlatColumns:
        // A board shown as an outline goes back to the board from here.
        if (!BoardOutline_IsBoardWindow(GetBrowserView())) return kDispatchNotHandled;
        return set(true, false);
    case kOutlineCmd_ViewAsIcons:
    case kOutlineCmd_ViewAsList:
    case kOutlineCmd_ViewAsColumns:
    case kOutlineCmd_ViewAsZoom:
    case kOutlineCmd_ViewAsFreeformNew:
    case kOutlineCmd_ViewAsFlatColumnsNew:
        return set(true, viewAs == O_ViewAsType(command - 2));
    case kOutlineCmd_SortAscending:
        return set(viewAs == O_ViewAs_ICONS || viewAs == O_ViewAs_LIST || viewAs == O_ViewAs_HEIR_COL,
                   i_listP && i_listP->GetFlag(LIST_Flag_SORT_ASCENDING));
    case kOutlineCmd_ShowToolbar:
        return set(true, i_listP && i_listP->GetFlag(LIST_Flag_SHOW_TOOLBAR));
    case kOutlineCmd_ShowStatus:
        return set(true, i_listP && i_listP->GetFlag(LIST_Flag_SHOW_STATUS));
    case kOutlineCmd_SelectAll:
    case kOutlineCmd_SortAlphabetically:
        return set(hasTopics);
    case kOutlineCmd_SelectNone:
        return set(selected > 0);
    case kOutlineCmd_Rename:
        return set(!i_renameTE && selected == 1);
    case kOutlineCmd_FontPanel:
    case kOutlineCmd_Preferences:
    case kOutlineCmd_Close:
        return set(true);
    case kOutlineCmd_Cut:
    case kOutlineCmd_Copy:
    case kOutlineCmd_Clear:
        return set(selected > 0);
    case kOutlineCmd_AutoSave:
        return set(true, i_listP && i_listP->GetFlag(LIST_Flag_AUTO_SAVE));
    case kOutlineCmd_SizeToFit:
        return set(selected > 0 && freeform);
    case kOutlineCmd_Locked:
    case kOutlineCmd_Hidden: {
        O_CountLocksRec counts;
        if (i_selectionP) i_selectionP->Iterate(TOPIC_Iter_COUNT_LOCKS, &counts, false);
        const bool lockB = command == kOutlineCmd_Locked;
        const int32 on = lockB ? counts.lockedL : counts.hiddenL;
        const int32 off = lockB ? counts.unlockedL : counts.visibleL;
        statusP->enable = true;
        statusP->check = on > 0;
        statusP->mark = (on > 0 && off > 0) ? char(0x2D) : char(0x12);
        return kDispatchHandled;
    }
    case kOutlineCmd_IgnoreLocks:
        return set(true, i_listP && i_listP->GetFlag(LIST_Flag_IGNORE_LOCKS));
    case kOutlineCmd_ShowHidden:
        return set(true, i_listP && i_listP->GetFlag(LIST_Flag_SHOW_HIDDEN));
    default:
        if (command >= kOutlineCmd_Smaller && command <= 90) return set(true);
        if (command >= kOutlineCmd_AlignLeft && command <= kOutlineCmd_AlignBottom) return set(selected > 0 && freeform);
        return kDispatchNotHandled;
    }
}

// ---------------------------------------------------------------------------------------------
// Renaming in place

void VOutline::Rename(CTopic* topicP) {
    if (!topicP || i_renameTE) return;
    UpdateRects();
    tagRECT r = topicP->GetScreenBounds();
    InsetRect(r, 2, 2);
    if (EmptyRect(r)) r = tagRECT{r.left, r.top, r.left + 40, r.top + 16};
    i_renameTopicP = topicP;
    i_renameTE = new XGInlineEdit(this, r, XGFont(topicP->i_font), topicP->GetNameRef(), false, kOutlineRenameEditID);
    InvalTopic(topicP, false);
}

int32 VOutline::HandleInlineClose(int32 param, void* data) {
    if (param != kOutlineRenameEditID) return kDispatchNotHandled;
    const bool cancelB = data && *static_cast<int32*>(data) == kXGInline_Cancelled;
    if (i_inline_closingB) return kDispatchHandled;
    if (!i_renameTE) {
        OUTLINE_ASSERT_DLG(i_renameTE);
        XGBeep();
        return kDispatchNotHandled;
    }
    if (cancelB) {
        CloseRename();
        return kDispatchHandled;
    }
    return DoInlineClose();
}

int32 VOutline::DoInlineClose() {
    if (i_inline_closingB) return kDispatchHandled;
    if (!i_renameTE) {
        OUTLINE_ASSERT_DLG(i_renameTE);
        XGBeep();
        return kDispatchNotHandled;
    }
    i_inline_closingB = true;
    const std::string text = i_renameTE->GetText();
    CTopic* topicP = i_renameTopicP;
    XGInlineEdit* editP = i_renameTE;
    const bool refocusB = !editP->IsLosingFocus();
    i_renameTE = nullptr;
    i_renameTopicP = nullptr;
    // The editor may be the one that sent the message: it touches nothing after sending it.
    delete editP;
    if (topicP) {
        topicP->SetName(text);
        DocChanged(true);
    }
    i_new_itemB = false;
    SetStacks(false);
    if (refocusB) SetFocus();
    i_inline_closingB = false;
    return kDispatchHandled;
}

void VOutline::CloseRename() {
    if (!i_renameTE) {
        i_renameTopicP = nullptr;
        return;
    }
    XGInlineEdit* editP = i_renameTE;
    i_renameTE = nullptr;
    i_renameTopicP = nullptr;
    i_inline_closingB = true;
    delete editP;
    i_inline_closingB = false;
    InvalView();
}

// ---------------------------------------------------------------------------------------------
// Header messages

int32 VOutline::HandleHeaderChange(int32, void* data) {
    const auto* changeP = static_cast<const XGHeaderChangeRecord*>(data);
    if (changeP && changeP->finalB) {
        UpdateRects();
        RecalcScroll();
        InvalView();
    }
    return kDispatchNotHandled;
}

// ---------------------------------------------------------------------------------------------
// Drops: the data is collected and kept; nothing more is done with it.

bool VOutline::Accept(uint16, int32, FourCharCode flavorType) {
    return flavorType == kXGFlavor_URL || flavorType == kXGFlavor_Text || flavorType == kXGFlavor_File ||
           flavorType == 'tadf';
}

bool VOutline::DropStart(Point, uint16) {
    CloseRename();
    i_dragReceiverP = std::make_unique<XGDragReceiver>();
    return true;
}

void VOutline::Drop(Point, uint16, int32 itemRef, FourCharCode flavor, const void* dataP, int32 dataLen) {
    if (i_dragReceiverP) i_dragReceiverP->Add(itemRef, flavor, dataP, dataLen);
}

void VOutline::Track(Point where, uint16) {
    SetRecentTopic(HitTest(where));
}

void VOutline::DragLeave() {
    SetRecentTopic(nullptr);
}
