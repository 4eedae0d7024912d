#include "XGListControl.h"

#include "XGControlMessages.h"

#include <QListWidget>

#include <algorithm>

namespace yaaf {

XGListControl::XGListControl(int32 id) : XGView('list', id), fList(new QListWidget(GetWidget())) {
    fList->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(fList, &QListWidget::currentRowChanged, fList, [this](int) {
        if (!fSetting) DoDispatch(kXGMsg_ControlChanged, GetID(), static_cast<XGView*>(this), true);
    });
    DoResize();
}

XGListControl::~XGListControl() {
    // The rows go before the view, so that no selection change reaches a half-destroyed view.
    fSetting = true;
    // Gone already when the view's widget went first.
    if (GetWidget()) delete fList;
}

int32 XGListControl::InsertItem(int32 index, const std::string& text) {
    if (index < 0 || index > CountItems()) index = CountItems();
    fSetting = true;
    fList->insertItem(index, QString::fromStdString(text));
    fSetting = false;
    return index;
}

void XGListControl::RemoveItem(int32 index) {
    if (index < 0 || index >= CountItems()) return;
    fSetting = true;
    delete fList->takeItem(index);
    fSetting = false;
}

void XGListControl::RemoveAllItems() {
    fSetting = true;
    fList->clear();
    fSetting = false;
}

int32 XGListControl::CountItems() const {
    return fList->count();
}

std::string XGListControl::GetItemText(int32 index) const {
    const QListWidgetItem* item = index >= 0 ? fList->item(index) : nullptr;
    return item ? item->text().toStdString() : std::string();
}

void XGListControl::SetItemText(int32 index, const std::string& text) {
    if (QListWidgetItem* item = index >= 0 ? fList->item(index) : nullptr)
        item->setText(QString::fromStdString(text));
}

int32 XGListControl::GetSelection() const {
    const QListWidgetItem* item = fList->currentItem();
    return item && item->isSelected() ? fList->row(item) : -1;
}

void XGListControl::SetSelection(int32 index) {
    fSetting = true;
    if (index < 0 || index >= CountItems()) {
        fList->setCurrentRow(-1);
        fList->clearSelection();
    } else {
        fList->setCurrentRow(index);
    }
    fSetting = false;
}

void XGListControl::DoResize() {
    fList->setGeometry(0, 0, std::max(0, GetWidth()), std::max(0, GetHeight()));
}

} // namespace yaaf
