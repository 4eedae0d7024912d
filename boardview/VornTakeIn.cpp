#define VORN_UNIT "VornTakeIn.cpp"
#include "VornTakeIn.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornBoardTask.h"
#include "XGBeep.h"

#include <new>
#include <unordered_set>

using namespace yaaf;

namespace {

// The items of the board that were not on it before, in the board's order.
CItemArray* NewItems(TVornModel& board, const std::unordered_set<const CVornItem*>& before) {
    auto* newP = new CItemArray;
    CVornItem* const* itemsP = board.i_list->Items();
    for (int32 i = 0; i < board.i_list->Count(); ++i)
        if (!before.count(itemsP[i])) newP->Add(itemsP[i]);
    return newP;
}

void Refuse(CVornViewLink* viewP, TVornModel& board, CItemArray* newP, CItemArray* prevSelP) {
    if (newP) newP->IterateReverse(ItemA_Iterate_DISPOSE, nullptr);
    delete newP;
    board.SetSelection(prevSelP);
    delete prevSelP;
    board.AutoLayout(false, Vorn_Mode_NONE);
    viewP->SetSelChanged(true);
    viewP->InvalView();
    XGBeep();
}

} // namespace

VornTakeInResult VornTakeIn(CVornViewLink* viewP, const VornTakeInOptions& options,
                            const std::function<bool(TVornModel&)>& read) {
    TVornModel* boardP = viewP ? viewP->GetVornModel() : nullptr;
    if (!boardP) return VornTakeInResult::kRefused;
    TVornModel& board = *boardP;
    viewP->EndInPlaceEdit();
    viewP->SetStacks(false);

    CItemArray* prevSelP = board.GetItemSelection();
    std::unordered_set<const CVornItem*> before;
    try {
        before.reserve(size_t(board.i_list->Count()));
        for (int32 i = 0; i < board.i_list->Count(); ++i)
            before.insert(board.i_list->GetIndItem(i));
    } catch (const std::bad_alloc&) {
        delete prevSelP;
        XGBeep();
        return VornTakeInResult::kRefused;
    }
    board.SelectAll(false);
    bool okB = false;
    bool no_memoryB = false;
    try {
        okB = read(board);
    } catch (const std::bad_alloc&) {
        no_memoryB = true; // what was read before memory ran out goes again
    }
    CItemArray* newP = NewItems(board, before);
    // A board of more items than its file can count could not be saved.
    const bool tooManyB = board.i_list->Count() > kVornMaxItems;
    const bool emptyB = newP->Count() == 0;
    if (tooManyB || no_memoryB || (okB && emptyB && !options.emptyIsStepB) ||
        (!okB && !(options.keepPartialB && !emptyB))) {
        Refuse(viewP, board, newP, prevSelP);
        return VornTakeInResult::kRefused;
    }

    // A view without undo stacks (a board drawn offscreen) takes the items in as read.
    if (!viewP->GetStacks()) {
        delete newP;
        delete prevSelP;
        board.AutoLayout(true, Vorn_Mode_NONE);
        board.SetDirty(true);
        viewP->SetSelChanged(true);
        viewP->DocChanged(true);
        if (!okB) XGBeep();
        return okB ? VornTakeInResult::kDone : VornTakeInResult::kPartial;
    }

    // Off the board again, each remembering its place; the task's first run puts them back.
    newP->IterateReverse(ItemA_Iterate_REMOVE, nullptr);
    if (options.beforeSelectionB && prevSelP && prevSelP->Count() > 0) {
        int32 counter = board.i_list->IndexOf(prevSelP->GetIndItem(0));
        if (counter >= 0) newP->Iterate(ItemA_Iterate_SET_INDEX, &counter);
    }
    if (!BoardTask_Insert(viewP, newP, prevSelP, options.undoNameZ, true)) {
        XGBeep();
        return VornTakeInResult::kRefused;
    }
    if (okB) return VornTakeInResult::kDone;
    XGBeep();
    return VornTakeInResult::kPartial;
}
