#define OUTLINE_UNIT "CTopic"
// The topic as a step of list iteration: layout per view mode, the flow layout of flat
// columns, comparison for sorting, and the numbered steps lists run over their topics.
#include "CTopic.h"

#include "CTopicList.h"
#include "OutlineAssert.h"
#include "VOutline.h"
#include "XGGeometry.h"

#include <algorithm>

using namespace yaaf;

namespace {

// Moves the rectangle so that its top-left corner is (h, v).
void MoveTo(tagRECT& r, int32 h, int32 v) {
    OffsetRect(r, h - r.left, v - r.top);
}

void UnionInto(tagRECT& acc, const tagRECT& r) {
    UnionRect(acc, r, acc);
}

} // namespace

void CTopic::UpdateBounds(O_DrawRec* drawRecP) {
    if (!drawRecP || !drawRecP->pointP) return;
    O_Point& pen = *drawRecP->pointP;
    const tagRECT area = drawRecP->screen_boundsRP ? *drawRecP->screen_boundsRP : tagRECT{};
    switch (drawRecP->view_as) {
    case O_ViewAs_ICONS:
    case O_ViewAs_ZOOM: {
        // A grid of cells across the view, row after row.
        i_boundsI = 1;
        const VOutline* viewP = GetView();
        int32 cellW = kIconCellWidth;
        int32 cellH = 0;
        tagRECT* frameP = GetFrameP();
        frameP->left = frameP->top = 0;
        SizeToFit();
        cellH = frameP->Height() + 3;
        if (drawRecP->view_as == O_ViewAs_ZOOM) {
            const int32 percent = viewP ? viewP->i_zoomPercentL : 100;
            cellW = std::max<int32>(24, kZoomCellWidth * percent / 100);
            cellH = std::max<int32>(frameP->Height() + 4, kZoomCellHeight * percent / 100);
        }
        if (pen.h + cellW > area.right && pen.h > area.left) {
            pen.h = area.left;
            pen.v += drawRecP->row_heightL;
            drawRecP->row_heightL = 0;
        }
        *frameP = tagRECT{pen.h, pen.v, pen.h + cellW - 4, pen.v + cellH - 3};
        pen.h += cellW;
        // The tallest cell of the row sets the next row.
        drawRecP->row_heightL = std::max(drawRecP->row_heightL, cellH);
        break;
    }
    case O_ViewAs_LIST:
    case O_ViewAs_HEIR_COL: {
        i_boundsI = 1;
        tagRECT* frameP = GetFrameP();
        MoveTo(*frameP, pen.h, pen.v);
        OUTLINE_ASSERT_TEXT(!i_siblingsP || i_siblingsP->GetDraw() == drawRecP->drawP,
                            "i_siblingsP->GetDraw() == drawRecP->drawP");
        SizeToFit();
        pen.v = frameP->bottom + 3;
        if (i_childrenP && drawRecP->recurseB && IsTwirled()) {
            pen.h += kTwirlyWidth;
            i_childrenP->Iterate(TOPIC_Iter_UPDATE_BOUNDS, drawRecP, false);
            pen.h -= kTwirlyWidth;
        }
        break;
    }
    case O_ViewAs_FREEFORM_NEW: {
        i_boundsI = 2;
        // A topic that stands nowhere yet goes below the last one placed so.
        if (EmptyRect(i_frameA[2])) {
            i_frameA[2] = tagRECT{area.left + 10, pen.v + 10, area.left + 10, pen.v + 10};
            SizeToFit();
            // Room for the text inside the item's text box.
            i_frameA[2].right = i_frameA[2].left + i_fitW + 14;
            i_frameA[2].bottom = i_frameA[2].top + i_fitH + 5;
            pen.v = i_frameA[2].bottom;
        }
        break;
    }
    case O_ViewAs_FLAT_COL_NEW:
        i_boundsI = 1;
        break;
    default:
        break;
    }
    if (EmptyRect(*GetFrameP())) {
        i_boundsI = 0;
        if (EmptyRect(*GetFrameP())) i_boundsI = 1;
    }
}

uint16 CTopic::FlowLayout(CTopicList* listP, int32 indexL) {
    if (!listP || listP->i_colA.empty()) return kTopicIterStop;
    const int32 maxCols = std::min<int32>(CTopicList::kMaxFlowColumns, int32(listP->i_colA.size()));
    if (listP->i_col_ixL >= maxCols) return kTopicIterStop;
    i_boundsI = 1;
    tagRECT& f = i_frameA[1];
    const bool lineBreak = IsText() && !i_nameZ.empty() && i_nameZ[0] == '\r';
    SizeToFit();
    while (true) {
        const tagRECT q = listP->i_colA[size_t(listP->i_col_ixL)];
        if (listP->i_init_firstB) {
            listP->i_init_firstB = false;
            MoveTo(f, q.left, q.top);
            if (lineBreak) f.right = q.right;
            return 0;
        }
        const CTopic* prevP = listP->GetIndItem(indexL - 1);
        const tagRECT p = prevP ? prevP->i_frameA[1] : tagRECT{q.left, q.top, q.left, q.top};
        MoveTo(f, p.right + 1, p.top);
        if (lineBreak) f.right = q.right;
        if (f.right <= q.right) return 0;
        MoveTo(f, q.left, p.bottom + 1);
        if (lineBreak) f.right = q.right;
        if (f.bottom <= q.bottom) return 0;
        ++listP->i_col_ixL;
        if (listP->i_col_ixL >= maxCols) return kTopicIterStop;
        listP->i_init_firstB = true;
    }
}

