#include "VColHeader.h"

using namespace yaaf;

const VColHeaderRec kListColumnRecs[] = {
    {O_Sort_NAME, "Name", 200, 50, 500},     {O_Sort_LOG_SIZE, "Size", 100, 50, 500},
    {O_Sort_MOD_DATE, "Modified", 200, 50, 500}, {O_Sort_KIND, "Kind", 200, 50, 500},
    {O_Sort_LOCK, "Lock", 20, 10, 40},       {0, "", 0, 0, 0},
};

VColHeader::VColHeader(int32 id) : XGHeader(id) {}

void VColHeader::Init(const VColHeaderRec* recs) {
    DeleteAllColumns();
    i_extraA.clear();
    for (const VColHeaderRec* r = recs; r && r->col_idL != 0; ++r)
        InsertColumn(-1, r->nameAC, r->widthS, r->min_widthS, r->max_widthS, r->col_idL);
}

int32 VColHeader::InsertColumn(int32 index, const std::string& label, int32 width, int32 minWidth, int32 maxWidth,
                               int32 colID) {
    const int32 at = XGHeader::InsertColumn(index, label, width, minWidth, maxWidth);
    i_extraA.insert(i_extraA.begin() + std::min<size_t>(size_t(at), i_extraA.size()), VColRec{colID});
    return at;
}

void VColHeader::DeleteColumn(int32 index) {
    if (index < 0 || index >= CountColumns()) return;
    XGHeader::DeleteColumn(index);
    if (size_t(index) < i_extraA.size()) i_extraA.erase(i_extraA.begin() + index);
}

void VColHeader::SetColumnID(int32 index, int32 colID) {
    if (index >= 0 && size_t(index) < i_extraA.size()) i_extraA[size_t(index)].col_idL = colID;
}

int32 VColHeader::GetColumnID(int32 index) const {
    return index >= 0 && size_t(index) < i_extraA.size() ? i_extraA[size_t(index)].col_idL : 0;
}
