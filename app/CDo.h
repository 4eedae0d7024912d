#pragma once
// The undo engine. One engine serves every document; it works on the undo/redo stack pair of
// the active view. Units on a stack are single tasks or groups (an opening group mark, the
// group's tasks, a closing group mark with the same name); partition marks stand between or
// inside units and only stop merging.

#include "CDoTask.h"
#include "XGDynArray.h"
#include "XGTypes.h"

#include <cstddef>
#include <functional>

enum CDo_Type { CDo_Type_UNDO = 0, CDo_Type_REDO = 1, CDo_Type_NUMTYPES = 2 };

// Index 0 is the oldest task, the last index the newest. The stack owns its tasks.
using CDoStack = yaaf::XGPDynArray<CDoTask>;

struct DoStacksContainer {
    CDoStack* stack[CDo_Type_NUMTYPES] = {nullptr, nullptr};
    // The document's state while the undo stack holds no change: 0 at first, then the state
    // reached by the last change trimmed from the bottom or cleared away.
    yaaf::uint64 base_stateL = 0;
    // Told the pair's state (CDo::GetState) whenever the engine has changed the pair: a task
    // done or merged, a unit undone or redone. The owner keeps its document's changed state
    // with it (XGDocument::NoteHistoryState).
    std::function<void(yaaf::uint64 stateL)> state_procP;
};

// Room for the longest menu text: "Can't Undo " or "Undo " and a 63-character name.
constexpr size_t kCDo_MenuTextSize = 80;

// Undo depth used when no preferences are loaded.
constexpr yaaf::int32 kCDo_DefaultDepth = 20;

class CDo {
public:
    CDo();
    ~CDo();
    CDo(const CDo&) = delete;
    CDo& operator=(const CDo&) = delete;

    // Both take ownership of taskP. Answer true when the task procedure ran.
    bool DoTask(CDoTask* taskP);
    bool DoTask(CDoTask* taskP, bool new_taskB, CDo_Type doType);

    // UNDO undoes the newest unit, REDO redoes the newest undone unit.
    void Do(CDo_Type doType);

    // Writes "Undo <name>" / "Redo <name>", or "Can't Undo " / "Can't Redo ", into nameZ
    // (at least kCDo_MenuTextSize bytes) and answers it. Leaves the stacks as they are.
    char* GetString(CDo_Type doType, char* nameZ) const;

    void StartGroup(const char* nameZ);
    void EndGroup(const char* nameZ);
    void ForceNotCollapse();
    void Idle();

    CDoStack* GetStack(CDo_Type doType) const;
    void Push(CDo_Type doType, CDoTask* taskP);
    CDoTask* Pop(CDo_Type doType, bool remove);

    static yaaf::int32 CountTasks(const CDoStack* stackP);
    // Removes the oldest unit; removed_stateP, when given, receives the state that unit left
    // the document in (unchanged when the unit changed nothing).
    static void PopFront(CDoStack* stackP, yaaf::uint64* removed_stateP = nullptr);
    static void DisposeStack(CDoStack* stackP);

    // The application's "clear undo" command: empties both stacks of the active pair.
    void DisposeActiveStacks();

    DoStacksContainer* GetActiveStacks() const { return i_stacksP; }
    void SetActiveStacks(DoStacksContainer* stacksP) { i_stacksP = stacksP; }
    yaaf::int32 GetGroupLevel() const { return i_groupLevelL; }

    // The document's state that the pair's history has reached: that of the newest change on
    // the undo stack, or the base state. Equal states mean equal documents; merging a change
    // into a task gives it a new state.
    static yaaf::uint64 GetState(const DoStacksContainer& stacks);
    // Whether a task procedure is running (a document change comes from the history).
    static bool IsRunningTask();

    // The preference "num undos"; values below 1 act as 1.
    static yaaf::int32 GetUndoDepth();

    static yaaf::int32 PartitionMarkProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP);
    static yaaf::int32 GroupMarkProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP);

private:
    static CDo_Type Other(CDo_Type doType) { return doType == CDo_Type_UNDO ? CDo_Type_REDO : CDo_Type_UNDO; }
    // Moves the partition marks on top of stack from onto the other stack.
    void MovePartitionMarks(CDo_Type from);
    void DoMark(const char* nameZ, bool groupB);

    // Runs when the outermost engine call ends: tells the active pair its state.
    void ReportState();
    friend class CDoCallDepth;

    yaaf::int32 i_groupLevelL;
    DoStacksContainer* i_stacksP;
    bool i_openGroupReportedB;
    yaaf::int32 i_callDepthL = 0;
    yaaf::int32 i_runDepthL = 0;
};

extern CDo* gDo;

// A group for the length of a scope, optionally on another window's pair; the active pair
// is restored at the end.
class CDo_ScGroup {
public:
    // nameZ is not copied: it has to live as long as the scope.
    explicit CDo_ScGroup(const char* nameZ, DoStacksContainer* stacksP = nullptr);
    ~CDo_ScGroup();
    CDo_ScGroup(const CDo_ScGroup&) = delete;
    CDo_ScGroup& operator=(const CDo_ScGroup&) = delete;

private:
    const char* i_nameZ;
    DoStacksContainer* i_my_stacksP;
    DoStacksContainer* i_prev_stacksP;
};
