#pragma once
// A form field in an outline: a topic whose value is shown by a control beside its name (a
// check box, a pop-up), made in the view of its list when the topic is first drawn.

#include "CTopic.h"

namespace yaaf {
class XGView;
}

enum CTopic_GUIType : yaaf::uint8 {
    CTopic_GUIType_NONE = 0,
    CTopic_GUIType_CHECKBOX = 1,
    CTopic_GUIType_POPUP = 2,
    CTopic_GUIType_TEXT = 3,
    CTopic_GUIType_INT = 4,
    CTopic_GUIType_FLOAT = 5,
    CTopic_GUIType_URL = 6,
    CTopic_GUIType_PHONE_NUMBER = 7,
    CTopic_GUIType_SNAIL_ADDR = 8,
    CTopic_GUIType_DATE = 9,
    CTopic_GUIType_ANGLE = 10,
    CTopic_GUIType_COLOR = 11,
    CTopic_GUIType_NUMTYPES = 12,
};

class CTopic_GUI : public CTopic {
public:
    // The rectangle of the value, beside the name.
    static constexpr yaaf::int32 kWidget_VALUE = 10;
    static constexpr yaaf::int32 kMinValueWidth = 20;

    CTopic_GUI(const char* nameAC, CTopicList* listP, CTopic_GUIType guiType);
    ~CTopic_GUI() override;

    // Makes the control once, over the value rectangle in the list's view: a check box labelled
    // with the name, or a pop-up; the other types have none.
    virtual void Allocate_Control();
    virtual void Draw_Value(O_DrawRec* drawRecP, const yaaf::tagRECT& valueR) {}

    yaaf::tagRECT GetRect(yaaf::int32 widget) const override;
    void UpdateBounds(O_DrawRec* drawRecP) override;
    void Draw_As(O_DrawRec* drawRecP, const yaaf::tagRECT& boundsR, VOutline* voP) override;

    // The control itself (a check box or pop-up), or none.
    yaaf::XGView* GetControl() const;

    CTopic_GUIType i_guiType;
    // The view holding the control, owned by the list's view; it forgets the topic when the
    // view goes first.
    yaaf::XGView* i_control = nullptr;

private:
    void PlaceControl();
};