int16 CTopic::SortCB(O_SortType sortType, const CTopic* other) const {
    if (!other) return 0;
    switch (sortType) {
    case O_Sort_INDEX:
        return int16(i_indexL < other->i_indexL ? -1 : (i_indexL > other->i_indexL ? 1 : 0));
    case O_Sort_NAME: {
        const int c = i_sortKeyZ.compare(other->i_sortKeyZ);
        return int16(c < 0 ? -1 : (c > 0 ? 1 : 0));
    }
    default:
        return 0;
    }
}

uint16 CTopic::IterateCB(CTopicList* listP, int16 taType, int32 indexL, void* cbData) {
    switch (taType) {
    case TOPIC_Iter_IDLE:
        Idle();
        return 0;
    case TOPIC_Iter_RENUMBER: {
        auto* counterP = static_cast<int32*>(cbData);
        if (counterP) i_indexL = (*counterP)++;
        if (i_childrenP) i_childrenP->UpdateIndices();
        return 0;
    }
    case TOPIC_Iter_DELETE:
        Remove(true);
        return 0;
    case TOPIC_Iter_INSERT:
        Insert();
        return 0;
    case TOPIC_Iter_REMOVE:
        Remove(false);
        return 0;
    case TOPIC_Iter_CLONE: {
        auto* recP = static_cast<O_ReorderRec*>(cbData);
        if (!recP || !recP->dest_listP) return 0;
        CTopic* cloneP = New_CTopic(this, recP->dest_listP);
        recP->dest_listP->Insert(cloneP, recP->new_indexL, true);
        if (recP->copiedP0) recP->copiedP0->Insert(cloneP, -1, false);
        recP->recent_topicP = cloneP;
        if (recP->new_indexL != -1) ++recP->new_indexL;
        return 0;
    }
    case TOPIC_Iter_DRAW:
        Draw(static_cast<O_DrawRec*>(cbData));
        return 0;
    case TOPIC_Iter_HIT_TEST:
        return HitTest(static_cast<O_DrawRec*>(cbData));
    case TOPIC_Iter_UPDATE_BOUNDS:
        UpdateBounds(static_cast<O_DrawRec*>(cbData));
        return 0;
    case TOPIC_Iter_FLOW_LAYOUT:
        return FlowLayout(listP, indexL);
    case TOPIC_Iter_GET_BOUNDS: {
        if (auto* recP = static_cast<O_BoundsRec*>(cbData)) UnionInto(recP->boundsR, GetScreenBounds());
        return 0;
    }
    case TOPIC_Iter_SELECT: {
        const auto* onP = static_cast<const bool*>(cbData);
        Select(onP ? *onP : true);
        return 0;
    }
    case TOPIC_Iter_SELECT_IN_RECT: {
        const auto* rP = static_cast<const tagRECT*>(cbData);
        tagRECT sect;
        if (rP && SectRect(*rP, GetScreenBounds(), sect)) Select(true);
        return 0;
    }
    case TOPIC_Iter_COLLECT:
        if (auto* collectP = static_cast<CTopicList*>(cbData)) collectP->Insert(this, -1, false);
        return 0;
    case TOPIC_Iter_COUNT_LOCKS: {
        if (auto* recP = static_cast<O_CountLocksRec*>(cbData)) {
            ++(IsLocked() ? recP->lockedL : recP->unlockedL);
            ++(IsHidden() ? recP->hiddenL : recP->visibleL);
        }
        return 0;
    }
    case TOPIC_Iter_GET_SELECTED:
    case TOPIC_Iter_GET_VISIBLE: {
        auto* recP = static_cast<O_GetSelectRec*>(cbData);
        if (!recP || !recP->selP) return 0;
        const bool wanted = taType == TOPIC_Iter_GET_SELECTED ? IsSelected() : !IsHidden();
        if (wanted) recP->selP->Insert(this, -1, false);
        if (recP->recurseB && i_childrenP && IsTwirled()) return i_childrenP->Iterate(taType, recP, false);
        return 0;
    }
    case TOPIC_Iter_EXTENTS: {
        auto* recP = static_cast<O_DrawRec*>(cbData);
        if (!recP) return 0;
        UnionInto(recP->boundsR, GetScreenBounds());
        if (recP->recurseB && i_childrenP && IsTwirled()) return i_childrenP->Iterate(taType, recP, false);
        return 0;
    }
    case TOPIC_Iter_GET_FLAGS: {
        auto* recP = static_cast<O_FlagsRec*>(cbData);
        if (!recP) return 0;
        recP->flags |= i_flags;
        if (recP->recurseB && i_childrenP) return i_childrenP->Iterate(taType, recP, false);
        return 0;
    }
    case TOPIC_Iter_SET_FLAGS: {
        auto* recP = static_cast<O_FlagsRec*>(cbData);
        if (!recP) return 0;
        SetFlag(recP->flags, recP->setB);
        if (recP->recurseB && i_childrenP) return i_childrenP->Iterate(taType, recP, false);
        return 0;
    }
    default:
        return 0;
    }
}
