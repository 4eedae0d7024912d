#pragma once
// Board tasks: every change a person makes to the items of a board is done, undone and redone by
// one task procedure over a DoVornCommandDataRec. Each run toggles the change, so the procedure
// that did it undoes it and the next run redoes it; the record keeps which way the next run goes.
//
// Build board tasks only through the functions below: they all use the one procedure pair, which
// is how a task recognises a board task of the same kind to merge into. Each builder takes what
// it is given (arrays, and for an insert the items) whatever happens: when the record or the
// task cannot be made, or the undo engine has no stacks to file it on, the change is not made,
// the arrays are deleted and items that are off the board are destroyed. Each answers true when
// the change was made (also when it merged into the task before it).
//
// The record's view (thiz) is used only while the task runs, never when it is disposed: a window
// may dispose its undo stacks after its board view and its board have gone.

#include "VornItemTypes.h"
#include "XGTypes.h"

class CDoTask;
class CItemArray;
class CVornItem;
class CVornViewLink;
class TVornModel;

// The task kinds. Kinds 9, 10, 14, 19, 35, 47 and 48 are the item walk commands they apply.
enum VornTaskKind : yaaf::int16 {
    VornTask_INSERT = 9,      // put selP on the board (its items are off it until then)
    VornTask_REMOVE = 10,     // take selP off the board
    VornTask_EXCHANGE = 12,   // take selP off, put prev_selP (the other set) on, swap them
    VornTask_TITLE = 13,      // exchange the title link with the one held in dataP
    VornTask_FONT = 14,       // font change of selP; consecutive ones on the same items merge
    VornTask_MOVE = 19,       // move or size selP; consecutive ones on the same items merge
    VornTask_MENU_INFO = 35,  // lock or hide selP; undo gives each item its own flags back
    VornTask_MODE = 41,       // Edit Mode <-> Go Mode
    VornTask_COLUMNS = 42,    // one flat column more (58) or less (59)
    VornTask_CONTENT = 43,    // exchange the content link with the one held in dataP
    VornTask_SHAPES_OFF = 47, // outline polygons off
    VornTask_SHAPES_ON = 48,  // outline polygons on again
};

// The commands that kind 12 and 42 carry in numberL.
constexpr yaaf::int32 kVornTaskCmd_ViewAsFreeform = 6;
constexpr yaaf::int32 kVornTaskCmd_ViewAsFlatColumns = 7;
constexpr yaaf::int32 kVornTaskCmd_SetBackground = 71;
constexpr yaaf::int32 kVornTaskCmd_SortItems = 106;
constexpr yaaf::int32 kVornTaskCmd_RandomizeItems = 107;
constexpr yaaf::int32 kVornTaskCmd_AddColumn = 58;
constexpr yaaf::int32 kVornTaskCmd_RemoveColumn = 59;

// The record of every board task (the task's i_dataP).
struct DoVornCommandDataRec {
    CVornViewLink* thiz = nullptr;   // the board view that made the task; the board is its model
    yaaf::int16 commandS = 0;        // VornTaskKind, rewritten as the task toggles
    CItemArray* prev_selP = nullptr; // the selection to restore, or the set off the board (12)
    CItemArray* selP = nullptr;      // the items acted on; the array is the record's
    void* dataP = nullptr;           // the kind's own data, the record's (13, 14, 19, 35, 43)
    yaaf::int32 numberL = 0;         // the command of kinds 12 and 42
};

// The procedure pair of every board task.
yaaf::int32 BoardTask_CB_S_DoCommandProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP);
void BoardTask_CB_S_DisposeCommandProc(CDoTask* taskP);
yaaf::int32 BoardTask_CB_DoCommandProc(CDoTask* prev_taskP0, DoVornCommandDataRec* dataP, bool* collapseBP);
void BoardTask_CB_DisposeCommandProc(DoVornCommandDataRec* dataP);

