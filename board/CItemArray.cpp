#define VORN_UNIT "CItemArray.cpp"
#include "CItemArray.h"

#include "CVornItem.h"
#include "MemTracking.h"
#include "TVornModel.h"
#include "VornBoardAssert.h"
#include "VornErrors.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

using namespace yaaf;

int32 CItemArray::s_break_indexL = -1;

namespace {
// The running sort (one at a time in the whole program).
CItemArray* S_Item_sort_this = nullptr;
void* S_sort_refconPV = nullptr;
SortFuncCB S_Item_sort_comp_func = nullptr;
int16 S_sort_err = 0;
int32 S_sort_semaphor = 0;

CVornItem** NewStorage(const char* label, int32 capacity) {
    return static_cast<CVornItem**>(TrackNewPtrClear(label, int32(capacity * sizeof(CVornItem*))));
}
} // namespace

CItemArray::CItemArray() : CItemArray(kItemArray_Grow) {}

CItemArray::CItemArray(int32 capacity) {
    if (capacity < 1) capacity = kItemArray_Grow;
    i_array.ItemA = NewStorage(capacity == kItemArray_Grow ? "Vorn Item array" : "dup Item array", capacity);
    i_array.array_size = i_array.ItemA ? capacity : 0;
}

CItemArray::~CItemArray() {
    if (i_hotOnB) DropHotData();
    if (i_array.ItemA) TrackDisposePtr(i_array.ItemA);
}

CVornItem* CItemArray::GetIndItem(int32 indexL) const {
    if (indexL == -1) indexL = i_array.num_items - 1;
    return i_array.ItemA[indexL];
}

int32 CItemArray::IndexOf(const CVornItem* itemP) const {
    for (int32 i = 0; i < i_array.num_items; ++i)
        if (i_array.ItemA[i] == itemP) return i;
    return kNoIndex;
}

bool CItemArray::Member(const CVornItem* itemP) const {
    return IndexOf(itemP) != kNoIndex;
}

int16 CItemArray::InsertAt(CVornItem* itemP, int32 indexL) {
    if (indexL > i_array.num_items) {
        ReportErrorStr(-1, "Can't insert past the end dude.");
        return 0;
    }
    if (indexL == kNoIndex) {
        ReportErrorStr(-1, "Trying to insert an item with no index.");
        indexL = -1;
    }
    if (indexL == -1 || indexL < -1) indexL = i_array.num_items;
    if (i_array.num_items >= i_array.array_size) {
        const int32 newSize = i_array.array_size + kItemArray_Grow;
        CVornItem** grown = NewStorage("Item array node", newSize);
        if (!grown) {
            ReportErrorStr(1, "Memory Full");
            return 1;
        }
        if (i_array.ItemA) {
            std::memcpy(grown, i_array.ItemA, size_t(i_array.num_items) * sizeof(CVornItem*));
            TrackDisposePtr(i_array.ItemA);
        }
        i_array.ItemA = grown;
        i_array.array_size = newSize;
    }
    if (i_hotOnB) InsertHot(indexL, itemP);
    std::memmove(i_array.ItemA + indexL + 1, i_array.ItemA + indexL,
                 size_t(i_array.num_items - indexL) * sizeof(CVornItem*));
    i_array.ItemA[indexL] = itemP;
    ++i_array.num_items;
    return 0;
}

int16 CItemArray::Add(CVornItem* itemP) {
    return InsertAt(itemP, Count());
}

void CItemArray::Remove(CVornItem* itemP) {
    const int32 i = IndexOf(itemP);
    if (i != kNoIndex) RemoveAt(i);
}

void CItemArray::RemoveAt(int32 indexL) {
    if (indexL < 0 || indexL >= i_array.num_items) return;
    if (i_hotOnB) RemoveHot(indexL);
    // A board closes from the end: the last item leaves no gap.
    if (indexL + 1 < i_array.num_items)
        std::memmove(i_array.ItemA + indexL, i_array.ItemA + indexL + 1,
                     size_t(i_array.num_items - indexL - 1) * sizeof(CVornItem*));
    --i_array.num_items;
}

int32 CItemArray::LastIndexOf(const CVornItem* itemP) const {
    for (int32 i = i_array.num_items - 1; i >= 0; --i)
        if (i_array.ItemA[i] == itemP) return i;
    return kNoIndex;
}

void CItemArray::RemoveAll() {
    if (i_hotOnB) {
        TVornModel* boardP = i_hotBoardP;
        DropHotData();
        i_array.num_items = 0;
        KeepHotData(boardP);
        return;
    }
    i_array.num_items = 0;
}

