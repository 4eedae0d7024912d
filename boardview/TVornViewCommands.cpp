#define VORN_UNIT "TVornView.cpp"
// The board commands of the menus and of the view's keys and gestures: what each menu item
// shows (enabled, check mark, dash, bullet) and what it does. A command answers -1 (not
// the view's) where its menu item is greyed, so that a key that stands for it can still be
// typed elsewhere.
#include "TVornView.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornPrefs.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "VornBoardTask.h"
#include "VornExportCommands.h"

#include <algorithm>

using namespace yaaf;

namespace {

constexpr char kMark_Check = 0x12;
constexpr char kMark_Bullet = char(0xA5);
constexpr char kMark_Dash = 0x2D;

// The board menu items that the view's own command list does not name.
enum : int32 {
    kCmd_ViewAsIcons = 3,
    kCmd_ViewAsList = 4,
    kCmd_ViewAsHeirColumns = 5,
    kCmd_ViewAsZoom = 8,
    kCmd_ConvertToOutline = 15,
    kCmd_SortAscending = 17,
    kCmd_ShowToolbar = 19,
    kCmd_ShowStatusBar = 20,
    kCmd_GenNumerology = 42,
    kCmd_GenerateSelection = 43,
    kCmd_AppendSummation = 44,
    kCmd_AppendReduction = 45,
    kCmd_SelectMissing = 54,
    kCmd_GenSeparateLines = 63,
    kCmd_GenTitle = 64,
    kCmd_GenContent = 65,
    kCmd_GenTextDoc = 66,
    kCmd_GenVornDoc = 67,
    kCmd_GenImageLaunch = 68,
    kCmd_GenBackground = 69,
    kCmd_SetBackground = 71,
    kCmd_FontPanel = 72,
    kCmd_FontFace = 74,
    kCmd_Size9 = 80,
    kCmd_Size72 = 86,
    kCmd_StylePlain = 87,
    kCmd_StyleUnderline = 90,
    kCmd_ImportFirst = 91,
    kCmd_ImportLast = 101,
    kCmd_InsertItem = 104,
    kCmd_InsertReturn = 105,
    kCmd_SortAlphabetically = 106,
    kCmd_Randomize = 107,
    kCmd_RemoveNumerology = 116,
    kCmd_Cut = 16899,
    kCmd_Copy = 16900,
    kCmd_Paste = 16901,
    kCmd_Nothing = 17672,
    kCmd_CloseWindow = 17674,
    kCmd_AutoSave = 17925,
    kCmd_GenSpeech = 17927,
    kCmd_SetGeneratorTarget = 17931,
    kCmd_RemoveShapes = 18947,
    kCmd_SizeToFit = 18949,
    kCmd_Locked = 18953,
    kCmd_Hidden = 18954,
    kCmd_IgnoreLocks = 18956,
    kCmd_ShowHidden = 18957,
    kCmd_AlignLeft = 23041,
    kCmd_AlignBottom = 23044,
};

// The commands the view carries out. The others of its menus are answered, but greyed, so that
// no menu item offers what would do nothing.
bool IsBuiltCommand(int32 command) {
    switch (command) {
    case kCmd_ViewAsIcons:
    case kCmd_ViewAsList:
    case kCmd_ViewAsHeirColumns:
    case kCmd_ViewAsZoom:
    case kCmd_ConvertToOutline:
        return TVornView::OutlineCommandsAvailable();
    case kVornCmd_ViewAsFreeform:
    case kVornCmd_ViewAsFlatColumns:
    case kVornCmd_SelectAll:
    case kVornCmd_SelectNone:
    case kVornCmd_AddColumn:
    case kVornCmd_RemoveColumn:
    case kVornCmd_EditTitle:
    case kVornCmd_EditContent:
    case kVornCmd_Smaller:
    case kVornCmd_Bigger:
    case kVornCmd_Clear:
    case kVornCmd_GoMode:
    case kVornCmd_EditMode:
    case kCmd_GenNumerology:
    case kCmd_GenSeparateLines:
    case kCmd_GenTitle:
    case kCmd_GenContent:
    case kCmd_GenTextDoc:
    case kCmd_GenVornDoc:
    case kCmd_GenImageLaunch:
    case kCmd_GenBackground:
    case kCmd_AutoSave:
    case kCmd_GenSpeech:
    case kCmd_IgnoreLocks:
    case kCmd_ShowHidden:
    case kCmd_SelectMissing:
    case kCmd_SortAlphabetically:
    case kCmd_RemoveShapes:
    case kCmd_AlignLeft:
    case kCmd_AlignLeft + 1:
    case kCmd_AlignLeft + 2:
    case kCmd_AlignBottom:
    case kCmd_Locked:
    case kCmd_Hidden:
    case kCmd_ShowToolbar:
    case kCmd_ShowStatusBar:
    case kCmd_CloseWindow:
    case kCmd_GenerateSelection:
    case kCmd_AppendSummation:
    case kCmd_AppendReduction:
    case kCmd_RemoveNumerology:
    case kCmd_RemoveNumerology + 1:
    case kCmd_RemoveNumerology + 2:
    case kCmd_RemoveNumerology + 3:
    case kCmd_Cut:
    case kCmd_Copy:
    case kCmd_Paste:
    case kCmd_Randomize:
    case kCmd_SizeToFit:
    case kCmd_InsertItem:
    case kCmd_InsertReturn:
    case kCmd_SetBackground:
    case kCmd_ImportFirst:
    case kCmd_ImportFirst + 1:
    case kCmd_ImportFirst + 2:
    case kCmd_ImportFirst + 3:
    case kCmd_ImportFirst + 4:
    case kCmd_ImportFirst + 5:
    case kCmd_ImportLast:
        return true;
    default:
        return false;
    }
}

// The board flag a Generate, Auto Save or visibility toggle flips.
bool ToggleBit(int32 command, Vorn_PrefBit* bitP) {
    switch (command) {
    case kCmd_GenNumerology: *bitP = Vorn_PrefBit_NUMER; return true;
    case kCmd_GenSeparateLines: *bitP = Vorn_PrefBit_SEP_LINES; return true;
    case kCmd_GenTitle: *bitP = Vorn_PrefBit_DONT_GEN_TITLE; return true;
    case kCmd_GenContent: *bitP = Vorn_PrefBit_GEN_CONTENT; return true;
    case kCmd_GenTextDoc:
    case kCmd_GenVornDoc: *bitP = Vorn_PrefBit_GEN_VORN; return true;
    case kCmd_GenImageLaunch: *bitP = Vorn_PrefBit_GEN_LAUNCH_PIX; return true;
    case kCmd_GenBackground: *bitP = Vorn_PrefBit_GEN_BACKGROUND; return true;
    case kCmd_AutoSave: *bitP = Vorn_PrefBit_AUTO_SAVE; return true;
    case kCmd_GenSpeech: *bitP = Vorn_PrefBit_SPEAK; return true;
    case kCmd_IgnoreLocks: *bitP = Vorn_PrefBit_IGNORE_LOCKS; return true;
    case kCmd_ShowHidden: *bitP = Vorn_PrefBit_IGNORE_HIDDEN; return true;
    default: return false;
    }
}

void Deselect(CItemArray* groupP) {
    if (!groupP) return;
    ItemA_Iterate_SELECTData off;
    groupP->Iterate(ItemA_Iterate_SELECT, &off);
    delete groupP;
}

void StorePrefs(TVornModel* modelP) {
    if (gVornPrefsP && modelP) gVornPrefsP->Set_VornModelPrefs(modelP->i_prefs);
}

// The live items and a deep copy of every one of them, for a task that exchanges the two sets.
// False, with nothing left over, when either could not be made.
bool CopyWholeBoard(TVornModel& m, CItemArray*& liveP, CItemArray*& copiesP) {
    liveP = m.i_list->Duplicate(nullptr);
    copiesP = m.i_list->Duplicate(m.i_list);
    if (liveP && copiesP) return true;
    delete liveP;
    if (copiesP)
        for (int32 i = 0; i < copiesP->Count(); ++i)
            delete copiesP->GetIndItem(i);
    delete copiesP;
    liveP = copiesP = nullptr;
    return false;
}

} // namespace

