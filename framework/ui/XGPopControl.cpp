#include "XGPopControl.h"

#include "XGControlMessages.h"

#include <QComboBox>

#include <algorithm>

namespace yaaf {

XGPopControl::XGPopControl(int32 id) : XGView('popm', id), fCombo(new QComboBox(GetWidget())) {
    fCombo->setEditable(false);
    QObject::connect(fCombo, &QComboBox::activated, fCombo, [this](int) {
        if (!fSetting) DoDispatch(kXGMsg_ControlChanged, GetID(), static_cast<XGView*>(this), true);
    });
    DoResize();
}

XGPopControl::~XGPopControl() {
    fSetting = true;
    // Gone already when the view's widget went first.
    if (GetWidget()) delete fCombo;
}

void XGPopControl::SetItems(const std::vector<std::string>& items) {
    fSetting = true;
    fCombo->clear();
    for (const std::string& item : items)
        fCombo->addItem(QString::fromStdString(item));
    fSetting = false;
}

void XGPopControl::AddItem(const std::string& text) {
    fSetting = true;
    fCombo->addItem(QString::fromStdString(text));
    fSetting = false;
}

int32 XGPopControl::CountItems() const {
    return fCombo->count();
}

std::string XGPopControl::GetItemText(int32 index) const {
    if (index < 0 || index >= CountItems()) return {};
    return fCombo->itemText(index).toStdString();
}

int32 XGPopControl::GetValue() const {
    return fCombo->currentIndex();
}

void XGPopControl::SetValue(int32 index) {
    fSetting = true;
    fCombo->setCurrentIndex(index >= 0 && index < CountItems() ? index : -1);
    fSetting = false;
}

void XGPopControl::DoResize() {
    fCombo->setGeometry(0, 0, std::max(0, GetWidth()), std::max(0, GetHeight()));
}

} // namespace yaaf
