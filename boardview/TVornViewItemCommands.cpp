#define VORN_UNIT "TVornView.cpp"
// Board commands that make or remake items: Randomize, Size to Fit, Insert Item After Selection,
// Insert Carriage Return and Set as Background Image; and the way in to the clipboard and
// import commands.
#include "TVornView.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"
#include "VornBoardTask.h"

#include <limits>

using namespace yaaf;

namespace {

enum : int32 {
    kCmd_SetBackground = 71,
    kCmd_InsertItem = 104,
    kCmd_InsertReturn = 105,
    kCmd_Randomize = 107,
    kCmd_SizeToFit = 18949,
};

// Copies of the items, off the board, each knowing the position of its item.
CItemArray* CopiesOf(TVornModel& board, CItemArray* itemsP) {
    return itemsP ? itemsP->Duplicate(board.i_list) : nullptr;
}

// Gives the copies the flat-column places of a board of one column as long as they need, and
// makes those their freeform places: a shuffled freeform board reads top to bottom in its new
// order. The board's own items and settings are left as they were.
void LayOutAsOneColumn(TVornModel& board, const tagRECT& contentR, CItemArray& copies) {
    const O_ViewAsType viewAs = board.i_prefs.view_as;
    const int16 columnsS = board.i_prefs.num_columnsS;
    board.i_prefs.view_as = O_ViewAs_FLAT_COL;
    board.i_prefs.num_columnsS = 1;
    board.ComputeColumns(contentR);
    // One column for all of them: none moves on to a next column.
    board.i_colA[0].bottom = std::numeric_limits<int32>::max() / 2;
    board.i_columnS = 0;
    board.i_init_firstB = true;
    board.i_layout_fullB = false;
    for (int32 i = 0; i < copies.Count(); ++i) {
        CVornItem* itemP = copies.GetIndItem(i);
        itemP->i_vornP = &board;
        itemP->UseAutoBounds(true);
    }
    copies.Iterate(ItemA_Iterate_FLOW_COLUMNS, nullptr);
    copies.Iterate(ItemA_Iterate_ADOPT_AUTO_BOUNDS, nullptr);
    for (int32 i = 0; i < copies.Count(); ++i) {
        CVornItem* itemP = copies.GetIndItem(i);
        itemP->UseAutoBounds(false);
        itemP->i_vornP = nullptr;
    }
    board.i_prefs.view_as = viewAs;
    board.i_prefs.num_columnsS = columnsS;
    board.i_layout_fullB = false;
    board.ComputeColumns(contentR);
}

} // namespace

void TVornView::Randomize() {
    TVornModel& m = *i_modelP;
    CItemArray* liveP = m.i_list->Duplicate(nullptr);
    CItemArray* copiesP = liveP ? CopiesOf(m, m.i_list) : nullptr;
    if (!copiesP) {
        delete liveP;
        return;
    }
    // Random positions, in that order, then numbered from the first.
    int32 counter = kNoIndex;
    copiesP->Iterate(ItemA_Iterate_SET_INDEX, &counter);
    O_SortType key = O_Sort_INDEX;
    copiesP->Sort(CItemArray::CB_S_ArraySort, &key);
    counter = 0;
    copiesP->Iterate(ItemA_Iterate_SET_INDEX, &counter);
    if (m.i_prefs.view_as == O_ViewAs_FREEFORM) {
        ScViewDraw measure(this); // one drawing context measures every title
        LayOutAsOneColumn(m, GetContentRect(), *copiesP);
    }
    BoardTask_Exchange(this, liveP, copiesP, kVornTaskCmd_RandomizeItems, "Randomize Items");
}

