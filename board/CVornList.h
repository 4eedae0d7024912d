#pragma once
// The registry of open boards and the generator target that all boards share.

#include "XGTypes.h"
#include <vector>

namespace yaaf {
class XGDocForm;
class XGFileSpecifier;
class XGWindow;
} // namespace yaaf

class TVornModel;

enum VornListIterType : yaaf::int16 {
    kVornListIter_NONE = 0,
    kVornListIter_IDLE = 1,
    kVornListIter_INDEX_OF = 2,
    kVornListIter_SCAN_FOR_FILE = 3,
    kVornListIter_SET_OUT_REFS = 4,
    kVornListIter_REMOVE_OUT_REFS = 5,
    kVornListIter_UPDATE_NEW_GEN_POS = 6,
};

struct VornList_IndexOfRec {
    TVornModel* vornP = nullptr;
    yaaf::int32 indexL = yaaf::kNoIndex;
};

struct VornList_ScanFileRec {
    const yaaf::XGFileSpecifier* fileSpecP = nullptr;
    TVornModel* vornP = nullptr;
};

struct UpdateNewGenPosRec {
    yaaf::XGDocForm* formP = nullptr;
    yaaf::tagRECT posR;
};

struct VornListFindWindow {
    yaaf::XGWindow* windowP = nullptr;
    yaaf::XGDocForm* formP = nullptr;
    TVornModel* not_thiz = nullptr;
};

class CVornList {
public:
    CVornList() = default;
    ~CVornList();
    CVornList(const CVornList&) = delete;
    CVornList& operator=(const CVornList&) = delete;

    void Add(TVornModel* vornP);
    void Remove(TVornModel* vornP);
    yaaf::int32 IndexOf(TVornModel* vornP) const;
    yaaf::int32 Count() const { return yaaf::int32(i_list.size()); }
    TVornModel* GetIndItem(yaaf::int32 indexL) const;

    void Idle();
    yaaf::int16 Iterate(yaaf::int16 taType, void* cbData, bool reverseB);

    yaaf::XGDocForm* GetSharedTarget() const { return i_targetP; }
    void SetTarget(yaaf::XGDocForm* formP);
    // Only the shared target, the boards' own targets untouched.
    void SetSharedTarget(yaaf::XGDocForm* formP) { i_targetP = formP; }
    void DropSharedTarget() { i_targetP = nullptr; }
    void RemoveTarget(yaaf::XGDocForm* formP);
    // Picks the first suitable open window: a board in Edit Mode other than vornP when
    // numerologyB, else a text document. Stored as the shared target; none when there is none.
    yaaf::XGDocForm* GetTarget(TVornModel* vornP, bool numerologyB);
    yaaf::XGWindow* IsFileOpen(const yaaf::XGFileSpecifier* fileSpecP);
    void UpdateNewTextPosPref(yaaf::XGDocForm* formP);

private:
    yaaf::uint16 IterateOne(TVornModel* vornP, yaaf::int32 indexL, yaaf::int16 taType, void* cbData);

    yaaf::XGDocForm* i_targetP = nullptr;
    // The registry holds the boards, it does not own them (each board removes itself).
    std::vector<TVornModel*> i_list;
};

extern CVornList* gVornListP;