CItemArray* TVornView::NonEmptySelection() const {
    CItemArray* selP = i_modelP ? i_modelP->GetItemSelection() : nullptr;
    if (selP && selP->Count() > 0) return selP;
    delete selP;
    return nullptr;
}

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
    Vorn_PrefBoolsRec& b = m.i_prefs.b;
    const bool editB = m.GetMode() == Vorn_Mode_EDIT;
    const int32 selected = i_selectionP ? i_selectionP->Count() : CountSelected();
    const bool itemsB = m.i_list->Count() > 0;
    const auto toggle = [&](bool checkedB) {
        statusP->enable = IsBuiltCommand(command);
        statusP->check = checkedB;
        statusP->mark = kMark_Check;
        return kDispatchHandled;
    };
    const auto groupB = [&](bool enableB) {
        statusP->enable = editB && enableB && IsBuiltCommand(command);
        return kDispatchHandled;
    };
    switch (command) {
    // Decided whatever the mode.
    case kCmd_SortAscending:
        statusP->enable = false; // only an outline view sorts
        statusP->check = b.sort_ascendingB();
        statusP->mark = kMark_Check;
        return kDispatchHandled;
    case kCmd_ShowToolbar: return toggle(b.show_toolbarB());
    case kCmd_ShowStatusBar: return toggle(b.show_statusB());
    case kCmd_GenNumerology: return toggle(b.numerB());
    case kCmd_GenSeparateLines: return toggle(b.sep_linesB());
    case kCmd_GenTitle: return toggle(!b.dont_gen_titleB());
    case kCmd_GenContent: return toggle(b.gen_contentB());
    case kCmd_GenTextDoc: return toggle(!b.gen_vorn_B());
    case kCmd_GenVornDoc: return toggle(b.gen_vorn_B());
    case kCmd_GenImageLaunch: return toggle(b.gen_launch_pixB());
    case kCmd_GenBackground: return toggle(b.gen_backgroundB());
    case kCmd_AutoSave: return toggle(b.auto_saveB());
    case kCmd_GenSpeech: return toggle(b.speakB());
    case kCmd_IgnoreLocks: return toggle(b.ignore_locksB());
    case kCmd_ShowHidden: return toggle(b.ignore_hiddenB());
    case kCmd_ConvertToOutline:
    case kCmd_CloseWindow:
        statusP->enable = IsBuiltCommand(command);
        return kDispatchHandled;
    case kCmd_FontPanel:
    case kCmd_FontFace:
    case kCmd_Size9:
    case kCmd_Size9 + 1:
    case kCmd_Size9 + 2:
    case kCmd_Size9 + 3:
    case kCmd_Size9 + 4:
    case kCmd_Size9 + 5:
    case kCmd_Size72:
    case kCmd_StylePlain:
    case kCmd_StylePlain + 1:
    case kCmd_StylePlain + 2:
    case kCmd_StyleUnderline:
    case kVornCmd_Smaller:
    case kVornCmd_Bigger:
        GetFontCommandStatus(command, statusP);
        return kDispatchHandled;
    case kCmd_FontPanel + 1:
    case kCmd_FontPanel + 3:
        statusP->enable = false;
        return kDispatchHandled;
    case kVornCmd_GoMode:
    case kVornCmd_EditMode:
        statusP->enable = true;
        statusP->check = (command == kVornCmd_GoMode) == (m.GetMode() == Vorn_Mode_GO);
        statusP->mark = kMark_Bullet;
        return kDispatchHandled;
    case kCmd_SetGeneratorTarget:
        statusP->enable = true;
        statusP->check = IsGeneratorTarget();
        statusP->mark = kMark_Check;
        return kDispatchHandled;
    case kCmd_Nothing:
        statusP->enable = false;
        return kDispatchHandled;

    // Edit Mode only.
    case kCmd_ViewAsIcons:
    case kCmd_ViewAsList:
    case kCmd_ViewAsHeirColumns:
    case kVornCmd_ViewAsFreeform:
    case kVornCmd_ViewAsFlatColumns:
    case kCmd_ViewAsZoom:
        statusP->check = m.i_prefs.view_as == command - 2;
        statusP->mark = kMark_Bullet;
        return groupB(true);
    case kVornCmd_SelectAll:
    case kCmd_SelectMissing:
    case kCmd_SortAlphabetically:
    case kCmd_Randomize:
    case kCmd_RemoveNumerology + 1:
    case kCmd_RemoveNumerology + 2:
    case kCmd_RemoveNumerology + 3:
        return groupB(itemsB);
    case kVornCmd_AddColumn:
    case kVornCmd_RemoveColumn:
        // While a title is edited, "=" and "-" are typed into it.
        return groupB(m.IsFlatColumns() && !i_renameTE);
    case kCmd_InsertItem:
    case kCmd_InsertReturn:
        return groupB(m.IsFlatColumns());
    case kCmd_ImportFirst:
    case kCmd_ImportFirst + 1:
    case kCmd_ImportFirst + 2:
    case kCmd_ImportFirst + 3:
    case kCmd_ImportFirst + 4:
    case kCmd_ImportFirst + 5:
    case kCmd_ImportLast:
        return groupB(true);
    case kCmd_ImportFirst + 6:
    case kCmd_ImportFirst + 7:
    case kCmd_ImportFirst + 9: // no reader offered for these
        statusP->enable = false;
        return kDispatchHandled;
    // While a title is edited, the keys cut, copy and paste its text.
    case kCmd_Paste:
        return groupB(!i_renameTE && ClipboardHoldsItems());
    case kCmd_Cut:
    case kCmd_Copy:
        return groupB(selected > 0 && !i_renameTE);
    case kCmd_GenerateSelection:
    case kCmd_AppendSummation:
    case kCmd_AppendReduction:
    case kCmd_RemoveNumerology: // strips the selected titles only
    case kVornCmd_SelectNone:
    case kVornCmd_Clear:
    case kCmd_RemoveShapes:
        return groupB(selected > 0);
    case kVornCmd_EditTitle:
    case kVornCmd_EditContent:
        return groupB(selected == 1 && !i_renameTE);
    case kCmd_SetBackground:
        statusP->check = selected == 1 && i_selectionP && i_selectionP->GetIndItem(0)->i_b.backgroundB();
        statusP->mark = kMark_Check;
        return groupB(selected == 1);
    case kCmd_SizeToFit:
    case kCmd_AlignLeft:
    case kCmd_AlignLeft + 1:
    case kCmd_AlignLeft + 2:
    case kCmd_AlignBottom:
        return groupB(selected > 0 && m.i_prefs.view_as == O_ViewAs_FREEFORM);
    case kCmd_Locked:
    case kCmd_Hidden: {
        ItemA_Iterate_GET_MENU_INFOData info;
        if (i_selectionP) i_selectionP->Iterate(ItemA_Iterate_GET_MENU_INFO, &info);
        const int16 onS = command == kCmd_Locked ? info.lockedS : info.hiddenS;
        const int16 offS = command == kCmd_Locked ? info.unlockedS : info.visibleS;
        statusP->check = onS > 0;
        statusP->mark = onS > 0 && offS > 0 ? kMark_Dash : kMark_Check;
        return groupB(selected > 0);
    }
    default:
        // File > Export and the Open Board Format import.
        return VornExportCommand_Status(this, command, statusP) ? kDispatchHandled : kDispatchNotHandled;
    }
}

