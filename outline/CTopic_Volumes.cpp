#include "CTopic_Volumes.h"

#include "CTopic_Folder.h"
#include "HostInfo.h"
#include "XGThread.h"

using namespace yaaf;

CTopic_Volumes::CTopic_Volumes(CTopicList* listP, int32 indexL) : CTopic_Kind("Volumes", listP, 'hdsk') {
    i_indexL = indexL;
    GetChildren(true);
}

CTopic_Volumes::~CTopic_Volumes() {
    KillThreads();
}

void CTopic_Volumes::CB_Thread_InitSubtopics() {
    const int32 count = Host_CountVolumes();
    for (int32 i = 0; i < count; ++i) {
        XGThread::YieldThread(false);
        if (IsKillingThreads()) return;
        char nameAC[256] = {};
        XGFileSpecifier root;
        if (!Host_GetIndVolume(i, nameAC, &root)) continue;
        auto* volumeP = new CTopic_Folder(nameAC, i_childrenP, root);
        // A volume is a disk, not a plain folder, to the eye.
        volumeP->i_iconKind = 'hdsk';
        HandOverSubtopic(volumeP, O_Sort_NAME, false);
    }
}