int16 CItemArray::ReorderByIndex(int32 delIndexS, int32 insIndexS) {
    if (delIndexS == insIndexS) return 0;
    if (delIndexS < 0 || delIndexS >= i_array.num_items || insIndexS < 0 || insIndexS > i_array.num_items) {
        // An item that is not in the array (or no place to put it) cannot be moved.
        VORN_ASSERT_DLG(delIndexS >= 0 && delIndexS < i_array.num_items && insIndexS >= 0);
        return 1;
    }
    CVornItem* itemP = i_array.ItemA[delIndexS];
    RemoveAt(delIndexS);
    if (delIndexS < insIndexS) --insIndexS;
    return InsertAt(itemP, insIndexS);
}

int16 CItemArray::Reorder(CVornItem* moveP, CVornItem* in_front_ofP) {
    return ReorderByIndex(IndexOf(moveP), IndexOf(in_front_ofP));
}

void CItemArray::ReorderGroup(CItemArray*, CVornItem*) {
    VORN_ASSERT_DLG(0);
}

int16 CItemArray::CopyGroup(TVornModel* dest_vornP, CItemArray* itemArrayP, CVornItem* in_front_ofP,
                            CItemArray** itemArrayPP0) {
    ItemA_Iterate_REORDERData rec;
    rec.dest_genP = dest_vornP;
    rec.newIndex = in_front_ofP ? IndexOf(in_front_ofP) : -1;
    if (rec.newIndex == kNoIndex) rec.newIndex = -1;
    if (itemArrayPP0) {
        *itemArrayPP0 = new CItemArray;
        rec.copiedP0 = *itemArrayPP0;
    }
    return itemArrayP->Iterate(ItemA_Iterate_COPY, &rec);
}

int16 CItemArray::Iterate(int16 taType, void* cbData) {
    int16 fastS = 0;
    if (!BreakIndexInRange() && CVornItem::WalkFast(this, taType, cbData, false, &fastS)) return fastS;
    uint16 status = 0;
    for (int32 i = 0; i < i_array.num_items && status == 0; ++i) {
        if (i == s_break_indexL) VORN_ASSERT_DLG(i != s_break_indexL);
        status = i_array.ItemA[i]->CB_Iterate(this, i, taType, cbData);
    }
    return status == kWalkStop ? 0 : int16(status);
}

int16 CItemArray::IterateReverse(int16 taType, void* cbData) {
    int16 fastS = 0;
    if (!BreakIndexInRange() && CVornItem::WalkFast(this, taType, cbData, true, &fastS)) return fastS;
    uint16 status = 0;
    for (int32 i = i_array.num_items - 1; i >= 0 && status == 0; --i) {
        // The visited item may have removed itself: stay within the array.
        if (i >= i_array.num_items) continue;
        if (i == s_break_indexL) VORN_ASSERT_DLG(i != s_break_indexL);
        status = i_array.ItemA[i]->CB_Iterate(this, i, taType, cbData);
    }
    return status == kWalkStop ? 0 : int16(status);
}

bool CItemArray::operator==(const CItemArray& other) const {
    if (Count() != other.Count()) return false;
    return Count() == 0 ||
           std::memcmp(i_array.ItemA, other.i_array.ItemA, size_t(Count()) * sizeof(CVornItem*)) == 0;
}

CItemArray* CItemArray::Duplicate(CItemArray* master_listP) {
    auto* dupP = new (std::nothrow) CItemArray(i_array.array_size);
    if (!dupP) return nullptr;
    if (!dupP->IsValid()) {
        delete dupP;
        return nullptr;
    }
    if (!master_listP) {
        std::memcpy(dupP->i_array.ItemA, i_array.ItemA, size_t(i_array.num_items) * sizeof(CVornItem*));
        dupP->i_array.num_items = i_array.num_items;
        return dupP;
    }
    for (int32 i = 0; i < i_array.num_items; ++i) {
        auto* copyP = new (std::nothrow) CVornItem(i_array.ItemA[i], nullptr);
        if (!copyP || dupP->Add(copyP) != 0) {
            delete copyP;
            for (int32 j = 0; j < dupP->Count(); ++j)
                delete dupP->GetIndItem(j);
            delete dupP;
            return nullptr;
        }
        copyP->i_vornP = nullptr;
        copyP->i_indexL = i;
    }
    if (master_listP != this && dupP->Count() > 0) master_listP->CloneIndices(this, dupP);
    return dupP;
}

void CItemArray::CloneIndices(CItemArray* ref_listP, CItemArray* clone_listP) {
    if (clone_listP->Count() == 0) {
        VORN_ASSERT_DLG(clone_listP->Count() != 0);
        return;
    }
    int32 ref = 0;
    const int32 limit = std::min(ref_listP->Count(), clone_listP->Count());
    for (int32 m = 0; m < Count() && ref < limit; ++m) {
        if (GetIndItem(m) == ref_listP->GetIndItem(ref)) {
            clone_listP->GetIndItem(ref)->i_indexL = m;
            ++ref;
        }
    }
}

