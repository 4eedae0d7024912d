#pragma once
// A column header: labelled columns whose widths the user drags between per-column limits, and
// one selected (sorting) column. It reports through kXGMsg_HeaderSelect, kXGMsg_HeaderChange and
// kXGMsg_HeaderGrab.

#include "XGView.h"

#include <string>

class QHeaderView;

namespace yaaf {

class XGHeaderPlatform;

struct XGHeaderChangeRecord {
    int32 column = -1;
    int32 width = 0;
    // false while the user is still dragging; true for the change that stands.
    bool finalB = true;
};

class XGHeader : public XGView {
public:
    explicit XGHeader(int32 id = 0);
    ~XGHeader() override;

    // Inserts a column before `index` (an index out of range appends); answers its index. The
    // limits are kept sane (1 <= min <= max) and the width is kept inside them.
    int32 InsertColumn(int32 index, const std::string& label, int32 width, int32 minWidth, int32 maxWidth);
    // Out of range: nothing happens.
    void DeleteColumn(int32 index);
    void DeleteAllColumns();
    int32 CountColumns() const;

    std::string GetColumnLabel(int32 index) const;
    void SetColumnLabel(int32 index, const std::string& label);
    // 0 out of range.
    int32 GetColumnWidth(int32 index) const;
    // Kept inside the column's limits; reported as a final change.
    void SetColumnWidth(int32 index, int32 width);
    int32 GetColumnMinWidth(int32 index) const;
    int32 GetColumnMaxWidth(int32 index) const;

    // The column shown as the sorting one, or -1 for none.
    void SetSelectedColumn(int32 index);
    int32 GetSelectedColumn() const { return fSelected; }

    // For framework code and tests.
    QHeaderView* GetPlatformHeader() const;

protected:
    void DoResize() override;

private:
    friend class XGHeaderPlatform;
    XGHeaderPlatform* fPlatform = nullptr;
    int32 fSelected = -1;
};

} // namespace yaaf
