#pragma once
// Reading and placing a board's items in tests: titles, rectangles, and the hit test worked out
// item by item, for checking the board's own walks against.

#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"

#include <QString>

#include <string>

namespace vorntest {

inline std::string Title(CVornItem* item) {
    return item->GetName(Vorn_Ref_SRC);
}

// The titles of the array's items, one after another.
inline QString Titles(CItemArray* array) {
    QString out;
    for (int i = 0; i < array->Count(); ++i)
        out += QString::fromStdString(Title(array->GetIndItem(i)));
    return out;
}

// Places the item, its automatic layout too.
inline void SetRect(CVornItem* item, int l, int t, int r, int b) {
    item->i_boundsR = yaaf::tagRECT{l, t, r, b};
    item->i_auto_boundsR = item->i_boundsR;
}

// The hit test read from the items alone: the selected ones first, then all, last drawn first.
inline CVornItem* HitTestItemByItem(TVornModel* m, yaaf::Point pt, yaaf::int32* subP) {
    Vorn_HitTestRec rec;
    rec.subHitTypeP = subP;
    rec.thePt = pt;
    for (int pass = 0; pass < 2; ++pass)
        for (yaaf::int32 i = m->i_list->Count() - 1; i >= 0 && !rec.returnItemP; --i)
            if (pass == 1 || m->i_list->GetIndItem(i)->i_b.selectedB())
                m->i_list->GetIndItem(i)->CB_Iterate(m->i_list, i, ItemA_Iterate_HIT_TEST, &rec);
    return rec.returnItemP;
}

} // namespace vorntest
