#include "XGCheckBox.h"

#include "XGControlMessages.h"

#include <QCheckBox>

#include <algorithm>

namespace yaaf {

XGCheckBox::XGCheckBox(int32 id, const std::string& label)
    : XGView('chkb', id), fBox(new QCheckBox(QString::fromStdString(label), GetWidget())) {
    QObject::connect(fBox, &QCheckBox::clicked, fBox, [this](bool) {
        if (!fSetting) DoDispatch(kXGMsg_ControlChanged, GetID(), static_cast<XGView*>(this), true);
    });
    DoResize();
}

XGCheckBox::~XGCheckBox() {
    fSetting = true;
    // Gone already when the view's widget went first.
    if (GetWidget()) delete fBox;
}

bool XGCheckBox::GetValue() const {
    return fBox->isChecked();
}

void XGCheckBox::SetValue(bool checkedB) {
    fSetting = true;
    fBox->setChecked(checkedB);
    fSetting = false;
}

std::string XGCheckBox::GetLabel() const {
    return fBox->text().toStdString();
}

void XGCheckBox::DoResize() {
    fBox->setGeometry(0, 0, std::max(0, GetWidth()), std::max(0, GetHeight()));
}

} // namespace yaaf
