#define VORN_UNIT "TVornView.cpp"
// The board commands that the view's keys and gestures send: selecting, editing in place,
// clearing, columns, font size, the two modes and the two layouts. A command answers -1 (not
// the view's) where its menu item is greyed, so that a key that stands for it can still be
// typed elsewhere.
#include "TVornView.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornPrefs.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "VornBoardTask.h"

#include <algorithm>

using namespace yaaf;

namespace {

constexpr char kMark_Check = 0x12;
constexpr char kMark_Bullet = char(0xA5);

void StorePrefs(TVornModel* modelP) {
    if (gVornPrefsP && modelP) gVornPrefsP->Set_VornModelPrefs(modelP->i_prefs);
}

} // namespace

int32 TVornView::DoGetMenuStatusPre() {
    if (i_selectionP) {
        VORN_ASSERT_DLG(i_selectionP == NULL);
        delete i_selectionP;
    }
    i_selectionP = i_modelP ? i_modelP->GetItemSelection() : nullptr;
    return kDispatchNotHandled;
}

int32 TVornView::DoGetMenuStatusPost() {
    if (!i_selectionP && i_modelP) VORN_ASSERT_DLG(i_selectionP);
    delete i_selectionP;
    i_selectionP = nullptr;
    return kDispatchNotHandled;
}

int32 TVornView::DoGetMenuStatus(int32 command, XGSMenuStatus* statusP) {
    if (!i_modelP || !statusP) return kDispatchNotHandled;
    TVornModel& m = *i_modelP;
    const bool editB = m.GetMode() == Vorn_Mode_EDIT;
    const int32 selected = i_selectionP ? i_selectionP->Count() : CountSelected();
    switch (command) {
    case kVornCmd_GoMode:
    case kVornCmd_EditMode:
        statusP->enable = true;
        statusP->check = (command == kVornCmd_GoMode) == (m.GetMode() == Vorn_Mode_GO);
        statusP->mark = kMark_Bullet;
        return kDispatchHandled;
    case kVornCmd_Smaller:
    case kVornCmd_Bigger:
        statusP->enable = true;
        return kDispatchHandled;
    case kVornCmd_ViewAsFreeform:
    case kVornCmd_ViewAsFlatColumns:
        statusP->enable = editB;
        statusP->check = m.i_prefs.view_as == command - 2;
        statusP->mark = kMark_Check;
        return kDispatchHandled;
    case kVornCmd_SelectAll:
        statusP->enable = editB && m.i_list->Count() > 0;
        return kDispatchHandled;
    case kVornCmd_SelectNone:
    case kVornCmd_Clear:
        statusP->enable = editB && selected > 0;
        return kDispatchHandled;
    case kVornCmd_AddColumn:
    case kVornCmd_RemoveColumn:
        // While a title is edited, "=" and "-" are typed into it.
        statusP->enable = editB && m.IsFlatColumns() && !i_renameTE;
        return kDispatchHandled;
    case kVornCmd_EditTitle:
    case kVornCmd_EditContent:
        statusP->enable = editB && selected == 1 && !i_renameTE;
        return kDispatchHandled;
    default:
        return kDispatchNotHandled;
    }
}

void TVornView::DoViewCommand(int32 command) {
    DoMenuCommand(command);
}

int32 TVornView::DoMenuCommand(int32 command, void*) {
    if (!i_modelP) return kDispatchNotHandled;
    XGSMenuStatus status;
    if (DoGetMenuStatus(command, &status) == kDispatchNotHandled) return kDispatchNotHandled;
    if (!status.enable) return kDispatchNotHandled;
    FinishTracking();
    TVornModel& m = *i_modelP;
    SetStacks(false);
    switch (command) {
    case kVornCmd_SelectAll:
    case kVornCmd_SelectNone:
        EndInPlaceEdit();
        m.SelectAll(command == kVornCmd_SelectAll);
        i_sel_changedB = true;
        InvalView();
        return kDispatchHandled;
    case kVornCmd_AddColumn:
    case kVornCmd_RemoveColumn:
        EndInPlaceEdit();
        // At most 20 columns, at least one.
        if (command == kVornCmd_AddColumn ? m.i_prefs.num_columnsS > 19 : m.i_prefs.num_columnsS < 2)
            return kDispatchHandled;
        if (BoardTask_Columns(this, command, command == kVornCmd_AddColumn ? "Add Column" : "Remove Column"))
            StorePrefs(i_modelP);
        return kDispatchHandled;
    case kVornCmd_EditTitle:
    case kVornCmd_EditContent: {
        CItemArray* selP = m.GetItemSelection();
        if (selP && selP->Count() == 1) {
            i_rename_contentB = command == kVornCmd_EditContent;
            Rename(selP->GetIndItem(0));
        }
        delete selP;
        return kDispatchHandled;
    }
    case kVornCmd_Smaller:
    case kVornCmd_Bigger: {
        CItemArray* selP = m.GetItemSelection();
        if (!selP || selP->Count() == 0) {
            delete selP;
            return kDispatchHandled;
        }
        EndInPlaceEdit();
        XGFontChangeRec rec;
        rec.set_sizeB = true;
        rec.size_deltaB = true;
        rec.sizeS = command == kVornCmd_Bigger ? 1 : -1;
        m.i_prefs.font.size = int16(std::max(1, m.i_prefs.font.size + rec.sizeS));
        if (BoardTask_ChangeFont(this, selP, rec, "Change Font Size")) StorePrefs(i_modelP);
        return kDispatchHandled;
    }
    case kVornCmd_Clear: {
        EndInPlaceEdit();
        CItemArray* selP = m.GetItemSelection();
        if (!selP || selP->Count() == 0) {
            delete selP;
            return kDispatchHandled;
        }
        BoardTask_Remove(this, selP, "Clear Item(s)");
        return kDispatchHandled;
    }
    case kVornCmd_GoMode:
    case kVornCmd_EditMode:
        EndInPlaceEdit();
        BoardTask_SwitchMode(this,
                             m.GetMode() == Vorn_Mode_EDIT ? "Switch To Go Mode" : "Switch To Edit Mode");
        return kDispatchHandled;
    case kVornCmd_ViewAsFreeform:
    case kVornCmd_ViewAsFlatColumns: {
        if (m.i_prefs.view_as == command - 2) return kDispatchHandled;
        EndInPlaceEdit();
        CItemArray* liveP = m.i_list->Duplicate(nullptr);
        CItemArray* copiesP = m.i_list->Duplicate(m.i_list);
        if (!liveP || !copiesP) {
            delete liveP;
            if (copiesP)
                for (int32 i = 0; i < copiesP->Count(); ++i)
                    delete copiesP->GetIndItem(i);
            delete copiesP;
            return kDispatchHandled;
        }
        bool flatB = command == kVornCmd_ViewAsFlatColumns;
        if (flatB) {
            copiesP->Iterate(ItemA_Iterate_CLEAR_RGN, nullptr);
            ItemA_Iterate_SET_MENU_INFOData visible;
            visible.set_hiddenB = true;
            visible.hiddenB = false;
            copiesP->Iterate(ItemA_Iterate_SET_MENU_INFO, &visible);
        }
        copiesP->Iterate(ItemA_Iterate_USE_AUTO_BOUNDS, &flatB);
        if (BoardTask_Exchange(this, liveP, copiesP, command,
                               flatB ? "View as Flat Columns" : "View as Freeform"))
            StorePrefs(i_modelP);
        return kDispatchHandled;
    }
    default:
        return kDispatchNotHandled;
    }
}
