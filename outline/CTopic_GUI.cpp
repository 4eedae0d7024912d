#include "CTopic_GUI.h"

#include "CTopicList.h"
#include "VOutline.h"
#include "XGCheckBox.h"
#include "XGGeometry.h"
#include "XGPopControl.h"

#include <algorithm>

using namespace yaaf;

namespace {

// Holds a topic's control inside the outline view; the view deletes it with its children, and
// the topic then must not reach it.
class GUIControlHolder : public XGView {
public:
    explicit GUIControlHolder(CTopic_GUI* topicP) : XGView('guih', 0), i_topicP(topicP) {}
    ~GUIControlHolder() override {
        if (i_topicP) i_topicP->i_control = nullptr;
    }
    void Forget() { i_topicP = nullptr; }

protected:
    void DoResize() override {
        for (XGView* childP : GetChildren())
            childP->SetBounds(GetLocalBounds());
    }

private:
    CTopic_GUI* i_topicP;
};

} // namespace

CTopic_GUI::CTopic_GUI(const char* nameAC, CTopicList* listP, CTopic_GUIType guiType)
    : CTopic(nameAC, listP, kNoIndex), i_guiType(guiType) {}

CTopic_GUI::~CTopic_GUI() {
    if (auto* holderP = static_cast<GUIControlHolder*>(i_control)) {
        holderP->Forget();
        if (XGView* parentP = holderP->GetParent()) parentP->RemoveChild(holderP);
        delete holderP;
    }
    i_control = nullptr;
}

XGView* CTopic_GUI::GetControl() const {
    return i_control && !i_control->GetChildren().empty() ? i_control->GetChildren().front() : nullptr;
}

void CTopic_GUI::Allocate_Control() {
    if (i_control) return;
    if (i_guiType != CTopic_GUIType_CHECKBOX && i_guiType != CTopic_GUIType_POPUP) return;
    VOutline* viewP = GetView();
    if (!viewP) return;
    auto* holderP = new GUIControlHolder(this);
    viewP->AddChild(holderP);
    if (i_guiType == CTopic_GUIType_CHECKBOX) {
        holderP->AddChild(new XGCheckBox(0, GetNameRef()));
    } else {
        auto* popP = new XGPopControl(0);
        popP->SetItems({"Text", "Vorn", "HTML", "XML"});
        popP->SetValue(0);
        holderP->AddChild(popP);
    }
    i_control = holderP;
    PlaceControl();
    holderP->Show();
}

tagRECT CTopic_GUI::GetRect(int32 widget) const {
    const tagRECT b = GetScreenBounds();
    switch (widget) {
    case TOPIC_Widget_ICON:
        return tagRECT{b.left + kIconLeft, b.top, b.left + kIconLeft, b.bottom};
    case TOPIC_Widget_TEXT:
        return tagRECT{b.left + 24, b.top, b.left + 104, b.bottom};
    case kWidget_VALUE: {
        const int32 left = b.left + 104;
        return tagRECT{left, b.top, std::max(b.right, left + kMinValueWidth), b.bottom};
    }
    default:
        return CTopic::GetRect(widget);
    }
}

void CTopic_GUI::PlaceControl() {
    if (!i_control) return;
    i_control->SetBounds(GetRect(kWidget_VALUE));
}

void CTopic_GUI::UpdateBounds(O_DrawRec* drawRecP) {
    CTopic::UpdateBounds(drawRecP);
    PlaceControl();
}

void CTopic_GUI::Draw_As(O_DrawRec* drawRecP, const tagRECT& boundsR, VOutline* voP) {
    if (!i_control) Allocate_Control();
    CTopic::Draw_As(drawRecP, boundsR, voP);
    if (drawRecP && drawRecP->view_as == O_ViewAs_HEIR_COL) Draw_Value(drawRecP, GetRect(kWidget_VALUE));
}
