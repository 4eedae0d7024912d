#include "CTopic_Host.h"

#include "CTopicList.h"
#include "HostInfo.h"

using namespace yaaf;

bool CTopic_Host::s_get_info_outlineB = false;
char CTopic_Host::s_get_info_nameAC[256] = {};
Vorn_OutlineType CTopic_Host::s_get_info_type = Vorn_Outline_GET_INFO_1;

CTopic_Host::CTopic_Host(const char* urlZ, CTopicList* listP)
    : CTopic_Kind(urlZ, listP, urlZ && Host_GetMachineName() == urlZ ? 'MaIc' : 'srvr') {
    GetChildren(true);
    Init_Subtopics();
}

CTopic_Host::~CTopic_Host() {
    KillThreads();
}

CTopic_Host* CTopic_Host::AddHost(CTopicList* listP) {
    auto* hostP = new CTopic_Host(Host_GetMachineName().c_str(), listP);
    if (listP) listP->Insert(hostP, -1, false);
    return hostP;
}

void CTopic_Host::Init_Subtopics() {
    // The tree is built here, on this thread: there is nothing to wait for.
    CTopicList* childrenP = GetChildren(true);
    if (childrenP->Count() != 0) return;
    if (s_get_info_outlineB)
        Host_BuildGetInfoTree(this, s_get_info_type, s_get_info_nameAC);
    else
        Host_BuildMachineTree(this);
}
