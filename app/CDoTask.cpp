#include "CDoTask.h"

#include "CDo.h"

#include <cstring>
#include <new>

CDoTask::CDoTask(CDoTaskProc task_procP, const char* nameZ, CDoDisposeProc dispose_procP, void* dataP)
    : i_task_procP(task_procP), i_dispose_procP(dispose_procP), i_dataP(dataP), i_nameAC{},
      i_stateL(NewState()) {
    if (nameZ) std::strncpy(i_nameAC, nameZ, kCDoTask_NameSize - 1);
}

CDoTask::~CDoTask() {
    if (i_dispose_procP) i_dispose_procP(this);
}

yaaf::uint64 CDoTask::NewState() {
    static yaaf::uint64 s_lastL = 0;
    return ++s_lastL;
}

bool CDoTask::DoNewTask(CDoTaskProc task_procP, const char* nameZ, CDoDisposeProc dispose_procP, void* dataP,
                        bool changes_docB) {
    CDoTask* taskP = new (std::nothrow) CDoTask(task_procP, nameZ, dispose_procP, dataP);
    if (taskP) taskP->i_changes_docB = changes_docB;
    if (!taskP || !gDo) {
        if (!taskP) {
            // Nothing to do the change with; the stand-in still hands the record to its
            // dispose procedure so that it is not lost.
            CDoTask standIn(nullptr, nullptr, dispose_procP, dataP);
        }
        delete taskP;
        return false;
    }
    return gDo->DoTask(taskP);
}

yaaf::int32 CDoTask::Run(CDoTask* prev_taskP0, bool* collapseBP) {
    return i_task_procP ? i_task_procP(prev_taskP0, this, collapseBP) : 0;
}

bool CDoTask::IsPartitionMark() const {
    return i_task_procP == &CDo::PartitionMarkProc;
}

bool CDoTask::IsGroupMark() const {
    return i_task_procP == &CDo::GroupMarkProc;
}