int CItemArray::ItemA_QuickSortCompare(const void* a, const void* b) {
    if (S_sort_err != 0) return 0;
    int result = 0;
    S_sort_err = S_Item_sort_comp_func(S_sort_refconPV, S_Item_sort_this, const_cast<void*>(a),
                                       const_cast<void*>(b), &result);
    return S_sort_err == 0 ? result : 0;
}

int16 CItemArray::Sort(SortFuncCB funcP, void* refconPV0) {
    if (S_sort_semaphor < 0) VORN_ASSERT_DLG(S_sort_semaphor >= 0);
    ++S_sort_semaphor;
    if (S_sort_semaphor == 1) {
        S_sort_err = 0;
        if (!((S_Item_sort_this == NULL) && (S_sort_refconPV == NULL) && (S_Item_sort_comp_func == NULL)))
            VORN_ASSERT_DLG((S_Item_sort_this == NULL) && (S_sort_refconPV == NULL) &&
                            (S_Item_sort_comp_func == NULL));
        S_Item_sort_this = this;
        S_sort_refconPV = refconPV0;
        S_Item_sort_comp_func = funcP;
        if (funcP && Count() > 1) {
            std::qsort(i_array.ItemA, size_t(Count()), sizeof(CVornItem*), ItemA_QuickSortCompare);
            // The copy is read again in the new order. (No destroyed item can be left in an
            // array that is sorted: the comparator has read every item.)
            if (i_hotOnB) {
                std::fill(i_hotWordsA.begin(), i_hotWordsA.end(), 0u);
                i_hotSelectedL = 0;
                i_hotStaleB = true;
            }
        }
        S_Item_sort_this = nullptr;
        S_sort_refconPV = nullptr;
        S_Item_sort_comp_func = nullptr;
    } else {
        ReportErrorStr(-1, "the sort function is not reentrant.");
        S_sort_err = 1;
    }
    if (S_sort_semaphor <= 0) VORN_ASSERT_DLG(S_sort_semaphor > 0);
    --S_sort_semaphor;
    // A refused nested sort must not leave its failure on the sort that is running.
    const int16 err = S_sort_err;
    if (S_sort_semaphor > 0 && err == 1) S_sort_err = 0;
    return err;
}

int16 CItemArray::CB_S_ArraySort(void* refconPV, CItemArray*, void* a, void* b, int* resultS) {
    return CVornItem::CB_S_ItemSort(*static_cast<CVornItem**>(a), *static_cast<CVornItem**>(b), refconPV,
                                    resultS);
}

// ---------------------------------------------------------------------------------------------
// The hot copy

void CItemArray::KeepHotData(TVornModel* boardP) {
    if (i_hotOnB) DropHotData();
    i_hotBoardP = boardP;
    i_hotOnB = true;
    i_hotStaleB = false;
    // The items already here join one by one, as if inserted.
    const int32 n = i_array.num_items;
    i_array.num_items = 0;
    for (int32 i = 0; i < n && i_hotOnB; ++i) {
        InsertHot(i, i_array.ItemA[i]);
        i_array.num_items = i + 1;
    }
    i_array.num_items = n;
}

void CItemArray::DropHotData() {
    for (int32 i = 0; i < int32(i_hotWordsA.size()) && i < i_array.num_items; ++i) {
        CVornItem* itemP = i_array.ItemA[i];
        if (!(i_hotWordsA[size_t(i)] & kHot_Gone) && itemP && itemP->i_ownerA == this) itemP->i_ownerA = nullptr;
    }
    i_hotOnB = false;
    i_hotStaleB = false;
    i_hotSelectedL = 0;
    i_hotBoardP = nullptr;
    std::vector<uint32>().swap(i_hotWordsA);
    std::vector<tagRECT>().swap(i_hotBoundsA);
}

bool CItemArray::InsertHot(int32 indexL, CVornItem* itemP) {
    // An item has one owner. One that is here already, or still in another board's list, leaves
    // that array to the item-by-item walks rather than have a copy that misses its changes.
    if (!itemP || itemP->i_ownerA == this) {
        DropHotData();
        return false;
    }
    if (itemP->i_ownerA) itemP->i_ownerA->DropHotData();
    try {
        i_hotWordsA.insert(i_hotWordsA.begin() + indexL, 0);
        i_hotBoundsA.insert(i_hotBoundsA.begin() + indexL, tagRECT{});
    } catch (const std::bad_alloc&) {
        // Without room for the copy the walks go item by item.
        DropHotData();
        return false;
    }
    itemP->i_ownerA = this;
    if (!i_hotStaleB) StoreHot(indexL, itemP);
    return true;
}