void TVornView::DoViewCommand(int32 command) {
    DoMenuCommand(command);
}

int32 TVornView::DoMenuCommand(int32 command, void* dataP) {
    if (!i_modelP) return kDispatchNotHandled;
    XGSMenuStatus status;
    const bool own_selectionB = !i_selectionP;
    if (own_selectionB) i_selectionP = i_modelP->GetItemSelection();
    const int32 answer = DoGetMenuStatus(command, &status);
    if (own_selectionB) {
        delete i_selectionP;
        i_selectionP = nullptr;
    }
    if (answer == kDispatchNotHandled) return kDispatchNotHandled;
    if (!status.enable) return kDispatchNotHandled;
    FinishTracking();
    if (VornExportCommand_Run(this, command)) return kDispatchHandled;
    TVornModel& m = *i_modelP;
    SetStacks(false);
    Vorn_PrefBit bit;
    if (ToggleBit(command, &bit)) {
        m.i_prefs.b.Set(bit, !m.i_prefs.b.Get(bit));
        StorePrefs(i_modelP);
        // Locked or hidden items are out of reach again once locks or hiding count.
        if (command == kCmd_IgnoreLocks || command == kCmd_ShowHidden) {
            if (!m.i_prefs.b.Get(bit))
                Deselect(m.GetItemGroup(command == kCmd_IgnoreLocks ? ItemA_Iterate_GET_LOCKED
                                                                    : ItemA_Iterate_GET_HIDDEN));
            i_sel_changedB = true;
            DocChanged(true);
        }
        return kDispatchHandled;
    }
    switch (command) {
    case kCmd_SortAlphabetically: {
        EndInPlaceEdit();
        CItemArray* liveP = nullptr;
        CItemArray* copiesP = nullptr;
        if (!CopyWholeBoard(m, liveP, copiesP)) return kDispatchHandled;
        O_SortType key = O_Sort_NAME;
        copiesP->Sort(CItemArray::CB_S_ArraySort, &key);
        int32 counter = 0;
        copiesP->Iterate(ItemA_Iterate_SET_INDEX, &counter);
        BoardTask_Exchange(this, liveP, copiesP, kVornTaskCmd_SortItems, "Sort Items");
        return kDispatchHandled;
    }
    case kCmd_RemoveShapes: {
        EndInPlaceEdit();
        CItemArray* selP = NonEmptySelection();
        if (!selP) return kDispatchHandled;
        BoardTask_Shapes(this, selP, true, "Remove Shapes");
        return kDispatchHandled;
    }
    case kCmd_AlignLeft:
    case kCmd_AlignLeft + 1:
    case kCmd_AlignLeft + 2:
    case kCmd_AlignBottom: {
        EndInPlaceEdit();
        CItemArray* liveP = m.GetItemSelection();
        CItemArray* copiesP = liveP && liveP->Count() > 0 ? liveP->Duplicate(m.i_list) : nullptr;
        if (!copiesP) {
            delete liveP;
            return kDispatchHandled;
        }
        // The first pass finds the outermost edge, the second moves every copy onto it.
        ItemA_Iterate_AlignData align;
        align.command = command;
        align.getB = true;
        copiesP->Iterate(ItemA_Iterate_ALIGN, &align);
        align.getB = false;
        copiesP->Iterate(ItemA_Iterate_ALIGN, &align);
        BoardTask_Exchange(this, liveP, copiesP, command, "Align Item(s)");
        return kDispatchHandled;
    }
    case kCmd_SelectMissing: {
        EndInPlaceEdit();
        CItemArray* missingP = m.GetItemGroup(ItemA_Iterate_GET_MISSING);
        if (!missingP) return kDispatchHandled;
        m.SetSelection(missingP);
        delete missingP;
        i_sel_changedB = true;
        InvalView();
        return kDispatchHandled;
    }
    case kCmd_Locked:
    case kCmd_Hidden: {
        EndInPlaceEdit();
        CItemArray* selP = NonEmptySelection();
        if (!selP) return kDispatchHandled;
        ItemA_Iterate_SET_MENU_INFOData info;
        const bool lockB = command == kCmd_Locked;
        // A mixed selection shows the dash, and choosing it turns the flag on for all.
        const bool onB = !status.check || status.mark == kMark_Dash;
        (lockB ? info.set_lockedB : info.set_hiddenB) = true;
        (lockB ? info.lockedB : info.hiddenB) = onB;
        BoardTask_SetMenuInfo(this, selP, info, lockB ? "Lock Item(s)" : "Hide Item(s)");
        i_sel_changedB = true;
        return kDispatchHandled;
    }
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
        CItemArray* selP = NonEmptySelection();
        if (!selP) return kDispatchHandled;
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
        CItemArray* selP = NonEmptySelection();
        if (!selP) return kDispatchHandled;
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
        CItemArray* liveP = nullptr;
        CItemArray* copiesP = nullptr;
        if (!CopyWholeBoard(m, liveP, copiesP)) return kDispatchHandled;
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
        if (DoItemCommand(command) != kDispatchNotHandled) return kDispatchHandled;
        return DoOutlineCommand(command) || DoFontCommand(command, dataP) || DoGenerateCommand(command) ||
                       DoWindowCommand(command)
                   ? kDispatchHandled
                   : kDispatchNotHandled;
    }
}
