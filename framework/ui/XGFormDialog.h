#pragma once
// Small modal forms made of check boxes, number or text fields, choices and buttons, numbered
// like the items of a dialog layout: 1 is OK, 2 is Cancel, the others are 3 and up. Tests
// install a responder that edits the values, presses buttons and answers the pressed item
// without showing anything; with no responder where nothing can be shown, the form answers
// Cancel. Every widget carries its label as its name for screen readers.

#include "XGTypes.h"

#include <functional>
#include <string>
#include <vector>

namespace yaaf {

class XGFormDialog;

using XGFormResponder = std::function<int(XGFormDialog&)>;

class XGFormDialog {
public:
    static constexpr int kItemOK = 1;
    static constexpr int kItemCancel = 2;

    enum class ItemKind { kCheckBox, kNumber, kText, kChoice, kButton };
    // A button's action sees the values as they stand in the form, not yet taken.
    using ButtonProc = std::function<void(const XGFormDialog& form)>;

    struct Item {
        int number = 0;
        ItemKind kind = ItemKind::kCheckBox;
        std::string label;
        bool checked = false;
        int32 value = 0;
        int32 minValue = -2147483647 - 1;
        int32 maxValue = 2147483647;
        std::string text;
        int decimals = 0;                 // a number shown as value / 10^decimals
        std::vector<std::string> choices; // a choice's entries; value is the index chosen
        ButtonProc action;
    };

    XGFormDialog(int16 layoutId, std::string title);

    void AddCheckBox(int number, std::string label, bool checked);
    void AddNumberField(int number, std::string label, int32 value, int32 minValue, int32 maxValue);
    void AddTextField(int number, std::string label, std::string text);
    // A number held as an integer and shown with decimals places (15 with 1 shows 1.5).
    void AddDecimalField(int number, std::string label, int32 value, int32 minValue, int32 maxValue,
                         int decimals);
    void AddChoice(int number, std::string label, std::vector<std::string> choices, int32 chosen);
    void AddButton(int number, std::string label, ButtonProc action);

    // Runs the form; answers kItemOK or kItemCancel. The values change only on OK.
    int Run();

    bool GetCheck(int number) const;
    int32 GetNumber(int number) const;
    std::string GetText(int number) const;

    // For responders: setting a number clamps it to the field's range.
    void SetCheck(int number, bool checked);
    void SetNumber(int number, int32 value);
    void SetText(int number, std::string text);
    // A click on a check box toggles it; on a button it runs the button's action.
    void Click(int number);

    int16 LayoutId() const { return fLayoutId; }
    const std::string& Title() const { return fTitle; }
    const std::vector<Item>& Items() const { return fItems; }
    const Item* FindItem(int number) const;

    static XGFormResponder SetResponder(XGFormResponder responder);

private:
    Item* Find(int number);
    int RunWidgets();

    int16 fLayoutId;
    std::string fTitle;
    std::vector<Item> fItems;
};

class XGScopedFormResponder {
public:
    explicit XGScopedFormResponder(XGFormResponder responder)
        : fPrevious(XGFormDialog::SetResponder(std::move(responder))) {}
    ~XGScopedFormResponder() { XGFormDialog::SetResponder(std::move(fPrevious)); }
    XGScopedFormResponder(const XGScopedFormResponder&) = delete;
    XGScopedFormResponder& operator=(const XGScopedFormResponder&) = delete;

private:
    XGFormResponder fPrevious;
};

} // namespace yaaf
