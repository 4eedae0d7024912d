#include "CDo.h"

#include "CVornPrefs.h"
#include "XGAssert.h"
#include "XGDocument.h"
#include "autoptr.h"

#include <cstdio>

using yaaf::int32;

CDo* gDo = nullptr;

// Counts the engine's calls in progress; the state is reported when the outermost one ends,
// also when a procedure throws.
class CDoCallDepth {
public:
    explicit CDoCallDepth(CDo* doP) : i_doP(doP) { ++i_doP->i_callDepthL; }
    ~CDoCallDepth() {
        if (--i_doP->i_callDepthL == 0) i_doP->ReportState();
    }
    CDoCallDepth(const CDoCallDepth&) = delete;
    CDoCallDepth& operator=(const CDoCallDepth&) = delete;

private:
    CDo* i_doP;
};

namespace {

struct RunDepth {
    explicit RunDepth(int32& depthL) : i_depthL(depthL) { ++i_depthL; }
    ~RunDepth() { --i_depthL; }
    int32& i_depthL;
};

} // namespace

CDo::CDo() : i_groupLevelL(0), i_stacksP(nullptr), i_openGroupReportedB(false) {
    yaaf::XGDocument::SetHistoryProbe(&CDo::IsRunningTask);
}

CDo::~CDo() {
    if (gDo == this) gDo = nullptr;
}

int32 CDo::PartitionMarkProc(CDoTask*, CDoTask*, bool*) {
    return 0;
}

int32 CDo::GroupMarkProc(CDoTask*, CDoTask*, bool*) {
    return 0;
}

int32 CDo::GetUndoDepth() {
    const int32 depthL = gVornPrefsP ? int32(gVornPrefsP->i_prefs.num_undoS) : kCDo_DefaultDepth;
    // A depth below 1 could never be reached by trimming.
    return depthL < 1 ? 1 : depthL;
}

bool CDo::DoTask(CDoTask* taskP) {
    return DoTask(taskP, true, CDo_Type_UNDO);
}

bool CDo::DoTask(CDoTask* taskP, bool new_taskB, CDo_Type doType) {
    if (!taskP) return false;
    // Until it is filed nobody else owns the task: when it is not filed (no pair, merged, a
    // procedure that throws) it is destroyed here, so its record is still freed.
    yaaf::autoptr<CDoTask> holder(taskP);
    YAAF_ASSERT_DLG(i_stacksP);
    if (!i_stacksP) return false;
    CDoCallDepth call(this);

    CDoTask* prev_taskP0 = new_taskB ? Pop(doType, false) : nullptr;
    bool collapseB = false;
    {
        RunDepth running(i_runDepthL);
        taskP->Run(prev_taskP0, &collapseB);
    }
    if (collapseB) {
        // The previous task now stands for a document that no state had before.
        if (prev_taskP0 && taskP->ChangesDocument()) prev_taskP0->i_stateL = CDoTask::NewState();
        return true; // merged into the previous task; holder destroys this one
    }

    if (new_taskB && doType == CDo_Type_UNDO) {
        DisposeStack(GetStack(CDo_Type_REDO));
        // A partition mark adds no unit, so it makes no room either: trimming for it would
        // cost one undo step after every fenced change (at depth 1, the change itself).
        CDoStack* undoP = GetStack(CDo_Type_UNDO);
        const int32 depthL = GetUndoDepth();
        while (undoP && !undoP->IsEmpty() && !taskP->IsPartitionMark() && CountTasks(undoP) >= depthL)
            PopFront(undoP, &i_stacksP->base_stateL);
    }
    Push(doType, holder.release());
    return true;
}

void CDo::MovePartitionMarks(CDo_Type from) {
    for (CDoTask* topP = Pop(from, false); topP && topP->IsPartitionMark(); topP = Pop(from, false))
        DoTask(Pop(from, true), false, Other(from));
}

void CDo::Do(CDo_Type doType) {
    YAAF_ASSERT_DLG(i_stacksP);
    if (!i_stacksP) return;
    CDoCallDepth call(this);
    const CDo_Type other = Other(doType);

    MovePartitionMarks(doType);
    if (CDoTask* firstP = Pop(doType, true)) {
        if (firstP->IsGroupMark()) {
            DoTask(firstP, false, other);
            for (;;) {
                CDoTask* taskP = Pop(doType, true);
                YAAF_ASSERT_DLG(taskP);
                if (!taskP) break;
                if (taskP->IsPartitionMark()) {
                    delete taskP;
                    continue;
                }
                const bool openingB = taskP->IsGroupMark();
                DoTask(taskP, false, other);
                if (openingB) break;
            }
        } else {
            DoTask(firstP, false, other);
        }
    }
    MovePartitionMarks(doType);
}

char* CDo::GetString(CDo_Type doType, char* nameZ) const {
    const char* prefixZ = doType == CDo_Type_UNDO ? "Un" : "Re";
    // The newest task that is not a partition mark names the unit. The stacks are only looked
    // at: moving marks here would let the next task merge across a mark.
    const CDoTask* namedP = nullptr;
    if (const CDoStack* stackP = GetStack(doType)) {
        for (int32 i = stackP->Count() - 1; i >= 0 && !namedP; --i)
            if (!stackP->Get(i)->IsPartitionMark()) namedP = stackP->Get(i);
    }
    if (namedP)
        std::snprintf(nameZ, kCDo_MenuTextSize, "%sdo %s", prefixZ, namedP->GetName());
    else
        std::snprintf(nameZ, kCDo_MenuTextSize, "Can't %sdo ", prefixZ);
    return nameZ;
}

