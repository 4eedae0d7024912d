#include "CVornTargetList.h"

#include "COutlineModel.h"
#include "CTopicList_Vorn.h"
#include "XGDocForm.h"

#include <algorithm>

using namespace yaaf;

CVornTargetList* gRtlP = nullptr;

CVornTargetList::~CVornTargetList() {
    // Lists that outlive the target list must not come back to it.
    for (CTopicList_Vorn* listP : i_list)
        listP->i_registeredB = false;
    i_list.clear();
}

void CVornTargetList::Add(CTopicList_Vorn* listP) {
    if (!listP || std::find(i_list.begin(), i_list.end(), listP) != i_list.end()) return;
    i_list.push_back(listP);
    listP->i_registeredB = true;
}

void CVornTargetList::Remove(CTopicList_Vorn* listP) {
    i_list.erase(std::remove(i_list.begin(), i_list.end(), listP), i_list.end());
    if (listP) listP->i_registeredB = false;
}

CTopicList_Vorn* CVornTargetList::GetIndItem(int32 indexL) const {
    if (indexL < 0 || indexL >= Count()) return nullptr;
    return i_list[size_t(indexL)];
}

int16 CVornTargetList::Iterate(int16 type, void* data, bool reverseB) {
    // A copy: a step may make or end lists (idle time of a topic may close a window).
    const std::vector<CTopicList_Vorn*> lists = i_list;
    uint16 status = 0;
    const int32 n = int32(lists.size());
    for (int32 k = 0; k < n; ++k) {
        const int32 i = reverseB ? n - 1 - k : k;
        CTopicList_Vorn* listP = lists[size_t(i)];
        if (std::find(i_list.begin(), i_list.end(), listP) == i_list.end()) continue;
        status = IterateOne(listP, i, type, data);
        if (status == kWalkStop) return 0;
    }
    return int16(status);
}

uint16 CVornTargetList::IterateOne(CTopicList_Vorn* listP, int32 indexL, int16 type, void* data) {
    switch (type) {
    case kRtlIter_IDLE:
        listP->Idle();
        break;
    case kRtlIter_INDEX_OF: {
        auto* recP = static_cast<RtlIndexOfRec*>(data);
        if (recP && recP->listP == listP) {
            recP->indexL = indexL;
            return kWalkStop;
        }
        break;
    }
    case kRtlIter_SCAN_FOR_FILE: {
        auto* recP = static_cast<RtlScanFileRec*>(data);
        auto* docP = dynamic_cast<COutlineModel*>(listP->i_outlineP);
        if (recP && recP->fileSpecP && docP && docP->HasFile() && docP->GetFile() == *recP->fileSpecP) {
            recP->listP = listP;
            return kWalkStop;
        }
        break;
    }
    case kRtlIter_SET_OUT_REFS:
        listP->i_target_controllerP = i_targetP;
        break;
    case kRtlIter_REMOVE_OUT_REFS:
        if (listP->i_target_controllerP == static_cast<XGDocForm*>(data))
            listP->i_target_controllerP = nullptr;
        break;
    case kRtlIter_UPDATE_NEW_GEN_POS: {
        auto* recP = static_cast<RtlUpdateNewGenPosRec*>(data);
        if (recP && listP->i_target_controllerP == recP->formP) listP->i_prefs.wind[2].posR = recP->posR;
        break;
    }
    default:
        break;
    }
    return 0;
}