void TVornView::SizeSelectionToFit() {
    TVornModel& m = *i_modelP;
    CItemArray* liveP = m.GetItemSelection();
    CItemArray* copiesP = liveP && liveP->Count() > 0 ? CopiesOf(m, liveP) : nullptr;
    if (!copiesP) {
        delete liveP;
        return;
    }
    // Measured with the board's fonts and drawing; items with a shape keep their size.
    const bool flatB = m.IsFlatColumns();
    ScViewDraw measure(this);
    for (int32 i = 0; i < copiesP->Count(); ++i) {
        CVornItem* itemP = copiesP->GetIndItem(i);
        itemP->i_vornP = &m;
        itemP->UseAutoBounds(flatB);
        itemP->CB_Iterate(copiesP, i, ItemA_Iterate_SIZE_TO_FIT, nullptr);
        itemP->i_vornP = nullptr;
    }
    BoardTask_Exchange(this, liveP, copiesP, kCmd_SizeToFit, "Size to Fit Item(s)");
}

void TVornView::InsertItemAfterSelection() {
    TVornModel& m = *i_modelP;
    CItemArray* selP = m.GetItemSelection();
    const int32 afterL = selP && selP->Count() > 0 ? m.i_list->LastIndexOf(selP->GetIndItem(-1)) : kNoIndex;
    delete selP;
    CVornItem* itemP = m.AddWord("");
    if (!itemP) return;
    itemP->DeleteFromList(false);
    itemP->i_vornP = &m;
    itemP->i_indexL = afterL == kNoIndex ? -1 : afterL + 1;
    // As wide as a column while its title is typed.
    itemP->i_full_widthB = true;
    if (!AddItemCmd(itemP, "Insert Item", nullptr)) return;
    i_rename_contentB = false;
    Rename(itemP);
}

void TVornView::InsertReturn() {
    TVornModel& m = *i_modelP;
    CVornItem* itemP = m.AddReturnBeforeSelection();
    if (!itemP) return;
    itemP->DeleteFromList(false);
    itemP->i_vornP = &m;
    AddItemCmd(itemP, "Insert Carriage Return", nullptr);
}

void TVornView::SetAsBackground() {
    TVornModel& m = *i_modelP;
    CItemArray* selP = m.GetItemSelection();
    CItemArray* liveP = new CItemArray;
    if (!selP || selP->Count() == 0 || liveP->Add(selP->GetIndItem(0)) != 0) {
        delete selP;
        delete liveP;
        return;
    }
    delete selP;
    CItemArray* copiesP = CopiesOf(m, liveP);
    if (!copiesP) {
        delete liveP;
        return;
    }
    CVornItem* copyP = copiesP->GetIndItem(0);
    const bool backgroundB = !copyP->i_b.backgroundB();
    copyP->i_b.set_backgroundB(backgroundB);
    copyP->i_b.set_lockedB(backgroundB);
    if (backgroundB) {
        // Behind everything: after the background items already there, before all others.
        copyP->i_b.set_selectedB(false);
        CItemArray* backgroundsP = m.GetBackgrounds();
        copyP->i_indexL = backgroundsP ? backgroundsP->Count() : 0;
        delete backgroundsP;
    }
    BoardTask_Exchange(this, liveP, copiesP, kVornTaskCmd_SetBackground, "Set as Background");
}

int32 TVornView::DoItemCommand(int32 command) {
    switch (command) {
    case kCmd_Randomize:
        EndInPlaceEdit();
        Randomize();
        return kDispatchHandled;
    case kCmd_SizeToFit:
        EndInPlaceEdit();
        SizeSelectionToFit();
        return kDispatchHandled;
    case kCmd_InsertItem:
        EndInPlaceEdit();
        InsertItemAfterSelection();
        return kDispatchHandled;
    case kCmd_InsertReturn:
        EndInPlaceEdit();
        InsertReturn();
        return kDispatchHandled;
    case kCmd_SetBackground:
        EndInPlaceEdit();
        SetAsBackground();
        return kDispatchHandled;
    default:
        break;
    }
    const int32 answer = DoClipboardCommand(command);
    return answer != kDispatchNotHandled ? answer : DoImportCommand(command);
}
