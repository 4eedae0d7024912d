#define OUTLINE_UNIT "CTopicList"
// The topic list: membership, iteration, groups and selection, layout and drawing, saved
// settings and the attached view.
#include "CTopicList.h"

#include "CTopic.h"
#include "CVornItem.h"
#include "OutlineAssert.h"
#include "VOutline.h"
#include "XGGeometry.h"

#include <algorithm>

using namespace yaaf;

std::atomic<uint64> CTopicList::s_layoutGeneration{0};

namespace {
// How many topics ahead a pass over a list asks memory for.
constexpr int32 kPrefetchAhead = 8;
} // namespace

CTopicList::CTopicList(COutlineDocLink* outlineP, CTopic* parentP) : i_outlineP(outlineP), i_parentP(parentP) {}

CTopicList::~CTopicList() {
    SetView(nullptr);
    // The idle list holds topics it does not own.
    delete i_idle_listP;
    i_idle_listP = nullptr;
}

bool CTopicList::operator==(const CTopicList& that) const {
    return i_list == that.i_list;
}

// ---------------------------------------------------------------------------------------------
// Idle time

void CTopicList::Idle() {
    if (i_idle_listP) i_idle_listP->Iterate(TOPIC_Iter_IDLE, nullptr, false);
}

void CTopicList::Idle_Insert(CTopic* topicP) {
    if (!i_idle_listP) i_idle_listP = new CTopicList(nullptr, nullptr);
    OUTLINE_ASSERT_DLG(i_idle_listP);
    if (i_idle_listP) i_idle_listP->Insert(topicP, -1, false);
}