// The record of a board task, or none for any other task (marks, text tasks).
DoVornCommandDataRec* BoardTask_Data(CDoTask* taskP);
// The change a font task will make at its next run (rec.sizeS: the sum of the merged steps,
// negated after each run), or none when taskP is no font task.
const yaaf::XGFontChangeRec* BoardTask_FontChange(CDoTask* taskP);
// The move a move task makes at its next run, or none when taskP is no move task.
const ItemA_Iterate_MOVEData* BoardTask_MoveData(CDoTask* taskP);

// --- Builders. Each makes a record and does it as a new task named nameZ on the engine's
// active stacks; viewP is the board view (its model is the board changed).

// Kind 9. The items of selP are off the board, each with its i_indexL (-1 appends); they go on
// in the order of selP and are selected. prev_selP: the selection to restore when the insert is
// undone, or none for the board's selection as it is now. An empty selP is refused unless
// allow_emptyB (an import that found nothing is still a step the user can undo).
bool BoardTask_Insert(CVornViewLink* viewP, CItemArray* selP, CItemArray* prev_selP, const char* nameZ,
                      bool allow_emptyB = false);
// Kind 10: the items of selP (on the board, in the board's order) are taken off.
bool BoardTask_Remove(CVornViewLink* viewP, CItemArray* selP, const char* nameZ);
// Kind 12: selP (items on the board, in the board's order) is replaced by otherP (items off the
// board, each with the position it is to take as i_indexL, in ascending positions). commandL is
// the command the exchange is for: 6 or 7 also switch the board to freeform or flat columns;
// after 6, 7, 71, 106 and 107 the selection is left alone, after others the new set is selected.
bool BoardTask_Exchange(CVornViewLink* viewP, CItemArray* selP, CItemArray* otherP, yaaf::int32 commandL,
                        const char* nameZ);
// Kinds 13 (title, Vorn_Ref_SRC) and 43 (content, Vorn_Ref_DEST) of one item: the link becomes a
// text, a web address or a web picture by what textZ holds.
bool BoardTask_ChangeText(CVornViewLink* viewP, CVornItem* itemP, Vorn_RefType refType, const char* textZ,
                          const char* nameZ);
// Kind 14: the change applied to every item of selP.
bool BoardTask_ChangeFont(CVornViewLink* viewP, CItemArray* selP, const yaaf::XGFontChangeRec& rec,
                          const char* nameZ);
// Kind 19: offset applied with handleType (1 moves, 2 to 5 move a corner) to every item of selP.
// Unless dont_set_selB the items are then the selection.
bool BoardTask_Move(CVornViewLink* viewP, CItemArray* selP, yaaf::Point offset, yaaf::int16 handleType,
                    bool dont_set_selB, const char* nameZ);
// Kind 35: the lock and hide flags of every item of selP set as the record says (items that
// become locked or hidden are deselected); undo gives each item its earlier flags and the board
// its earlier selection.
bool BoardTask_SetMenuInfo(CVornViewLink* viewP, CItemArray* selP,
                           const ItemA_Iterate_SET_MENU_INFOData& info, const char* nameZ);
// Kind 41: Go Mode when the board is in Edit Mode, else Edit Mode.
bool BoardTask_SwitchMode(CVornViewLink* viewP, const char* nameZ);
// Kind 42: commandL 58 adds a flat column, 59 removes one.
bool BoardTask_Columns(CVornViewLink* viewP, yaaf::int32 commandL, const char* nameZ);
// Kinds 47 (offB) and 48: the outline polygons of selP off or on again.
bool BoardTask_Shapes(CVornViewLink* viewP, CItemArray* selP, bool offB, const char* nameZ);

// The view's AddItemCmd: dates the item, places an item without freeform bounds below the
// board's last item and sizes it to fit, and inserts it (kind 9) as a new task named doStrZ.
// itemP is off the board (made for it: i_vornP the board or none) and is taken.
bool BoardTask_AddItemCmd(CVornViewLink* viewP, CVornItem* itemP, const char* doStrZ, CItemArray* prev_selP);
// The view's AddWordCmd: a new item titled wordZ, added by BoardTask_AddItemCmd.
bool BoardTask_AddWordCmd(CVornViewLink* viewP, const char* wordZ, const char* doStrZ, CItemArray* prev_selP);
