#pragma once
// Outline edits as undoable tasks: the record of one task and its procedures, the outline's
// twin of the board tasks. A task acts on topics of one list: putting them in (9) or taking them
// out (10), exchanging them for others (12), renaming one (13), changing their font (14), and,
// as the record allows, moving (19) and locking or hiding (35), which topics leave as they are.

#include "OutlineTypes.h"
#include "XGTypes.h"

class CDoTask;

enum O_TaskKind : yaaf::int16 {
    O_Task_INSERT = 9,
    O_Task_REMOVE = 10,
    O_Task_EXCHANGE = 12,
    O_Task_RENAME = 13,
    O_Task_FONT = 14,
    O_Task_MOVE = 19,
    O_Task_LOCK_HIDE = 35,
};

// Kind 19's data.
struct O_MoveRec {
    yaaf::Point offset;
    yaaf::int16 handleType = 0;
    void* renameTE = nullptr;
    CTopic* renameItemP = nullptr;
    yaaf::tagRECT* updateRP = nullptr;
    bool dont_set_selB = false;
};

// Kind 35's data.
struct O_SetMenuInfoRec {
    bool set_lockedB = false;
    bool lockedB = false;
    bool set_hiddenB = false;
    bool hiddenB = false;
};

struct DoCommandDataRec {
    CTopicList* thiz = nullptr;      // the list acted on
    yaaf::int16 commandS = 0;        // O_TaskKind, rewritten as the task toggles
    CTopicList* prev_selP = nullptr; // the selection to restore, or the other topic set (12)
    CTopicList* selP = nullptr;      // the topics acted on; the list is the record's
    void* dataP = nullptr;           // 13 a std::string, 14 an XGFontChangeRec, 19 an O_MoveRec,
                                     // 35 an O_SetMenuInfoRec; 12 with the value 106 keeps the selection
};

yaaf::int32 OutlineTask_CB_S_DoCommandProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP);
void OutlineTask_CB_S_DisposeCommandProc(CDoTask* taskP);
yaaf::int32 OutlineTask_CB_DoCommandProc(CDoTask* prev_taskP0, DoCommandDataRec* recP, bool* collapseBP);
void OutlineTask_CB_DisposeCommandProc(DoCommandDataRec* recP);

// Makes the record (taking selP, prev_selP and dataP) and does it as a new task of the undo
// engine; answers whether it ran. Without an engine nothing is changed and the parts are freed.
bool OutlineTask_Do(CTopicList* listP, O_TaskKind kind, CTopicList* selP, CTopicList* prev_selP, void* dataP,
                    const char* nameZ);
