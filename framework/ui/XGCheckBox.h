#pragma once
// A check box with its label. A click by the user is reported with kXGMsg_ControlChanged.

#include "XGView.h"

#include <string>

class QCheckBox;

namespace yaaf {

class XGCheckBox : public XGView {
public:
    explicit XGCheckBox(int32 id = 0, const std::string& label = std::string());
    ~XGCheckBox() override;

    bool GetValue() const;
    // Sends nothing.
    void SetValue(bool checkedB);
    std::string GetLabel() const;

    // For framework code and tests.
    QCheckBox* GetPlatformControl() const { return fBox; }

protected:
    void DoResize() override;

private:
    QCheckBox* fBox;
    bool fSetting = false;
};

} // namespace yaaf
