#pragma once
// The column header of the outline view: labelled columns, each with the identifier of what
// it shows (a sort key). List mode shows the columns of kListColumnRecs; each hierarchic
// column has a header of one column, labelled with the topic whose children it shows.

#include "OutlineTypes.h"
#include "XGHeader.h"

#include <vector>

// One column as a layout gives it; a table ends with identifier 0.
struct VColHeaderRec {
    yaaf::int32 col_idL = 0;
    char nameAC[64] = {};
    yaaf::int16 widthS = 0;
    yaaf::int16 min_widthS = 0;
    yaaf::int16 max_widthS = 0;
};

struct VColRec {
    yaaf::int32 col_idL = 0;
};

// Name, Size, Modified, Kind and Lock.
extern const VColHeaderRec kListColumnRecs[];

class VColHeader : public yaaf::XGHeader {
public:
    explicit VColHeader(yaaf::int32 id = 11);

    // All columns anew, one per record.
    void Init(const VColHeaderRec* recs);
    // An index out of range appends; answers the column's index.
    yaaf::int32 InsertColumn(yaaf::int32 index, const std::string& label, yaaf::int32 width, yaaf::int32 minWidth,
                             yaaf::int32 maxWidth, yaaf::int32 colID);
    // Out of range: nothing happens.
    void DeleteColumn(yaaf::int32 index);
    void SetColumnID(yaaf::int32 index, yaaf::int32 colID);
    // 0 out of range.
    yaaf::int32 GetColumnID(yaaf::int32 index) const;
    void SetSortBy(O_SortType) {}

    std::vector<VColRec> i_extraA;

    static constexpr yaaf::int32 kHeight = 20;
};
