#include "XGFormDialog.h"

#include "XGAlert.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cstdio>
#include <map>

namespace yaaf {

namespace {

XGFormResponder& Responder() {
    static XGFormResponder sResponder;
    return sResponder;
}

} // namespace

XGFormDialog::XGFormDialog(int16 layoutId, std::string title)
    : fLayoutId(layoutId), fTitle(std::move(title)) {}

void XGFormDialog::AddCheckBox(int number, std::string label, bool checked) {
    Item item;
    item.number = number;
    item.kind = ItemKind::kCheckBox;
    item.label = std::move(label);
    item.checked = checked;
    fItems.push_back(std::move(item));
}

void XGFormDialog::AddNumberField(int number, std::string label, int32 value, int32 minValue,
                                  int32 maxValue) {
    Item item;
    item.number = number;
    item.kind = ItemKind::kNumber;
    item.label = std::move(label);
    item.minValue = minValue;
    item.maxValue = maxValue < minValue ? minValue : maxValue;
    item.value = value < item.minValue ? item.minValue : (value > item.maxValue ? item.maxValue : value);
    fItems.push_back(std::move(item));
}

void XGFormDialog::AddTextField(int number, std::string label, std::string text) {
    Item item;
    item.number = number;
    item.kind = ItemKind::kText;
    item.label = std::move(label);
    item.text = std::move(text);
    fItems.push_back(std::move(item));
}

XGFormDialog::Item* XGFormDialog::Find(int number) {
    for (auto& item : fItems)
        if (item.number == number) return &item;
    return nullptr;
}

const XGFormDialog::Item* XGFormDialog::FindItem(int number) const {
    for (const auto& item : fItems)
        if (item.number == number) return &item;
    return nullptr;
}

bool XGFormDialog::GetCheck(int number) const {
    const Item* item = FindItem(number);
    return item && item->checked;
}

int32 XGFormDialog::GetNumber(int number) const {
    const Item* item = FindItem(number);
    return item ? item->value : 0;
}

std::string XGFormDialog::GetText(int number) const {
    const Item* item = FindItem(number);
    return item ? item->text : std::string();
}

void XGFormDialog::SetCheck(int number, bool checked) {
    if (Item* item = Find(number)) item->checked = checked;
}

void XGFormDialog::SetNumber(int number, int32 value) {
    if (Item* item = Find(number))
        item->value =
            value < item->minValue ? item->minValue : (value > item->maxValue ? item->maxValue : value);
}

void XGFormDialog::SetText(int number, std::string text) {
    if (Item* item = Find(number)) item->text = std::move(text);
}

void XGFormDialog::Click(int number) {
    if (Item* item = Find(number); item && item->kind == ItemKind::kCheckBox) item->checked = !item->checked;
}

XGFormResponder XGFormDialog::SetResponder(XGFormResponder responder) {
    XGFormResponder previous = std::move(Responder());
    Responder() = std::move(responder);
    return previous;
}

int XGFormDialog::Run() {
    if (XGFormResponder responder = Responder()) {
        // The responder works on a copy so that Cancel leaves the values as they were.
        XGFormDialog copy = *this;
        int answer = responder(copy);
        if (answer != kItemOK) return kItemCancel;
        fItems = std::move(copy.fItems);
        return kItemOK;
    }
    if (XGDialogsAreSilent()) {
        std::fprintf(stderr, "[form %d] %s -> Cancel\n", int(fLayoutId), fTitle.c_str());
        return kItemCancel;
    }
    return RunWidgets();
}

int XGFormDialog::RunWidgets() {
    QDialog dialog;
    dialog.setWindowTitle(QString::fromUtf8(fTitle.c_str()));
    auto* outer = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    outer->addLayout(form);
    std::map<int, QWidget*> widgets;
    for (const auto& item : fItems) {
        const QString label = QString::fromUtf8(item.label.c_str());
        switch (item.kind) {
        case ItemKind::kCheckBox: {
            auto* box = new QCheckBox(label);
            box->setChecked(item.checked);
            form->addRow(box);
            widgets[item.number] = box;
            break;
        }
        case ItemKind::kNumber: {
            auto* spin = new QSpinBox;
            spin->setRange(item.minValue, item.maxValue);
            spin->setValue(item.value);
            form->addRow(label, spin);
            widgets[item.number] = spin;
            break;
        }
        case ItemKind::kText: {
            auto* edit = new QLineEdit(QString::fromUtf8(item.text.c_str()));
            form->addRow(label, edit);
            widgets[item.number] = edit;
            break;
        }
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    outer->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return kItemCancel;
    for (auto& item : fItems) {
        QWidget* w = widgets[item.number];
        switch (item.kind) {
        case ItemKind::kCheckBox:
            item.checked = static_cast<QCheckBox*>(w)->isChecked();
            break;
        case ItemKind::kNumber:
            item.value = static_cast<QSpinBox*>(w)->value();
            break;
        case ItemKind::kText:
            item.text = static_cast<QLineEdit*>(w)->text().toStdString();
            break;
        }
    }
    return kItemOK;
}

} // namespace yaaf
