#include "XGFormDialog.h"

#include "XGAlert.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
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

void XGFormDialog::AddDecimalField(int number, std::string label, int32 value, int32 minValue, int32 maxValue,
                                   int decimals) {
    AddNumberField(number, std::move(label), value, minValue, maxValue);
    fItems.back().decimals = decimals < 0 ? 0 : (decimals > 6 ? 6 : decimals);
}

void XGFormDialog::AddChoice(int number, std::string label, std::vector<std::string> choices, int32 chosen) {
    Item item;
    item.number = number;
    item.kind = ItemKind::kChoice;
    item.label = std::move(label);
    item.choices = std::move(choices);
    item.minValue = 0;
    item.maxValue = item.choices.empty() ? 0 : int32(item.choices.size()) - 1;
    item.value = chosen < 0 ? 0 : (chosen > item.maxValue ? item.maxValue : chosen);
    fItems.push_back(std::move(item));
}

void XGFormDialog::AddButton(int number, std::string label, ButtonProc action) {
    Item item;
    item.number = number;
    item.kind = ItemKind::kButton;
    item.label = std::move(label);
    item.action = std::move(action);
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
    Item* item = Find(number);
    if (!item) return;
    if (item->kind == ItemKind::kCheckBox) item->checked = !item->checked;
    if (item->kind == ItemKind::kButton && item->action) item->action(*this);
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
    const QString title = QString::fromUtf8(fTitle.c_str());
    dialog.setWindowTitle(title);
    dialog.setAccessibleName(title);
    auto* outer = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    outer->addLayout(form);
    std::map<int, QWidget*> widgets;
    // The values as the widgets show them: what OK takes, and what a button's action sees.
    auto readBack = [&widgets](std::vector<Item>& items) {
        for (auto& item : items) {
            QWidget* w = widgets[item.number];
            switch (item.kind) {
            case ItemKind::kCheckBox:
                item.checked = static_cast<QCheckBox*>(w)->isChecked();
                break;
            case ItemKind::kNumber:
                if (item.decimals > 0)
                    item.value = int32(std::lround(static_cast<QDoubleSpinBox*>(w)->value() *
                                                   std::pow(10.0, item.decimals)));
                else
                    item.value = static_cast<QSpinBox*>(w)->value();
                break;
            case ItemKind::kText:
                item.text = static_cast<QLineEdit*>(w)->text().toStdString();
                break;
            case ItemKind::kChoice:
                item.value = std::max(0, static_cast<QComboBox*>(w)->currentIndex());
                break;
            case ItemKind::kButton:
                break;
            }
        }
    };
    for (const auto& item : fItems) {
        const QString label = QString::fromUtf8(item.label.c_str());
        QWidget* widget = nullptr;
        switch (item.kind) {
        case ItemKind::kCheckBox: {
            auto* box = new QCheckBox(label);
            box->setChecked(item.checked);
            form->addRow(box);
            widget = box;
            break;
        }
        case ItemKind::kNumber: {
            if (item.decimals > 0) {
                const double scale = std::pow(10.0, item.decimals);
                auto* spin = new QDoubleSpinBox;
                spin->setDecimals(item.decimals);
                spin->setSingleStep(1.0 / scale * (item.decimals == 1 ? 1 : 10));
                spin->setRange(item.minValue / scale, item.maxValue / scale);
                spin->setValue(item.value / scale);
                widget = spin;
            } else {
                auto* spin = new QSpinBox;
                spin->setRange(item.minValue, item.maxValue);
                spin->setValue(item.value);
                widget = spin;
            }
            form->addRow(label, widget);
            break;
        }
        case ItemKind::kText: {
            widget = new QLineEdit(QString::fromUtf8(item.text.c_str()));
            form->addRow(label, widget);
            break;
        }
        case ItemKind::kChoice: {
            auto* combo = new QComboBox;
            for (const std::string& c : item.choices)
                combo->addItem(QString::fromUtf8(c.c_str()));
            combo->setCurrentIndex(item.value);
            widget = combo;
            form->addRow(label, widget);
            break;
        }
        case ItemKind::kButton: {
            auto* button = new QPushButton(label);
            button->setAutoDefault(false);
            const int number = item.number;
            QObject::connect(button, &QPushButton::clicked, &dialog, [this, number, &readBack] {
                XGFormDialog current = *this;
                readBack(current.fItems);
                if (const Item* it = current.FindItem(number); it && it->action) it->action(current);
            });
            form->addRow(button);
            widget = button;
            break;
        }
        }
        widget->setAccessibleName(label);
        widgets[item.number] = widget;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    outer->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return kItemCancel;
    readBack(fItems);
    return kItemOK;
}

} // namespace yaaf
