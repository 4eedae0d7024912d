#pragma once
// A board topic list: the root list of an outline that stands for a board (a board shown as an
// outline, or converted into an outline window). It takes the settings of new boards when it is
// made and belongs to the generator target list (gRtlP) for as long as it lives.

#include "CTopicList.h"

namespace yaaf {
class XGDocForm;
}

// The board list's own saved settings (86 bytes on disk in the design).
struct O_Vorn_ListSaveRec {
    double scaleF = 1.0;
    yaaf::int16 font_dpiS = 0;
    yaaf::XGSFontResource font{};
};

class CTopicList_Vorn : public CTopicList {
public:
    CTopicList_Vorn(COutlineDocLink* outlineP = nullptr, CTopic* parentP = nullptr);
    ~CTopicList_Vorn() override;

    CTopic* HitTest(O_DrawRec* recP) override { return CTopicList::HitTest(recP); }
    // The rectangle and data are the list's business, not the caller's.
    void Draw(yaaf::XGDraw* drawP, const yaaf::tagRECT* rect, void* data) override;
    void SetFlag(yaaf::uint32 flag, bool setB) override { CTopicList::SetFlag(flag, setB); }
    yaaf::int32 GetTopicUIHandleSize() const override { return 5; }

    yaaf::XGDocForm* i_target_controllerP = nullptr;
    O_Vorn_ListSaveRec i_prefs_vorn;
    // Set while the list is in gRtlP.
    bool i_registeredB = false;
};
