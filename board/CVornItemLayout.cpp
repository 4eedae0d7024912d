#define VORN_UNIT "CVornItem.cpp"
// An item's text box and its place in flat columns (its drawing and size to fit are in
// CVornItemDraw.cpp, where it is on the screen beside the hit test in CVornItemIterate.cpp).
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "XGDraw.h"
#include "XGGeometry.h"

using namespace yaaf;

namespace {
void MoveTo(tagRECT& r, int32 left, int32 top) {
    OffsetRect(r, left - r.left, top - r.top);
}
} // namespace

tagRECT CVornItem::GetTextBox(const tagRECT& itemR, bool clipB) {
    tagRECT r = itemR;
    r.left += 2;
    r.top += 2;
    r.right -= 2;
    r.bottom -= 2;
    if (clipB) {
        if (!i_vornP)
            VORN_ASSERT_DLG(i_vornP);
        else if (i_vornP->i_drawP)
            i_vornP->i_drawP->SetClip(r);
    }
    r.left += 2;
    r.right -= 2;
    r.right -= 5;
    return r;
}

void CVornItem::SetTextBox(const tagRECT& textR) {
    tagRECT r = textR;
    r.right += 5;
    r.left -= 2;
    r.right += 2;
    r.left -= 2;
    r.top -= 2;
    r.right += 2;
    r.bottom += 2;
    CVornItemRect& cur = *i_boundsRP;
    cur = tagRECT{cur.left, cur.top, cur.left + r.Width(), cur.top + r.Height()};
}

void CVornItem::FlowColumns(CItemArray* list, int32 index) {
    TVornModel* M = i_vornP;
    if (!M) {
        VORN_ASSERT_DLG(i_vornP);
        return;
    }
    const tagRECT saved = i_auto_boundsR;
    for (;;) {
        SizeToFit();
        // Placed on a copy, which the item takes at each stop (SizeToFit sizes the item's own).
        tagRECT r = i_auto_boundsR;
        const tagRECT& col = M->i_colA[M->i_columnS];
        if (M->i_init_firstB) {
            M->i_init_firstB = false;
            MoveTo(r, col.left, col.top);
            i_auto_boundsR = r;
            return;
        }
        CVornItem* prevP = index > 0 ? list->GetIndItem(index - 1) : nullptr;
        const tagRECT prev = prevP ? prevP->i_auto_boundsR : tagRECT{col.left, col.top, col.left, col.top};
        const bool lineBreak = IsLineBreak();
        MoveTo(r, prev.right + 1, prev.top);
        if (lineBreak) {
            r.right = col.right;
            i_auto_boundsR = r;
            return;
        }
        i_auto_boundsR = r;
        if (r.right <= col.right) return;
        MoveTo(r, col.left, prev.bottom + 1);
        i_auto_boundsR = r;
        if (r.bottom <= col.bottom) return;
        if (M->i_columnS + 1 >= kVornMaxColumns) {
            // Every column is full: this item and the rest stay where they were.
            i_auto_boundsR = saved;
            M->i_layout_fullB = true;
            return;
        }
        ++M->i_columnS;
        M->i_init_firstB = true;
    }
}
