#define VORN_UNIT "CVornItem.cpp"
// Where an item is on the screen, how big a text item is, its place in flat columns, and its
// plain drawing.
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "XGDraw.h"
#include "XGGeometry.h"

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
    if (i_vornP->GetMode() == Vorn_Mode_GO) {
        const double sx = i_vornP->i_scaleX, sy = i_vornP->i_scaleY;
        r = tagRECT{int32(std::lround(r.left * sx)), int32(std::lround(r.top * sy)),
                    int32(std::lround(r.right * sx)), int32(std::lround(r.bottom * sy))};
    } else {
        OffsetRect(r, i_vornP->i_scrollH, i_vornP->i_scrollV);
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

void CVornItem::SizeToFit() {
    if (!i_vornP) {
        VORN_ASSERT_DLG(i_vornP);
        return;
    }
    if (!i_vornP->i_controllerP) return;
    const Vorn_LinkContent& s = i_resource.source.content;
    tagRECT& cur = *i_boundsRP;
    if (s.type == LinkType_PICT_FILE || s.type == LinkType_PICT_URL) {
        cur.right = cur.left + s.origR.Width();
        cur.bottom = cur.top + s.origR.Height();
        return;
    }
    std::string text = *Vorn_GetTextP(i_resource.source.content);
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    int32 width = i_font.TextWidth(text);
    if (i_full_widthB) width = i_vornP->i_colA[0].Width();
    SetTextBox(tagRECT{0, 0, width, i_font.LineHeight()});
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

void CVornItem::DrawSource(const tagRECT* itemRP) {
    if (!i_vornP) {
        VORN_ASSERT_DLG(i_vornP);
        return;
    }
    XGDraw* draw = i_vornP->i_drawP;
    if (!draw || IsHidden()) return;
    CVornViewLink* view = i_vornP->GetView();
    if (view && view->GetRenameItem() == this) return;
    const bool editB = i_vornP->GetMode() != Vorn_Mode_GO;
    const tagRECT r = *itemRP;
    if (editB) draw->EraseRect(r);
    std::string text;
    const Vorn_LinkContent& s = i_resource.source.content;
    if (s.type == LinkType_PICT_FILE || s.type == LinkType_PICT_URL) {
        if (!s.cacheP)
            text = std::string(IsLoading() ? "Loading item: '" : "Missing item: '") + GetName(Vorn_Ref_SRC) +
                   "'";
    } else {
        text = *Vorn_GetTextP(i_resource.source.content);
        if (IsLineBreak()) text = " ";
    }
    if (!text.empty()) {
        const tagRECT box = GetTextBox(r, true);
        draw->SetFont(i_font);
        draw->DrawText(box.left, box.top + i_font.Ascent(), text);
        draw->ClearClip();
    }
    if (editB) {
        if (i_b.selectedB())
            draw->InvertRect(r);
        else
            draw->FrameRect(r);
    }
}
