#pragma once
// The generator target list: every board topic list (CTopicList_Vorn) of the process, and the
// target form their output goes to, walked with the same numbered steps as the open-board
// registry. A board topic list joins when it is made and leaves when it is destroyed, so that
// the walks never reach a list that has gone.

#include "XGTypes.h"

#include <vector>

class CTopicList_Vorn;

namespace yaaf {
class XGDocForm;
class XGFileSpecifier;
} // namespace yaaf

enum kRtlIterType : yaaf::int16 {
    kRtlIter_IDLE = 1,
    kRtlIter_INDEX_OF = 2,
    kRtlIter_SCAN_FOR_FILE = 3,
    kRtlIter_SET_OUT_REFS = 4,
    kRtlIter_REMOVE_OUT_REFS = 5,
    kRtlIter_UPDATE_NEW_GEN_POS = 6,
};

struct RtlIndexOfRec {
    CTopicList_Vorn* listP = nullptr;
    yaaf::int32 indexL = yaaf::kNoIndex;
};

struct RtlScanFileRec {
    const yaaf::XGFileSpecifier* fileSpecP = nullptr;
    CTopicList_Vorn* listP = nullptr;
};

struct RtlUpdateNewGenPosRec {
    yaaf::XGDocForm* formP = nullptr;
    yaaf::tagRECT posR;
};

class CVornTargetList {
public:
    CVornTargetList() = default;
    ~CVornTargetList();
    CVornTargetList(const CVornTargetList&) = delete;
    CVornTargetList& operator=(const CVornTargetList&) = delete;

    void Add(CTopicList_Vorn* listP);
    void Remove(CTopicList_Vorn* listP);
    yaaf::int32 Count() const { return yaaf::int32(i_list.size()); }
    CTopicList_Vorn* GetIndItem(yaaf::int32 indexL) const;
    // One step per list, forward or reverse, until a step stops the walk (then 0).
    yaaf::int16 Iterate(yaaf::int16 type, void* data, bool reverseB = false);
    void Idle() { Iterate(kRtlIter_IDLE, nullptr); }

    yaaf::XGDocForm* i_targetP = nullptr;

private:
    yaaf::uint16 IterateOne(CTopicList_Vorn* listP, yaaf::int32 indexL, yaaf::int16 type, void* data);

    // Held, not owned.
    std::vector<CTopicList_Vorn*> i_list;
};

// The one target list, made at start-up by the application's globals; none before.
extern CVornTargetList* gRtlP;
