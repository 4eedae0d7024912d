#pragma once
// A list of text rows of which the user selects one. A change of the selection by the user is
// reported with kXGMsg_ControlChanged.

#include "XGView.h"

#include <string>

class QListWidget;

namespace yaaf {

class XGListControl : public XGView {
public:
    explicit XGListControl(int32 id = 0);
    ~XGListControl() override;

    // Inserts before `index` (an index out of range appends); answers the row's index.
    int32 InsertItem(int32 index, const std::string& text);
    // Out of range: nothing happens.
    void RemoveItem(int32 index);
    void RemoveAllItems();
    int32 CountItems() const;
    // Empty out of range.
    std::string GetItemText(int32 index) const;
    void SetItemText(int32 index, const std::string& text);

    // The selected row, or -1. Setting it (-1 or out of range clears it) sends nothing.
    int32 GetSelection() const;
    void SetSelection(int32 index);

    // For framework code and tests.
    QListWidget* GetPlatformList() const { return fList; }

protected:
    void DoResize() override;

private:
    QListWidget* fList;
    bool fSetting = false;
};

} // namespace yaaf
