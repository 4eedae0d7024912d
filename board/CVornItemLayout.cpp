#define VORN_UNIT "CVornItem.cpp"
// Where an item is on the screen, its text box, and its place in flat columns (its drawing and
// size to fit are in CVornItemDraw.cpp).
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "XGDraw.h"
#include "XGGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

using namespace yaaf;

namespace {
bool AllZero(const tagRECT& r) {
    return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
}
void MoveTo(tagRECT& r, int32 left, int32 top) {
    OffsetRect(r, left - r.left, top - r.top);
}
} // namespace

tagRECT CVornItem::GetScreenBounds() {
    if (AllZero(i_boundsR))
        i_boundsR = i_auto_boundsR;
    else if (AllZero(i_auto_boundsR))
        i_auto_boundsR = i_boundsR;
    tagRECT r = *i_boundsRP;
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    if (!i_vornP) {
        VORN_ASSERT_DLG(i_vornP);
        return r;
    }
    // Rectangles from a file may lie anywhere: the results saturate instead of wrapping.
    auto sat = [](double v) { return int32(std::clamp(v, double(INT32_MIN), double(INT32_MAX))); };
    if (i_vornP->GetMode() == Vorn_Mode_GO) {
        // The Go Mode picture fills the window: board points are measured from its corner.
        const double sx = i_vornP->i_scaleX, sy = i_vornP->i_scaleY;
        const double oh = i_vornP->i_go_originH, ov = i_vornP->i_go_originV;
        r = tagRECT{sat(std::round((r.left - oh) * sx)), sat(std::round((r.top - ov) * sy)),
                    sat(std::round((r.right - oh) * sx)), sat(std::round((r.bottom - ov) * sy))};
    } else {
        const double h = i_vornP->i_scrollH, v = i_vornP->i_scrollV;
        r = tagRECT{sat(r.left + h), sat(r.top + v), sat(r.right + h), sat(r.bottom + v)};
    }
    return r;
}

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
    tagRECT& cur = *i_boundsRP;
    cur.right = cur.left + r.Width();
    cur.bottom = cur.top + r.Height();
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
        tagRECT& r = i_auto_boundsR;
        const tagRECT& col = M->i_colA[M->i_columnS];
        if (M->i_init_firstB) {
            M->i_init_firstB = false;
            MoveTo(r, col.left, col.top);
            return;
        }
        CVornItem* prevP = index > 0 ? list->GetIndItem(index - 1) : nullptr;
        const tagRECT prev = prevP ? prevP->i_auto_boundsR : tagRECT{col.left, col.top, col.left, col.top};
        const bool lineBreak = IsLineBreak();
        MoveTo(r, prev.right + 1, prev.top);
        if (lineBreak) {
            r.right = col.right;
            return;
        }
        if (r.right <= col.right) return;
        MoveTo(r, col.left, prev.bottom + 1);
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