void CItemArray::RemoveHot(int32 indexL) {
    const auto at = size_t(indexL);
    CVornItem* itemP = i_array.ItemA[indexL];
    if (!(i_hotWordsA[at] & kHot_Gone) && itemP->i_ownerA == this) itemP->i_ownerA = nullptr;
    if (i_hotWordsA[at] & HotBit(Vorn_ItemBoolsRec_DISK::kSelected)) --i_hotSelectedL;
    if (at + 1 == i_hotWordsA.size()) {
        i_hotWordsA.pop_back();
        i_hotBoundsA.pop_back();
        return;
    }
    i_hotWordsA.erase(i_hotWordsA.begin() + indexL);
    i_hotBoundsA.erase(i_hotBoundsA.begin() + indexL);
}

void CItemArray::StoreHot(int32 indexL, CVornItem* itemP) {
    uint32& word = i_hotWordsA[size_t(indexL)];
    constexpr uint32 kSelected = HotBit(Vorn_ItemBoolsRec_DISK::kSelected);
    if (word & kSelected) --i_hotSelectedL;
    itemP->GetHotData(i_hotBoardP, &word, &i_hotBoundsA[size_t(indexL)]);
    if (word & kSelected) ++i_hotSelectedL;
    itemP->i_ownerSlotL = indexL;
}

void CItemArray::RebuildHot() {
    i_hotSelectedL = 0;
    for (int32 i = 0; i < i_array.num_items; ++i) {
        uint32& word = i_hotWordsA[size_t(i)];
        if (word & kHot_Gone) {
            i_hotSelectedL += (word & HotBit(Vorn_ItemBoolsRec_DISK::kSelected)) != 0;
            continue;
        }
        word = 0;
        StoreHot(i, i_array.ItemA[i]);
    }
    i_hotStaleB = false;
}

int32 CItemArray::FindHotSlot(const CVornItem* itemP) const {
    // An insertion or removal just before the item moves it by one.
    const int32 at = itemP->i_ownerSlotL;
    for (int32 i : {at, at + 1, at - 1})
        if (i >= 0 && i < i_array.num_items && i_array.ItemA[i] == itemP) return i;
    return -1;
}

void CItemArray::ItemChanged(CVornItem* itemP) {
    if (!i_hotOnB || i_hotStaleB) return;
    const int32 i = FindHotSlot(itemP);
    if (i < 0)
        i_hotStaleB = true;
    else
        StoreHot(i, itemP);
}

void CItemArray::ItemDestroyed(CVornItem* itemP) {
    if (!i_hotOnB) return;
    int32 i = FindHotSlot(itemP);
    if (i < 0) i = IndexOf(itemP);
    // Its pointer stays (the array never decides an item's fate); the copy no longer reads it.
    if (i >= 0) i_hotWordsA[size_t(i)] |= kHot_Gone | kHot_Foreign;
}

bool CItemArray::SetFlagFromCopy(Vorn_ItemBoolsRec_DISK::Bit bit, bool on, uint32 onlyMask, uint32 skipMask,
                                 bool reverseB, ForeignStepProc foreignP, void* refcon) {
    const uint32 bitMask = HotBit(bit);
    const uint32 want = on ? bitMask : 0;
    uint32* wordsP = i_hotWordsA.data();
    CVornItem* const* itemsP = i_array.ItemA;
    const int32 n = i_array.num_items;
    const int32 step = reverseB ? -1 : 1;
    bool passedB = false;
    int32 changed = 0;
    for (int32 k = 0, i = reverseB ? n - 1 : 0; k < n; ++k, i += step) {
        const uint32 word = wordsP[i];
        if (onlyMask && !(word & onlyMask)) continue;
        if (word & kHot_Foreign) {
            foreignP(refcon, i);
            continue;
        }
        if (word & skipMask) continue;
        passedB = true;
        if ((word & bitMask) == want) continue;
        itemsP[i]->i_b.SetQuiet(bit, on);
        wordsP[i] = word ^ bitMask;
        ++changed;
    }
    if (bit == Vorn_ItemBoolsRec_DISK::kSelected) i_hotSelectedL += on ? changed : -changed;
    return passedB;
}

void CItemArray::VerifyHot() const {
#ifndef NDEBUG
    int32 selected = 0;
    for (int32 i = 0; i < i_array.num_items; ++i) {
        selected += (i_hotWordsA[size_t(i)] & HotBit(Vorn_ItemBoolsRec_DISK::kSelected)) != 0;
        if (i_hotWordsA[size_t(i)] & kHot_Gone) continue;
        uint32 word = 0;
        tagRECT bounds;
        i_array.ItemA[i]->GetHotData(i_hotBoardP, &word, &bounds);
        // A change that did not reach the copy: every change of an item's flags and bounds must
        // go through the item (see CVornItem.h).
        assert(word == i_hotWordsA[size_t(i)] && bounds == i_hotBoundsA[size_t(i)]);
    }
    assert(selected == i_hotSelectedL);
#endif
}
