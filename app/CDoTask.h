#pragma once
// One undoable change. The task procedure both does and undoes the change: every run toggles
// the state, so the same call undoes a done task and redoes an undone one.

#include "XGTypes.h"

class CDoTask;

// prev_taskP0: the task on top of the undo stack when the task runs for the first time, none
// when it is run by undo or redo. Setting *collapseBP merges the change into prev_taskP0 and
// the engine then destroys this task. The result is ignored.
using CDoTaskProc = yaaf::int32 (*)(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP);
// Frees what i_dataP owns; runs once, when the task is destroyed.
using CDoDisposeProc = void (*)(CDoTask* taskP);

constexpr int kCDoTask_NameSize = 64;

class CDoTask {
public:
    // Copies the name (cut to 63 characters; empty when nameZ is none). The task does nothing
    // until it is handed to the engine.
    CDoTask(CDoTaskProc task_procP, const char* nameZ, CDoDisposeProc dispose_procP, void* dataP);
    ~CDoTask();
    CDoTask(const CDoTask&) = delete;
    CDoTask& operator=(const CDoTask&) = delete;

    // The way every change is made: builds a task around the caller's record and does it as a
    // new task of gDo. The task belongs to the engine from then on; when it cannot be made, or
    // there is no engine, the change is not made and the record is still freed through
    // dispose_procP. Answers true when the procedure ran.
    // A task that leaves the document as it is (a change of the view only) passes false for
    // changes_docB: undoing or redoing it does not move the document off its saved state.
    static bool DoNewTask(CDoTaskProc task_procP, const char* nameZ, CDoDisposeProc dispose_procP,
                          void* dataP, bool changes_docB = true);

    yaaf::int32 Run(CDoTask* prev_taskP0, bool* collapseBP);
    bool IsPartitionMark() const;
    bool IsGroupMark() const;
    // Whether running it changes the document (marks do not).
    bool ChangesDocument() const { return i_changes_docB && !IsPartitionMark() && !IsGroupMark(); }
    const char* GetName() const { return i_nameAC; }

    CDoTaskProc i_task_procP;
    CDoDisposeProc i_dispose_procP;
    void* i_dataP;
    char i_nameAC[kCDoTask_NameSize];
    // The document's state once this task is done: a number no other task had; the engine
    // gives a new one when a later change merges into this task.
    yaaf::uint64 i_stateL;
    bool i_changes_docB = true;

    // A number for a state that no task had before.
    static yaaf::uint64 NewState();
};
