#define VORN_UNIT "CVornItem.cpp"
// The walk commands an item carries out on itself, and the sort comparator.
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "Utilities.h"
#include "VornBoardAssert.h"
#include "VornPrefsTypes.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"
#include "XGFontChangeRec.h"
#include "XGGeometry.h"
#include "XGHandle.h"
#include "XGPicture.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

using namespace yaaf;

namespace {

// Any uniform source in 0..32767 will do for shuffling.
int ShuffleRandom() {
    static std::minstd_rand engine{std::random_device{}()};
    return int(engine() % 32768u);
}

bool HoldsPicture(const Vorn_LinkContent& c) {
    return (c.type == LinkType_PICT_FILE || c.type == LinkType_PICT_URL) && c.cacheP;
}

// Even-odd test of a point against the polygon mapped from its own bounds onto r.
bool PtInPolygon(Point pt, const _Vorn_RgnRec& rgn, const tagRECT& r) {
    int32 minH = rgn.pts[0].h, maxH = minH, minV = rgn.pts[0].v, maxV = minV;
    for (const Point& p : rgn.pts) {
        minH = std::min<int32>(minH, p.h);
        maxH = std::max<int32>(maxH, p.h);
        minV = std::min<int32>(minV, p.v);
        maxV = std::max<int32>(maxV, p.v);
    }
    if (maxH == minH || maxV == minV) return false;
    auto mapH = [&](int32 h) { return r.left + double(h - minH) * r.Width() / (maxH - minH); };
    auto mapV = [&](int32 v) { return r.top + double(v - minV) * r.Height() / (maxV - minV); };
    const double x = pt.h + 0.5, y = pt.v + 0.5;
    bool inside = false;
    for (int i = 0, j = kVornRgnPoints - 1; i < kVornRgnPoints; j = i++) {
        const double xi = mapH(rgn.pts[i].h), yi = mapV(rgn.pts[i].v);
        const double xj = mapH(rgn.pts[j].h), yj = mapV(rgn.pts[j].v);
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
}

bool AllZeroRect(const tagRECT& r) {
    return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
}

// A rectangle drawn either way round, the right way round.
tagRECT Normalized(tagRECT r) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

// Where Edit Mode shows a rectangle of the board. Rectangles from a file may lie anywhere: the
// results saturate instead of wrapping (exact in 64 bits).
tagRECT EditScreenRect(const tagRECT& boardR, int32 scrollH, int32 scrollV) {
    const tagRECT r = Normalized(boardR);
    auto add = [](int32 a, int32 b) { return int32(std::clamp<int64>(int64(a) + b, INT32_MIN, INT32_MAX)); };
    return tagRECT{add(r.left, scrollH), add(r.top, scrollV), add(r.right, scrollH), add(r.bottom, scrollV)};
}

// IsLocked and IsHidden for an item of the board m, without the calls.
bool LockedIn(const CVornItem& item, const TVornModel& m) {
    return item.i_b.lockedB() && !m.i_prefs.b.ignore_locksB();
}
bool HiddenIn(const CVornItem& item, const TVornModel& m) {
    return item.i_b.hiddenB() && (m.GetMode() == Vorn_Mode_GO || !m.i_prefs.b.ignore_hiddenB());
}

// Where Go Mode shows a rectangle of the board m (already the right way round): the picture
// fills the window and board points are measured from its corner. Rectangles from a file may
// lie anywhere: the results saturate instead of wrapping.
tagRECT GoScreenRect(const tagRECT& r, const TVornModel& m) {
    auto sat = [](double v) { return int32(std::clamp(v, double(INT32_MIN), double(INT32_MAX))); };
    const double sx = m.i_scaleX, sy = m.i_scaleY;
    const double oh = m.i_go_originH, ov = m.i_go_originV;
    return tagRECT{sat(std::round((r.left - oh) * sx)), sat(std::round((r.top - ov) * sy)),
                   sat(std::round((r.right - oh) * sx)), sat(std::round((r.bottom - ov) * sy))};
}

// False when HitTest would pass over an item of the board m, in Edit Mode, for sure: a walk
// over a large board then spends no calls on most items. Without side effects: an item whose
// rectangles GetScreenBounds would fill in, and any hit or selected item, go to HitTest.
bool MayHitInEdit(const CVornItem& item, const TVornModel& m, Point pt) {
    if (AllZeroRect(item.i_boundsR) || AllZeroRect(item.i_auto_boundsR)) return true;
    if (LockedIn(item, m) || HiddenIn(item, m)) return false;
    if (PtInRect(pt, EditScreenRect(*item.i_boundsRP, m.i_scrollH, m.i_scrollV))) return true;
    return item.i_b.selectedB(); // its handles lie around it
}

// The hit test over a board's own list from its copy of the flags and bounds (CItemArray): an
// item is asked (HitTest) only when it may be hit. Items that are not plainly the board's, and
// those whose rectangles GetScreenBounds would fill in, are always asked. Answers whether an
// item ended the walk, with its status.
bool HitTestFromCopy(CItemArray* list, Vorn_HitTestRec* recP, bool reverseB, int16* statusP) {
    const TVornModel& m = *list->HotBoard();
    const uint32* wordsP = list->HotWords();
    const tagRECT* boundsP = list->HotBounds();
    CVornItem* const* itemsP = list->Items();
    const int32 n = list->Count();
    const bool editB = m.GetMode() != Vorn_Mode_GO;
    const uint32 lockedMask = m.i_prefs.b.ignore_locksB() ? 0 : CItemArray::HotBit(Vorn_ItemBoolsRec_DISK::kLocked);
    const uint32 hiddenMask =
        editB && !m.i_prefs.b.ignore_hiddenB() ? CItemArray::HotBit(Vorn_ItemBoolsRec_DISK::kHidden) : 0;
    constexpr uint32 kAsk = CItemArray::kHot_Unplaced | CItemArray::kHot_Foreign;
    constexpr uint32 kSelected = CItemArray::HotBit(Vorn_ItemBoolsRec_DISK::kSelected);
    // In Edit Mode the point is taken back to the board rather than every rectangle to the
    // screen: l + scroll <= h < r + scroll, saturated or not, is l <= h - scroll < r. A point
    // beyond 32 bits there lies in no rectangle (only selected items are then asked).
    const int64 h64 = int64(recP->thePt.h) - m.i_scrollH, v64 = int64(recP->thePt.v) - m.i_scrollV;
    const bool reachB = h64 >= INT32_MIN && h64 <= INT32_MAX && v64 >= INT32_MIN && v64 <= INT32_MAX;
    const int32 h = reachB ? int32(h64) : 0, v = reachB ? int32(v64) : 0;
    const int32 step = reverseB ? -1 : 1;
    *statusP = 0;
    for (int32 k = 0, i = reverseB ? n - 1 : 0; k < n; ++k, i += step) {
        const uint32 word = wordsP[i];
        if (!(word & kAsk)) {
            if (word & (lockedMask | hiddenMask)) continue;
            if (editB) {
                // Outside, only a selected item's handles may still be hit. Rows first: most
                // items of a board lie above or below the point.
                const tagRECT& b = boundsP[i];
                const int32 top = std::min(b.top, b.bottom), bottom = std::max(b.top, b.bottom);
                const bool inB = reachB && top <= v && v < bottom && std::min(b.left, b.right) <= h &&
                                 h < std::max(b.left, b.right);
                if (!inB && !(word & kSelected)) continue;
            } else if (!PtInRect(recP->thePt, GoScreenRect(Normalized(boundsP[i]), m))) {
                continue;
            }
        }
        const uint16 status = itemsP[i]->CB_Iterate(list, i, ItemA_Iterate_HIT_TEST, recP);
        if (status != 0) {
            *statusP = status == kWalkStop ? 0 : int16(status);
            return true;
        }
    }
    return false;
}

// The groups gathered by one flag bit: set, or clear for GET_VISIBLE.
bool GroupBit(int16 taType, Vorn_ItemBoolsRec_DISK::Bit* bitP, bool* wantP) {
    *wantP = true;
    switch (taType) {
    case ItemA_Iterate_GET_SELECTED:
        *bitP = Vorn_ItemBoolsRec_DISK::kSelected;
        return true;
    case ItemA_Iterate_GET_LOCKED:
        *bitP = Vorn_ItemBoolsRec_DISK::kLocked;
        return true;
    case ItemA_Iterate_GET_HIDDEN:
        *bitP = Vorn_ItemBoolsRec_DISK::kHidden;
        return true;
    case ItemA_Iterate_GET_BACKGROUNDS:
        *bitP = Vorn_ItemBoolsRec_DISK::kBackground;
        return true;
    case ItemA_Iterate_GET_VISIBLE:
        *bitP = Vorn_ItemBoolsRec_DISK::kHidden;
        *wantP = false;
        return true;
    default:
        return false;
    }
}

// The items are separate objects: asking for the next ones early keeps a walk over a large
// board from waiting on memory item by item.
// An item's board, flags and both rectangles span two cache lines.
constexpr int32 kPrefetchAhead = 32;
inline void PrefetchItem(CVornItem* const* itemsP, int32 i, int32 n) {
    if (i < 0 || i >= n) return;
    const char* p = reinterpret_cast<const char*>(itemsP[i]);
    __builtin_prefetch(p);
    __builtin_prefetch(p + 64);
}

} // namespace

void CVornItem::GetHotData(const TVornModel* boardP, uint32* wordP, tagRECT* boundsP) const {
    uint32 word = i_b.GetWord() & CItemArray::kHot_FlagsMask;
    if (AllZeroRect(i_boundsR) || AllZeroRect(i_auto_boundsR)) word |= CItemArray::kHot_Unplaced;
    if (!boardP || i_vornP != boardP) word |= CItemArray::kHot_Foreign;
    *wordP = word;
    *boundsP = *i_boundsRP;
}

// SELECT and SELECT_UNLOCKED over a board's own list, from its copy: the lock and hidden rules
// are read there, and only the items whose selection changes are written. Items that are not
// plainly the board's take the item-by-item step.
void CVornItem::SelectFromCopy(CItemArray* list, int16 taType, void* cbData, bool reverseB) {
    TVornModel* boardP = list->HotBoard();
    const TVornModel& m = *boardP;
    const bool onB = taType == ItemA_Iterate_SELECT ? static_cast<ItemA_Iterate_SELECTData*>(cbData)->selectB
                                                    : *static_cast<bool*>(cbData);
    uint32 skipMask = 0;
    if (taType == ItemA_Iterate_SELECT_UNLOCKED) {
        if (!m.i_prefs.b.ignore_locksB()) skipMask |= CItemArray::HotBit(Vorn_ItemBoolsRec_DISK::kLocked);
        if (m.GetMode() == Vorn_Mode_GO || !m.i_prefs.b.ignore_hiddenB())
            skipMask |= CItemArray::HotBit(Vorn_ItemBoolsRec_DISK::kHidden);
    }
    struct Step {
        CItemArray* list;
        int16 taType;
        void* cbData;
    } step{list, taType, cbData};
    auto foreign = [](void* refcon, int32 i) {
        auto* s = static_cast<Step*>(refcon);
        s->list->Items()[i]->CB_Iterate(s->list, i, s->taType, s->cbData);
    };
    if (list->SetFlagFromCopy(Vorn_ItemBoolsRec_DISK::kSelected, onB, 0, skipMask, reverseB, foreign, &step))
        MarkSelChanged(boardP);
}

bool CVornItem::WalkFast(CItemArray* list, int16 taType, void* cbData, bool reverseB, int16* statusP) {
    Vorn_ItemBoolsRec_DISK::Bit groupBit = Vorn_ItemBoolsRec_DISK::kSelected;
    bool groupWantB = true;
    const bool groupB = GroupBit(taType, &groupBit, &groupWantB);
    switch (taType) {
    case ItemA_Iterate_SELECT:
    case ItemA_Iterate_SELECT_UNLOCKED:
    case ItemA_Iterate_MOVE:
    case ItemA_Iterate_HIT_TEST:
    case ItemA_Iterate_GET_MENU_INFO:
    case ItemA_Iterate_NUMEROLOGY:
        break;
    default:
        if (!groupB) return false;
        break;
    }
    // A group filled from itself would grow under the walk: the item-by-item walk decides.
    if (groupB && cbData == list) return false;
    *statusP = 0;
    // The board's own list reads its copy of the flags and bounds; other arrays read the items.
    const bool copyB = list->HotReady();
    if (copyB && taType == ItemA_Iterate_HIT_TEST) {
        HitTestFromCopy(list, static_cast<Vorn_HitTestRec*>(cbData), reverseB, statusP);
        return true;
    }
    if (copyB && (taType == ItemA_Iterate_SELECT || taType == ItemA_Iterate_SELECT_UNLOCKED)) {
        SelectFromCopy(list, taType, cbData, reverseB);
        return true;
    }
    const uint32* wordsP = copyB ? list->HotWords() : nullptr;
    // Whether the walk reads every item (then asked for early).
    const bool readsItemsB = !copyB || taType == ItemA_Iterate_MOVE || taType == ItemA_Iterate_NUMEROLOGY;
    CVornItem* const* itemsP = list->Items();
    const int32 n = list->Count();
    const int32 step = reverseB ? -1 : 1;
    // The board whose view has been told of the selection change in this walk: telling it
    // again changes nothing.
    TVornModel* markedP = nullptr;
    auto markSelChanged = [&markedP](CVornItem* itemP) {
        if (itemP->i_vornP == markedP) return;
        itemP->MarkSelChanged();
        markedP = itemP->i_vornP;
    };
    // A flag as the copy shows it, or the item.
    auto flag = [&](int32 i, Vorn_ItemBoolsRec_DISK::Bit bit) {
        return copyB ? (wordsP[i] & CItemArray::HotBit(bit)) != 0 : itemsP[i]->i_b.Get(bit);
    };
    for (int32 k = 0, i = reverseB ? n - 1 : 0; k < n; ++k, i += step) {
        if (readsItemsB) PrefetchItem(itemsP, i + step * kPrefetchAhead, n);
        CVornItem* itemP = itemsP[i];
        if (groupB) {
            if (flag(i, groupBit) == groupWantB) static_cast<CItemArray*>(cbData)->Append(itemP);
            continue;
        }
        switch (taType) {
        case ItemA_Iterate_SELECT:
            itemP->i_b.set_selectedB(static_cast<ItemA_Iterate_SELECTData*>(cbData)->selectB);
            markSelChanged(itemP);
            break;
        case ItemA_Iterate_SELECT_UNLOCKED: {
            const TVornModel* m = itemP->i_vornP;
            if (!m) {
                // Outside a board the item reports it: the item-by-item step does that.
                itemP->CB_Iterate(list, i, taType, cbData);
                break;
            }
            if (LockedIn(*itemP, *m) || HiddenIn(*itemP, *m)) break;
            itemP->i_b.set_selectedB(*static_cast<bool*>(cbData));
            markSelChanged(itemP);
            break;
        }
        case ItemA_Iterate_GET_MENU_INFO: {
            auto* rec = static_cast<ItemA_Iterate_GET_MENU_INFOData*>(cbData);
            ++(flag(i, Vorn_ItemBoolsRec_DISK::kLocked) ? rec->lockedS : rec->unlockedS);
            ++(flag(i, Vorn_ItemBoolsRec_DISK::kHidden) ? rec->hiddenS : rec->visibleS);
            break;
        }
        case ItemA_Iterate_NUMEROLOGY:
            *static_cast<int32*>(cbData) += itemP->Numerology_Sum();
            break;
        case ItemA_Iterate_MOVE:
            itemP->Move(static_cast<ItemA_Iterate_MOVEData*>(cbData));
            break;
        case ItemA_Iterate_HIT_TEST: {
            auto* recP = static_cast<Vorn_HitTestRec*>(cbData);
            const TVornModel* m = itemP->i_vornP;
            if (m && m->GetMode() != Vorn_Mode_GO && !MayHitInEdit(*itemP, *m, recP->thePt)) break;
            const uint16 status = itemP->HitTest(recP);
            if (status != 0) {
                *statusP = status == kWalkStop ? 0 : int16(status);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return true;
}

void CVornItem::MarkSelChanged() {
    MarkSelChanged(i_vornP);
}

void CVornItem::MarkSelChanged(TVornModel* vornP) {
    if (!vornP) return;
    if (CVornViewLink* view = vornP->GetView(); view && !view->GetSelChanged()) view->SetSelChanged(true);
}

uint16 CVornItem::CB_Iterate(CItemArray* list, int32 index, int16 taType, void* cbData) {
    switch (taType) {
    case ItemA_Iterate_IDLE:
        Idle();
        break;
    case ItemA_Iterate_SET_LOCKED:
        i_b.set_lockedB(*static_cast<bool*>(cbData));
        break;
    case ItemA_Iterate_SET_HIDDEN:
        i_b.set_hiddenB(*static_cast<bool*>(cbData));
        break;
    case ItemA_Iterate_DISPOSE:
        DeleteFromList(true, i_vornP && list == i_vornP->i_list ? index : kNoIndex);
        break;
    case ItemA_Iterate_INSERT:
        InsertToList(static_cast<TVornModel*>(cbData));
        CacheItem(false, false, 0);
        break;
    case ItemA_Iterate_REMOVE:
        DeleteFromList(false, i_vornP && list == i_vornP->i_list ? index : kNoIndex);
        UnCacheItem();
        break;
    case ItemA_Iterate_COPY: {
        auto* rec = static_cast<ItemA_Iterate_REORDERData*>(cbData);
        if (!rec->dest_genP) {
            VORN_ASSERT_DLG(rec->dest_genP);
            break;
        }
        auto* copyP = new CVornItem(this, rec->dest_genP);
        rec->dest_genP->InsertItem(copyP, rec->newIndex);
        if (rec->copiedP0) rec->copiedP0->Add(copyP);
        if (rec->newIndex != -1) ++rec->newIndex;
        break;
    }
    case ItemA_Iterate_SET_FONT:
        // The rule shared with the text view: style 0 clears, other styles toggle their bits.
        ApplyFontChangeRec(i_font, *static_cast<XGFontChangeRec*>(cbData));
        break;
    case ItemA_Iterate_DRAW: {
        if (!i_vornP) break;
        const tagRECT r = GetScreenBounds();
        const auto* areaP = static_cast<const tagRECT*>(cbData);
        // A selected item's handles stand outside its bounds and are drawn with it.
        tagRECT reach = r;
        if (i_b.selectedB()) InsetRect(reach, -kHandleReach, -kHandleReach);
        tagRECT sect;
        if (i_vornP->GetMode() == Vorn_Mode_GO || !areaP || SectRect(reach, *areaP, sect)) DrawSource(&r);
        break;
    }
    case ItemA_Iterate_HIT_TEST:
        return HitTest(static_cast<Vorn_HitTestRec*>(cbData));
    case ItemA_Iterate_FLOW_COLUMNS:
        if (i_vornP && i_vornP->i_layout_fullB) return kWalkStop;
        FlowColumns(list, index);
        if (i_vornP && i_vornP->i_layout_fullB) return kWalkStop;
        break;
    case ItemA_Iterate_MOVE:
        Move(static_cast<ItemA_Iterate_MOVEData*>(cbData));
        break;
    case ItemA_Iterate_SELECT:
        i_b.set_selectedB(static_cast<ItemA_Iterate_SELECTData*>(cbData)->selectB);
        MarkSelChanged();
        break;
    case ItemA_Iterate_SELECT_IN_RECT: {
        if (IsLocked() || IsHidden()) break;
        tagRECT sect;
        if (SectRect(GetScreenBounds(), *static_cast<const tagRECT*>(cbData), sect)) {
            i_b.set_selectedB(true);
            MarkSelChanged();
        }
        break;
    }
    case ItemA_Iterate_ADD_TO_ARRAY:
        static_cast<CItemArray*>(cbData)->InsertAt(this, -1);
        break;
    case ItemA_Iterate_GET_MENU_INFO: {
        auto* rec = static_cast<ItemA_Iterate_GET_MENU_INFOData*>(cbData);
        ++(i_b.lockedB() ? rec->lockedS : rec->unlockedS);
        ++(i_b.hiddenB() ? rec->hiddenS : rec->visibleS);
        break;
    }
    case ItemA_Iterate_GET_SELECTED:
        if (i_b.selectedB()) static_cast<CItemArray*>(cbData)->Append(this);
        break;
    case ItemA_Iterate_GET_VISIBLE_PICTS:
        if (!i_b.hiddenB() && HoldsPicture(i_resource.source.content))
            static_cast<CItemArray*>(cbData)->Append(this);
        break;
    case ItemA_Iterate_GET_LOCKED:
        if (i_b.lockedB()) static_cast<CItemArray*>(cbData)->Append(this);
        break;
    case ItemA_Iterate_GET_HIDDEN:
        if (i_b.hiddenB()) static_cast<CItemArray*>(cbData)->Append(this);
        break;
    case ItemA_Iterate_GET_EXTENT: {
        auto* r = static_cast<tagRECT*>(cbData);
        r->left = std::min(r->left, i_boundsRP->left);
        r->top = std::min(r->top, i_boundsRP->top);
        r->right = std::max(r->right, i_boundsRP->right);
        r->bottom = std::max(r->bottom, i_boundsRP->bottom);
        break;
    }
    case ItemA_Iterate_ADD_TO_DRAG: {
        tagRECT r = GetScreenBounds();
        InsetRect(r, -2, -2);
        static_cast<CVornDragCollector*>(cbData)->AddObject(r);
        break;
    }
    case ItemA_Iterate_GET_BACKGROUNDS:
        if (i_b.backgroundB()) static_cast<CItemArray*>(cbData)->Append(this);
        break;
    case ItemA_Iterate_GET_VISIBLE:
        if (!i_b.hiddenB()) static_cast<CItemArray*>(cbData)->Append(this);
        break;
    case ItemA_Iterate_SET_MENU_INFO: {
        auto* rec = static_cast<ItemA_Iterate_SET_MENU_INFOData*>(cbData);
        if (rec->set_lockedB) {
            const bool newly = rec->lockedB && !i_b.lockedB();
            i_b.set_lockedB(rec->lockedB);
            if (newly && i_b.selectedB()) {
                i_b.set_selectedB(false);
                MarkSelChanged();
            }
        }
        if (rec->set_hiddenB) {
            const bool newly = rec->hiddenB && !i_b.hiddenB();
            i_b.set_hiddenB(rec->hiddenB);
            if (newly && i_b.selectedB()) {
                i_b.set_selectedB(false);
                MarkSelChanged();
            }
        }
        break;
    }
    case ItemA_Iterate_SET_PIC_DEST: {
        XGPicture* pic = i_resource.source.content.cacheP;
        if (!pic || IsLoading()) break;
        auto* rec = static_cast<Vorn_SetPicDestRec*>(cbData);
        switch (rec->type) {
        case Vorn_SetPicDest_NONE:
            pic->UpdateDest(nullptr, false);
            break;
        case Vorn_SetPicDest_SET:
            pic->SetDest(rec->contextP, true);
            break;
        case Vorn_SetPicDest_RESTORE:
            if (!pic->RestoreDest() && !rec->skip_assertB) VORN_ASSERT_DLG(pic->HasSavedDest());
            break;
        case Vorn_SetPicDest_UPDATE:
            pic->UpdateDest(rec->contextP, rec->isOffsB);
            break;
        }
        break;
    }
    case ItemA_Iterate_SELECT_UNLOCKED:
        if (!IsLocked() && !IsHidden()) {
            i_b.set_selectedB(*static_cast<bool*>(cbData));
            MarkSelChanged();
        }
        break;
    case ItemA_Iterate_GET_MISSING:
        if (IsMissing()) static_cast<CItemArray*>(cbData)->Append(this);
        break;
    case ItemA_Iterate_GET_PICTS:
        if (HoldsPicture(i_resource.source.content)) static_cast<CItemArray*>(cbData)->Append(this);
        break;
    case ItemA_Iterate_CACHE:
        if (*static_cast<bool*>(cbData))
            CacheItem(true, false, 0);
        else
            UnCacheItem();
        break;
    case ItemA_Iterate_ALIGN:
        Align(static_cast<ItemA_Iterate_AlignData*>(cbData));
        break;
    case ItemA_Iterate_SIZE_TO_FIT:
        if (!i_b.rgnB()) SizeToFit();
        break;
    case ItemA_Iterate_USE_AUTO_BOUNDS:
        UseAutoBounds(*static_cast<bool*>(cbData));
        break;
    case ItemA_Iterate_CLEAR_RGN:
        i_b.set_rgnB(false);
        break;
    case ItemA_Iterate_RESTORE_RGN:
        i_b.set_rgnB(i_rgnP != nullptr);
        break;
    case ItemA_Iterate_SET_INDEX:
        SetIndex(list, static_cast<int32*>(cbData));
        break;
    case ItemA_Iterate_ADOPT_AUTO_BOUNDS:
        i_boundsR = i_auto_boundsR;
        break;
    case ItemA_Iterate_NUMEROLOGY:
        *static_cast<int32*>(cbData) += Numerology_Sum();
        break;
    case ItemA_Iterate_GENERATE:
        Generate();
        break;
    case ItemA_Iterate_REPAIR:
        Repair(*static_cast<int32*>(cbData));
        break;
    case ItemA_Iterate_STRIP_NUMEROLOGY:
        StripNumerology();
        break;
    default:
        break;
    }
    return kWalkContinue;
}

// Here rather than with the layout: the hit test runs it for every item of a board, and in one
// file the two compile into one loop.
tagRECT CVornItem::GetScreenBounds() {
    if (AllZeroRect(i_boundsR))
        i_boundsR = i_auto_boundsR;
    else if (AllZeroRect(i_auto_boundsR))
        i_auto_boundsR = i_boundsR;
    if (!i_vornP) {
        VORN_ASSERT_DLG(i_vornP);
        return Normalized(*i_boundsRP);
    }
    if (i_vornP->GetMode() != Vorn_Mode_GO)
        return EditScreenRect(*i_boundsRP, i_vornP->i_scrollH, i_vornP->i_scrollV);
    return GoScreenRect(Normalized(*i_boundsRP), *i_vornP);
}

uint16 CVornItem::HitTest(Vorn_HitTestRec* recP) {
    if (!i_vornP) {
        VORN_ASSERT_DLG(i_vornP);
        return kWalkContinue;
    }
    const bool editB = i_vornP->GetMode() != Vorn_Mode_GO;
    if (LockedIn(*this, *i_vornP) || (editB && HiddenIn(*this, *i_vornP))) return kWalkContinue;
    const tagRECT r = GetScreenBounds();
    if (PtInRect(recP->thePt, r)) {
        if (i_b.rgnB() && i_rgnP && !PtInPolygon(recP->thePt, *i_rgnP, r)) return kWalkContinue;
        if (recP->subHitTypeP) *recP->subHitTypeP = 1;
        recP->returnItemP = this;
        return kWalkStop;
    }
    if (!editB || !i_b.selectedB()) return kWalkContinue;
    tagRECT grown = r;
    InsetRect(grown, -7, -7);
    if (!PtInRect(recP->thePt, grown)) return kWalkContinue;
    for (int16 n = 1; n <= 9; ++n) {
        tagRECT h = GetItemHandle(&r, n);
        InsetRect(h, -1, -1);
        OffsetRect(h, 1, 1);
        if (PtInRect(recP->thePt, h)) {
            if (recP->subHitTypeP) *recP->subHitTypeP = n;
            recP->returnItemP = this;
            return kWalkStop;
        }
    }
    return kWalkContinue;
}

void CVornItem::Move(ItemA_Iterate_MOVEData* recP) {
    tagRECT r = *i_boundsRP;
    if (recP->updateRP) UnionRect(*recP->updateRP, r, *recP->updateRP);
    const int32 h = recP->offset.h, v = recP->offset.v;
    switch (recP->handleType) {
    case 1:
        OffsetRect(r, h, v);
        break;
    case 2:
        r.top += v;
        r.left += h;
        break;
    case 3:
        r.top += v;
        r.right += h;
        break;
    case 4:
        r.bottom += v;
        r.left += h;
        break;
    case 5:
        r.bottom += v;
        r.right += h;
        break;
    default:
        break;
    }
    *i_boundsRP = r;
    if (recP->updateRP) UnionRect(*recP->updateRP, r, *recP->updateRP);
}

void CVornItem::Align(ItemA_Iterate_AlignData* recP) {
    CVornItemRect& r = i_boundsR;
    const bool noneYet = recP->valueL == kNoIndex;
    switch (recP->command) {
    case kVornCmd_AlignLeft:
        if (recP->getB) {
            if (noneYet || r.left < recP->valueL) recP->valueL = r.left;
        } else {
            OffsetRect(r, int16(recP->valueL - r.left), 0);
        }
        break;
    case kVornCmd_AlignRight:
        if (recP->getB) {
            if (noneYet || r.right > recP->valueL) recP->valueL = r.right;
        } else {
            OffsetRect(r, int16(recP->valueL - r.right), 0);
        }
        break;
    case kVornCmd_AlignTop:
        if (recP->getB) {
            if (noneYet || r.top < recP->valueL) recP->valueL = r.top;
        } else {
            OffsetRect(r, 0, int16(recP->valueL - r.top));
        }
        break;
    case kVornCmd_AlignBottom:
        if (recP->getB) {
            if (noneYet || r.bottom > recP->valueL) recP->valueL = r.bottom;
        } else {
            OffsetRect(r, 0, int16(recP->valueL - r.bottom));
        }
        break;
    default:
        break;
    }
}

void CVornItem::SetIndex(CItemArray* list, int32* counterP) {
    if (*counterP == kNoIndex) {
        const int32 count = list ? list->Count() : 0;
        i_indexL = int32(std::lround(double(count - 1) * ShuffleRandom() / 32767.0));
    } else {
        i_indexL = (*counterP)++;
    }
}

void CVornItem::Repair(int32 code) {
    switch (code) {
    case kVornRepair_URLFiles: {
        Vorn_LinkContent& d = i_resource.dest.content;
        if (d.type != LinkType_FILE || !d.u.fileP) break;
        char ext[16];
        strlower(ext, d.u.fileP->GetExtension().substr(0, 15).c_str());
        if (std::strcmp(ext, "url") != 0) break;
        XGFile file(*d.u.fileP);
        if (file.Open(XGFile::kRead) != 0) break;
        XGHandle data;
        const bool read = file.ReadAll(data) == 0;
        file.Close();
        if (!read) break;
        const std::string text(data.GetData() ? data.GetData() : "", size_t(data.GetSize()));
        static const char kKey[] = "BASEURL=";
        size_t pos = 0;
        while (pos < text.size()) {
            while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
                ++pos;
            size_t end = pos;
            while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])))
                ++end;
            if (end == pos) break;
            const std::string word = text.substr(pos, end - pos);
            const size_t key = word.find(kKey);
            if (key != std::string::npos) {
                SetLinkToURL(word.substr(key + sizeof kKey - 1).c_str());
                break;
            }
            pos = end;
        }
        break;
    }
    case kVornRepair_SwapRegions:
        if (i_b.rgnB() && i_rgnP)
            for (Point& p : i_rgnP->pts) {
                p.v = int16(SwapWord(uint16(p.v)));
                p.h = int16(SwapWord(uint16(p.h)));
            }
        break;
    case kVornRepair_FontSizes: {
        int32 size = i_font.GetSize();
        if (size > 1000) {
            size = SwapWord(uint16(size));
            if (size > 100) size = 12;
            i_font.SetSize(size);
        }
        break;
    }
    default:
        break;
    }
}

void CVornItem::StripNumerology() {
    Vorn_LinkContent& s = i_resource.source.content;
    if (!(s.type == LinkType_TEXT || s.type == LinkType_URL) || !s.u.textP) return;
    long number = 0;
    char word[256] = {};
    if (std::sscanf(s.u.textP->c_str(), "%5ld: %255s", &number, word) == 2) {
        *s.u.textP = word;
        s.TextChanged();
    }
}

yaaf::int16 CVornItem::CB_S_ItemSort(CVornItem* itemA, CVornItem* itemB, void* refcon, int* resultS) {
    const auto key = *static_cast<const uint8*>(refcon);
    if (key == O_Sort_INDEX) {
        *resultS = int16(int16(itemA->i_indexL) - int16(itemB->i_indexL));
    } else if (key == O_Sort_NAME) {
        char a[256], b[256];
        itemA->GetName(Vorn_Ref_SRC, a, false);
        itemB->GetName(Vorn_Ref_SRC, b, false);
        *resultS = std::strcmp(a, b);
    }
    return 0;
}
