#pragma once
// Items taken into a board from outside, by a paste or an import: the reading adds them to the
// board, they are taken off again and put back by one insert task, so that one undo removes
// them all and gives back the selection from before. A taking-in that is refused leaves the
// board and its selection as they were, and beeps. A view without undo stacks keeps the items as
// read.

#include "XGTypes.h"

#include <functional>

class CVornViewLink;
class TVornModel;

// The most items a board holds: its file counts them in 16 bits.
constexpr yaaf::int32 kVornMaxItems = 32767;

struct VornTakeInOptions {
    const char* undoNameZ = "";
    // In front of the first item that was selected before (when one was), in the order read;
    // otherwise where the reading put them (at the end).
    bool beforeSelectionB = false;
    // Items read before a failure stay (as the task, selected); otherwise the board keeps none.
    bool keepPartialB = false;
    // A reading that succeeds with no items is still a step to undo (an empty folder);
    // otherwise it is refused.
    bool emptyIsStepB = false;
};

enum class VornTakeInResult {
    kDone,    // the items are on the board as one undoable task (also when there were none)
    kPartial, // the reading failed after adding items: they are on as the task; beeped
    kRefused, // nothing changed, the selection is back; beeped
};

// Runs read(board) on the view's board with nothing selected; read adds the items (selected or
// not) and answers whether it succeeded.
VornTakeInResult VornTakeIn(CVornViewLink* viewP, const VornTakeInOptions& options,
                            const std::function<bool(TVornModel&)>& read);
