#pragma once
// Reading and placing a board's items in tests: titles, rectangles, the selection, the undo
// stack's top, and the hit test worked out item by item, for checking the board's own walks
// against.

#include "CDo.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"

#include <QString>

#include <string>
#include <vector>

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

// The board's first item of that title.
inline CVornItem* FindItem(TVornModel* m, const std::string& title) {
    for (yaaf::int32 i = 0; i < m->i_list->Count(); ++i)
        if (Title(m->i_list->GetIndItem(i)) == title) return m->i_list->GetIndItem(i);
    return nullptr;
}

// The items of those titles, in the board's order.
inline CItemArray* ItemsTitled(TVornModel* m, const std::vector<std::string>& titles) {
    auto* arrayP = new CItemArray;
    for (yaaf::int32 i = 0; i < m->i_list->Count(); ++i)
        for (const std::string& t : titles)
            if (Title(m->i_list->GetIndItem(i)) == t) arrayP->Add(m->i_list->GetIndItem(i));
    return arrayP;
}

inline void SelectTitled(TVornModel* m, const std::vector<std::string>& titles) {
    CItemArray* arrayP = ItemsTitled(m, titles);
    m->SetSelection(arrayP);
    delete arrayP;
}

// The titles of the board's items (or of the selected ones), in order, with sep between.
inline std::string TitleList(TVornModel* m, bool selectedOnly = false, const std::string& sep = " ") {
    std::string out;
    for (yaaf::int32 i = 0; i < m->i_list->Count(); ++i) {
        CVornItem* itemP = m->i_list->GetIndItem(i);
        if (selectedOnly && !itemP->i_b.selectedB()) continue;
        out += (out.empty() ? "" : sep) + Title(itemP);
    }
    return out;
}

// What Undo shows in the Edit menu, and the units on the undo stack.
inline std::string UndoText() {
    char text[kCDo_MenuTextSize];
    return gDo->GetString(CDo_Type_UNDO, text);
}
inline yaaf::int32 UndoUnits() {
    return CDo::CountTasks(gDo->GetStack(CDo_Type_UNDO));
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