void CDo::DoMark(const char* nameZ, bool groupB) {
    DoTask(new CDoTask(groupB ? &CDo::GroupMarkProc : &CDo::PartitionMarkProc, groupB ? nameZ : nullptr,
                       nullptr, nullptr));
}

void CDo::StartGroup(const char* nameZ) {
    YAAF_ASSERT_DLG(i_stacksP);
    if (!i_stacksP) return;
    if (++i_groupLevelL == 1) DoMark(nameZ, true);
}

void CDo::EndGroup(const char* nameZ) {
    YAAF_ASSERT_DLG(i_groupLevelL > 0);
    if (i_groupLevelL <= 0) return;
    YAAF_ASSERT_DLG(i_stacksP);
    // Without a pair the closing mark cannot be filed, but the group still ends: a level left
    // raised would swallow every later group.
    if (i_stacksP && i_groupLevelL == 1) DoMark(nameZ, true);
    --i_groupLevelL;
}

void CDo::ForceNotCollapse() {
    YAAF_ASSERT_DLG(i_stacksP);
    if (i_stacksP) DoMark(nullptr, false);
}

void CDo::Idle() {
    // Reported once per open group: idle runs every tick and a report per tick would never
    // let the user get past it.
    if (i_groupLevelL == 0) {
        i_openGroupReportedB = false;
    } else if (!i_openGroupReportedB) {
        i_openGroupReportedB = true;
        YAAF_ASSERT_DLG(i_groupLevelL == 0);
    }
}

CDoStack* CDo::GetStack(CDo_Type doType) const {
    if (!i_stacksP || doType < 0 || doType >= CDo_Type_NUMTYPES) return nullptr;
    return i_stacksP->stack[doType];
}

void CDo::Push(CDo_Type doType, CDoTask* taskP) {
    if (!taskP) return;
    CDoStack* stackP = GetStack(doType);
    YAAF_ASSERT_DLG(stackP);
    if (!stackP) {
        delete taskP;
        return;
    }
    stackP->Append(taskP);
}

CDoTask* CDo::Pop(CDo_Type doType, bool remove) {
    CDoStack* stackP = GetStack(doType);
    if (!stackP || stackP->IsEmpty()) return nullptr;
    const int32 topI = stackP->Count() - 1;
    return remove ? stackP->Detach(topI) : stackP->Get(topI);
}

int32 CDo::CountTasks(const CDoStack* stackP) {
    if (!stackP) return 0;
    int32 countL = 0;
    const int32 n = stackP->Count();
    for (int32 i = 0; i < n; ++i) {
        const CDoTask* taskP = stackP->Get(i);
        if (taskP->IsPartitionMark()) continue;
        if (taskP->IsGroupMark()) {
            int32 closeI = i + 1;
            while (closeI < n && !stackP->Get(closeI)->IsGroupMark())
                ++closeI;
            if (closeI == n) return countL - 1; // a group still open
            i = closeI;
        }
        ++countL;
    }
    return countL;
}

static void RemovePartitionMarksAtBottom(CDoStack* stackP) {
    while (!stackP->IsEmpty() && stackP->Get(0)->IsPartitionMark())
        stackP->Remove(0);
}

void CDo::PopFront(CDoStack* stackP, yaaf::uint64* removed_stateP) {
    if (!stackP) return;
    auto removeBottom = [&] {
        if (removed_stateP && stackP->Get(0)->ChangesDocument()) *removed_stateP = stackP->Get(0)->i_stateL;
        stackP->Remove(0);
    };
    RemovePartitionMarksAtBottom(stackP);
    if (stackP->IsEmpty()) return;
    if (stackP->Get(0)->IsGroupMark()) {
        removeBottom();
        while (!stackP->IsEmpty() && !stackP->Get(0)->IsGroupMark())
            removeBottom();
        if (!stackP->IsEmpty()) removeBottom();
    } else {
        removeBottom();
    }
    RemovePartitionMarksAtBottom(stackP);
}

void CDo::DisposeStack(CDoStack* stackP) {
    if (stackP) stackP->Clear();
}

yaaf::uint64 CDo::GetState(const DoStacksContainer& stacks) {
    if (const CDoStack* undoP = stacks.stack[CDo_Type_UNDO])
        for (int32 i = undoP->Count() - 1; i >= 0; --i)
            if (undoP->Get(i)->ChangesDocument()) return undoP->Get(i)->i_stateL;
    return stacks.base_stateL;
}

bool CDo::IsRunningTask() {
    return gDo && gDo->i_runDepthL > 0;
}

void CDo::ReportState() {
    if (i_stacksP && i_stacksP->state_procP) i_stacksP->state_procP(GetState(*i_stacksP));
}

void CDo::DisposeActiveStacks() {
    if (!i_stacksP) return;
    // The document stays in the state it is in, changed or not: the state becomes the base.
    i_stacksP->base_stateL = GetState(*i_stacksP);
    DisposeStack(i_stacksP->stack[CDo_Type_UNDO]);
    DisposeStack(i_stacksP->stack[CDo_Type_REDO]);
}

CDo_ScGroup::CDo_ScGroup(const char* nameZ, DoStacksContainer* stacksP)
    : i_nameZ(nameZ), i_my_stacksP(stacksP), i_prev_stacksP(gDo ? gDo->GetActiveStacks() : nullptr) {
    if (!gDo) return;
    if (i_my_stacksP) gDo->SetActiveStacks(i_my_stacksP);
    gDo->StartGroup(i_nameZ);
}

CDo_ScGroup::~CDo_ScGroup() {
    if (!gDo) return;
    gDo->SetActiveStacks(i_my_stacksP ? i_my_stacksP : i_prev_stacksP);
    gDo->EndGroup(i_nameZ);
    gDo->SetActiveStacks(i_prev_stacksP);
}