void CTopicList::Idle_Remove(CTopic* topicP) {
    OUTLINE_ASSERT_DLG(i_idle_listP);
    if (!i_idle_listP) return;
    auto& l = i_idle_listP->i_list;
    l.erase(std::remove(l.begin(), l.end(), topicP), l.end());
    if (l.empty()) {
        delete i_idle_listP;
        i_idle_listP = nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Membership

void CTopicList::UpdateIndices() {
    int32 counter = 0;
    Iterate(TOPIC_Iter_RENUMBER, &counter, false);
}

void CTopicList::UpdateIndicesFrom(int32 indexL) {
    for (size_t i = size_t(std::max(0, indexL)); i < i_list.size(); ++i)
        i_list[i]->i_indexL = int32(i);
}

void CTopicList::Insert(CTopic* topicP, int32 indexL, bool set_insertedB) {
    if (!topicP) return;
    if (set_insertedB && topicP->GetFlag(TOPIC_Flag_INSERTED)) {
        // In the list twice, it would be removed once and stay behind as a stale pointer.
        OUTLINE_ASSERT_TEXT(false, "!topicP->GetFlag(TOPIC_Flag_INSERTED)");
        return;
    }
    const int32 count = Count();
    const int32 at = (indexL < 0 || indexL > count) ? count : indexL;
    i_list.insert(i_list.begin() + at, topicP);
    LayoutChanged();
    if (set_insertedB) topicP->SetFlag(TOPIC_Flag_INSERTED, true);
}

int32 CTopicList::IndexOf(const CTopic* topicP) const {
    if (!topicP) return -1;
    // The topic's own index is right unless the list was sorted or changed since.
    const int32 hint = topicP->i_indexL;
    if (hint >= 0 && hint < Count() && i_list[size_t(hint)] == topicP) return hint;
    for (size_t i = i_list.size(); i-- > 0;)
        if (i_list[i] == topicP) return int32(i);
    return -1;
}

void CTopicList::Remove(CTopic* topicP, bool set_insertedB, bool deleteB) {
    if (!topicP) return;
    const int32 at = IndexOf(topicP);
    OUTLINE_ASSERT_TEXT(at >= 0, "i_list[topicP->i_indexL] == topicP");
    if (at >= 0) i_list.erase(i_list.begin() + at);
    LayoutChanged();
    if (deleteB) {
        // Its own destruction must not take it out of the list a second time.
        topicP->i_flags &= ~TOPIC_Flag_INSERTED;
        if (VOutline* viewP = GetView()) viewP->InvalView();
        delete topicP;
        return;
    }
    if (set_insertedB) {
        OUTLINE_ASSERT_TEXT(topicP->GetFlag(TOPIC_Flag_INSERTED), "topicP->GetFlag(TOPIC_Flag_INSERTED)");
        topicP->SetFlag(TOPIC_Flag_INSERTED, false);
    }
}

void CTopicList::RemoveAll() {
    i_list.clear();
    LayoutChanged();
    if (VOutline* viewP = GetView()) viewP->InvalView();
}

CTopic* CTopicList::GetIndItem(int32 indexL) const {
    if (indexL == -1) return i_list.empty() ? nullptr : i_list.back();
    if (indexL < 0 || indexL >= Count()) return nullptr;
    return i_list[size_t(indexL)];
}

uint16 CTopicList::Iterate(int16 taType, void* cbData, bool reverseB) {
    const int32 count = Count();
    uint16 result = 0;
    for (int32 n = 0; n < count; ++n) {
        const int32 i = reverseB ? count - 1 - n : n;
        // A step may take topics out: what is gone is skipped.
        if (i >= Count()) continue;
        // A long list is far bigger than the caches: each topic is asked for a few steps
        // before it is reached, or every step waits on memory.
        const int32 ahead = reverseB ? i - kPrefetchAhead : i + kPrefetchAhead;
        if (ahead >= 0 && ahead < Count()) i_list[size_t(ahead)]->PrefetchLayout();
        CTopic* topicP = i_list[size_t(i)];
        result = topicP->IterateCB(this, taType, i, cbData);
        if (result == kTopicIterStop) break;
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// Layout, drawing and hit testing

CTopic* CTopicList::HitTest(O_DrawRec* recP) {
    if (!recP) return nullptr;
    recP->hit_topicP = nullptr;
    if ((recP->view_as == O_ViewAs_LIST || recP->view_as == O_ViewAs_HEIR_COL) && recP->pointP) {
        // Rows do not overlap: only the row (with its shown children) that begins last at or
        // above the point can be hit.
        const int32 v = recP->pointP->v;
        auto it = std::upper_bound(i_list.begin(), i_list.end(), v,
                                   [](int32 top, const CTopic* t) { return top < t->GetScreenBounds().top; });
        if (it != i_list.begin()) (*(it - 1))->HitTest(recP);
        return recP->hit_topicP;
    }
    Iterate(TOPIC_Iter_HIT_TEST, recP, true);
    return recP->hit_topicP;
}

void CTopicList::UpdateRects(XGDraw* drawP, O_DrawRec* dataP) {
    VOutline* viewP = GetView();
    if (!viewP) return;
    O_DrawRec local;
    O_DrawRec& rec = dataP ? *dataP : local;
    rec = O_DrawRec{};
    rec.SetRecPtrs();
    rec.drawP = drawP;
    rec.view_as = viewP->GetViewAs();
    rec.boundsR = viewP->GetContentRect();
    rec.recurseB = rec.view_as == O_ViewAs_LIST;
    rec.point = O_Point{rec.boundsR.top, rec.boundsR.left};
    const bool rowsB = rec.view_as == O_ViewAs_LIST || rec.view_as == O_ViewAs_HEIR_COL;
    const uint64 gen = s_layoutGeneration.load(std::memory_order_relaxed);
    if (rowsB && gen == i_layoutGenL && rec.boundsR == i_layoutR && rec.view_as == i_layoutViewAs &&
        viewP == i_layoutViewP)
        return;
    Iterate(TOPIC_Iter_UPDATE_BOUNDS, &rec, false);
    i_layoutGenL = rowsB ? gen : ~uint64(0);
    i_layoutR = rec.boundsR;
    i_layoutViewAs = rec.view_as;
    i_layoutViewP = viewP;
    if (rec.view_as == O_ViewAs_FLAT_COL_NEW) {
        // Columns of the view's size side by side, filled line by line.
        const tagRECT c = rec.boundsR;
        const int32 w = std::max<int32>(100, c.Width());
        i_colA.assign(size_t(kMaxFlowColumns), tagRECT{});
        for (int32 k = 0; k < kMaxFlowColumns; ++k)
            i_colA[size_t(k)] = tagRECT{c.left + k * w + 4, c.top + 4, c.left + (k + 1) * w - 4, c.bottom - 4};
        i_col_ixL = 0;
        i_init_firstB = true;
        Iterate(TOPIC_Iter_FLOW_LAYOUT, nullptr, false);
    }
    rec.point = O_Point{rec.boundsR.top, rec.boundsR.left};
}

void CTopicList::Draw(XGDraw* drawP, const tagRECT* rect, void*) {
    O_DrawRec rec;
    UpdateRects(drawP, &rec);
    if (!GetView()) return;
    if (rect) rec.boundsR = *rect;
    DrawTopics(&rec);
}

void CTopicList::DrawTopics(O_DrawRec* recP) {
    if (!recP) return;
    if (recP->view_as == O_ViewAs_LIST || recP->view_as == O_ViewAs_HEIR_COL)
        DrawRows(recP);
    else
        Iterate(TOPIC_Iter_DRAW, recP, false);
}

void CTopicList::DrawRows(O_DrawRec* recP) {
    if (i_list.empty() || !recP->screen_boundsRP) return;
    const tagRECT area = *recP->screen_boundsRP;
    // Rows (with their shown children) stand one below the other: the first row drawn is the
    // last that begins at or above the area.
    auto it = std::upper_bound(i_list.begin(), i_list.end(), area.top,
                               [](int32 top, const CTopic* t) { return top < t->GetScreenBounds().top; });
    size_t i = size_t(std::max<std::ptrdiff_t>(0, (it - i_list.begin()) - 1));
    for (; i < i_list.size(); ++i) {
        CTopic* topicP = i_list[i];
        if (topicP->GetScreenBounds().top >= area.bottom) break;
        topicP->Draw(recP);
    }
}

// ---------------------------------------------------------------------------------------------
// Groups and selection

CTopicList* CTopicList::GetTopicGroup(int16 iterType, bool recurseB) {
    auto* groupP = new CTopicList(nullptr, nullptr);
    O_GetSelectRec rec{groupP, recurseB};
    Iterate(iterType, &rec, false);
    return groupP;
}

CTopicList* CTopicList::GetVisibleList(bool recurseB) {
    return GetTopicGroup(TOPIC_Iter_GET_VISIBLE, recurseB);
}

CTopicList* CTopicList::GetSelected(bool recurseB) {
    return GetTopicGroup(TOPIC_Iter_GET_SELECTED, recurseB);
}

int32 CTopicList::CountSelected(bool recurseB) {
    std::unique_ptr<CTopicList> groupP(GetSelected(recurseB));
    return groupP->Count();
}

CTopic* CTopicList::GetIndSelected(int32 indexL, bool recurseB) {
    std::unique_ptr<CTopicList> groupP(GetSelected(recurseB));
    return groupP->GetIndItem(indexL);
}

void CTopicList::SelectAll(bool setB, bool recurseB) {
    O_FlagsRec rec{TOPIC_Flag_SELECTED, setB, recurseB};
    Iterate(TOPIC_Iter_SET_FLAGS, &rec, false);
}

void CTopicList::SetSelection(CTopicList* selP) {
    SelectAll(false, true);
    if (!selP) return;
    bool on = true;
    selP->Iterate(TOPIC_Iter_SELECT, &on, false);
    VOutline* viewP = GetView();
    if (g_suppressFlushL != 0 || !viewP) return;
    O_BoundsRec bounds;
    selP->Iterate(TOPIC_Iter_GET_BOUNDS, &bounds, false);
    const int32 grow = GetTopicUIHandleSize();
    InsetRect(bounds.boundsR, -grow, -grow);
    viewP->InvalRect(bounds.boundsR);
}

CTopicList* CTopicList::GetBackgrounds() {
    return GetTopicGroup(TOPIC_Iter_GET_BACKGROUNDS, false);
}

// ---------------------------------------------------------------------------------------------
// Saved settings and flags

O_WindowSaveRec* CTopicList::GetWindowModelP(Vorn_ModeType mode) {
    return &i_prefs.wind[mode == Vorn_Mode_EDIT ? 1 : 0];
}

void CTopicList::StoreWindData(int32 hScrollL, int32 vScrollL, const tagRECT& globalR) {
    O_WindowSaveRec* recP = GetWindowModelP(GetMode());
    recP->posR = globalR;
    recP->h_scroll = hScrollL;
    recP->v_scroll = vScrollL;
}

void CTopicList::RetreiveWindData(int32* hScrollLP, int32* vScrollLP, tagRECT* globalRP) const {
    const O_WindowSaveRec& rec = i_prefs.wind[GetMode() == Vorn_Mode_EDIT ? 1 : 0];
    if (hScrollLP) *hScrollLP = rec.h_scroll;
    if (vScrollLP) *vScrollLP = rec.v_scroll;
    if (globalRP) *globalRP = rec.posR;
}

int32 CTopicList::GetLastColIndex() const {
    const CTopic* lastP = GetIndItem(-1);
    if (!lastP) return 0;
    const tagRECT* f = lastP->GetFrameP();
    const int32 h = f->left + 1;
    const int32 v = f->top + 1;
    for (size_t i = 0; i < i_colA.size(); ++i) {
        const tagRECT& c = i_colA[i];
        if (c.left <= h && h < c.right && c.top <= v && v < c.bottom) return int32(i);
    }
    return 0;
}

void CTopicList::SetFlag(uint32 flag, bool setB) {
    i_prefs.flags = setB ? (i_prefs.flags | flag) : (i_prefs.flags & ~flag);
    VOutline* viewP = GetView();
    if (!viewP) return;
    if (flag & LIST_Flag_SHOW_TOOLBAR) viewP->ShowBrowserPane(setB, 2);
    if (flag & LIST_Flag_SHOW_STATUS) viewP->ShowBrowserPane(setB, 7);
}

// ---------------------------------------------------------------------------------------------
// The view

XGDraw* CTopicList::GetDraw() const {
    VOutline* viewP = GetView();
    OUTLINE_ASSERT_DLG(viewP);
    return viewP ? viewP->GetDrawContext() : nullptr;
}

void CTopicList::SetView(VOutline* viewP) {
    if (i_viewP == viewP) return;
    LayoutChanged();
    if (i_viewP) i_viewP->ListGone(this);
    i_viewP = viewP;
}

VOutline* CTopicList::GetView() const {
    if (i_viewP) return i_viewP;
    // The children of a twirled topic are drawn inside its list's view in list mode.
    if (!i_parentP || !i_parentP->i_siblingsP || !i_parentP->IsTwirled()) return nullptr;
    VOutline* viewP = i_parentP->i_siblingsP->GetView();
    return viewP && viewP->GetViewAs() == O_ViewAs_LIST ? viewP : nullptr;
}
