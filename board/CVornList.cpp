#define VORN_UNIT "CVornList.cpp"
#include "CVornList.h"

#include "CTextTarget.h"
#include "CVornViewLink.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "VornBoardWindows.h"
#include "XGDocForm.h"

#include <algorithm>

using namespace yaaf;

CVornList* gVornListP = nullptr;

CVornList::~CVornList() {
    // Boards still open keep their own registration; they must not reach a dead registry.
    if (gVornListP == this) gVornListP = nullptr;
}

void CVornList::Add(TVornModel* vornP) {
    if (vornP && IndexOf(vornP) == kNoIndex) i_list.push_back(vornP);
}

void CVornList::Remove(TVornModel* vornP) {
    i_list.erase(std::remove(i_list.begin(), i_list.end(), vornP), i_list.end());
}

int32 CVornList::IndexOf(TVornModel* vornP) const {
    VornList_IndexOfRec rec{vornP, kNoIndex};
    const_cast<CVornList*>(this)->Iterate(kVornListIter_INDEX_OF, &rec, false);
    return rec.indexL;
}

TVornModel* CVornList::GetIndItem(int32 indexL) const {
    if (indexL < 0 || indexL >= Count()) return nullptr;
    return i_list[size_t(indexL)];
}

void CVornList::Idle() {
    Iterate(kVornListIter_IDLE, nullptr, false);
}

int16 CVornList::Iterate(int16 taType, void* cbData, bool reverseB) {
    // A copy: a step may open or close boards.
    const std::vector<TVornModel*> boards = i_list;
    uint16 status = 0;
    const int32 n = int32(boards.size());
    for (int32 k = 0; k < n; ++k) {
        const int32 i = reverseB ? n - 1 - k : k;
        if (std::find(i_list.begin(), i_list.end(), boards[size_t(i)]) == i_list.end()) continue;
        status = IterateOne(boards[size_t(i)], i, taType, cbData);
        if (status == kWalkStop) return 0;
    }
    return int16(status);
}

uint16 CVornList::IterateOne(TVornModel* vornP, int32 indexL, int16 taType, void* cbData) {
    switch (taType) {
    case kVornListIter_IDLE:
        vornP->Idle();
        break;
    case kVornListIter_INDEX_OF: {
        auto* rec = static_cast<VornList_IndexOfRec*>(cbData);
        if (rec->vornP == vornP) {
            rec->indexL = indexL;
            return kWalkStop;
        }
        break;
    }
    case kVornListIter_SCAN_FOR_FILE: {
        auto* rec = static_cast<VornList_ScanFileRec*>(cbData);
        if (rec->fileSpecP && vornP->HasFile() && vornP->GetFile() == *rec->fileSpecP) {
            rec->vornP = vornP;
            return kWalkStop;
        }
        break;
    }
    case kVornListIter_SET_OUT_REFS:
        vornP->i_target_controllerP = static_cast<XGDocForm*>(cbData);
        break;
    case kVornListIter_REMOVE_OUT_REFS:
        if (vornP->i_target_controllerP == static_cast<XGDocForm*>(cbData))
            vornP->i_target_controllerP = nullptr;
        break;
    case kVornListIter_UPDATE_NEW_GEN_POS: {
        auto* rec = static_cast<UpdateNewGenPosRec*>(cbData);
        if (vornP->i_target_controllerP == rec->formP) vornP->i_prefs.wind_gen.posR = rec->posR;
        break;
    }
    default:
        break;
    }
    return 0;
}

void CVornList::SetTarget(XGDocForm* formP) {
    i_targetP = formP;
    Iterate(kVornListIter_SET_OUT_REFS, formP, false);
}

void CVornList::RemoveTarget(XGDocForm* formP) {
    if (i_targetP == formP) i_targetP = nullptr;
    Iterate(kVornListIter_REMOVE_OUT_REFS, formP, false);
}

XGDocForm* CVornList::GetTarget(TVornModel* vornP, bool numerologyB) {
    const VornBoardWindowOps& ops = VornBoardWindows();
    i_targetP = ops.findTarget ? ops.findTarget(vornP, numerologyB) : nullptr;
    return i_targetP;
}

XGWindow* CVornList::IsFileOpen(const XGFileSpecifier* fileSpecP) {
    VornList_ScanFileRec rec;
    rec.fileSpecP = fileSpecP;
    Iterate(kVornListIter_SCAN_FOR_FILE, &rec, false);
    if (!rec.vornP || !rec.vornP->i_controllerP) return nullptr;
    return rec.vornP->i_controllerP->GetWindow();
}

void CVornList::UpdateNewTextPosPref(XGDocForm* formP) {
    if (!formP || !formP->GetWindow()) return;
    UpdateNewGenPosRec rec;
    rec.formP = formP;
    rec.posR = VornWindow_GetBounds(formP->GetWindow());
    Iterate(kVornListIter_UPDATE_NEW_GEN_POS, &rec, false);
}
