#pragma once
// A pop-up control: a button that shows its chosen item and offers the others in a menu. A
// choice by the user is reported with kXGMsg_ControlChanged.

#include "XGView.h"

#include <string>
#include <vector>

class QComboBox;

namespace yaaf {

class XGPopControl : public XGView {
public:
    explicit XGPopControl(int32 id = 0);
    ~XGPopControl() override;

    void SetItems(const std::vector<std::string>& items);
    void AddItem(const std::string& text);
    int32 CountItems() const;
    // Empty out of range.
    std::string GetItemText(int32 index) const;

    // The chosen item, or -1 while there is none. Setting it (out of range: none) sends nothing.
    int32 GetValue() const;
    void SetValue(int32 index);

    // For framework code and tests.
    QComboBox* GetPlatformControl() const { return fCombo; }

protected:
    void DoResize() override;

private:
    QComboBox* fCombo;
    bool fSetting = false;
};

} // namespace yaaf
