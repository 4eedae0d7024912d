#pragma once
// The ordered array of item pointers that a board uses for its items, its selection, its idle
// list and every temporary group. It does not own the items. Its order is the drawing, layout,
// file and generation order.

#include "CVornItem.h"
#include "VornItemTypes.h"
#include "XGTypes.h"

#include <vector>

class CVornItem;
class TVornModel;

struct ItemA_LIST {
    yaaf::int32 num_items = 0;
    yaaf::int32 array_size = 0;
    CVornItem** ItemA = nullptr;
};

class CItemArray;

// a and b point at two slots of the array; *result as with qsort.
using SortFuncCB = yaaf::int16 (*)(void* refcon, CItemArray* array, void* a, void* b, int* result);

constexpr yaaf::int32 kItemArray_Grow = 20;

class CItemArray {
public:
    CItemArray();
    // Storage of the given capacity (a duplicate keeps its master's); the array is then null
    // inside when the storage could not be had (see IsValid).
    explicit CItemArray(yaaf::int32 capacity);
    virtual ~CItemArray();
    CItemArray(const CItemArray&) = delete;
    CItemArray& operator=(const CItemArray&) = delete;

    bool IsValid() const { return i_array.ItemA != nullptr; }

    // A new array, or none when memory runs out. Without a master the items are shared; with
    // one each item is copied outside any board and given its position as index.
    virtual CItemArray* Duplicate(CItemArray* master_listP);
    virtual yaaf::int16 Add(CVornItem* itemP);
    virtual yaaf::int16 InsertAt(CVornItem* itemP, yaaf::int32 indexL);
    virtual yaaf::int32 IndexOf(const CVornItem* itemP) const;
    virtual bool Member(const CVornItem* itemP) const;
    virtual void Remove(CVornItem* itemP);
    // Removes the entry at indexL (0..count-1) and closes the gap.
    void RemoveAt(yaaf::int32 indexL);
    // The position of itemP searched from the end, or no index: an item leaving a board in a
    // top-to-bottom walk is found at once.
    yaaf::int32 LastIndexOf(const CVornItem* itemP) const;
    // Add without InsertAt's checks while there is room (the group walks fill arrays made large
    // enough); falls back to Add.
    yaaf::int16 Append(CVornItem* itemP) {
        if (i_array.num_items >= i_array.array_size || i_hotOnB) return Add(itemP);
        i_array.ItemA[i_array.num_items++] = itemP;
        return 0;
    }
    virtual void RemoveAll();
    virtual yaaf::int16 ReorderByIndex(yaaf::int32 delIndexS, yaaf::int32 insIndexS);
    virtual yaaf::int16 CopyGroup(TVornModel* dest_vornP, CItemArray* itemArrayP, CVornItem* in_front_ofP,
                                  CItemArray** itemArrayPP0);
    virtual void ReorderGroup(CItemArray* itemArrayP, CVornItem* in_front_ofP);
    virtual yaaf::int16 Reorder(CVornItem* moveP, CVornItem* in_front_ofP);
    virtual yaaf::int32 Count() const { return i_array.num_items; }
    // -1 is the last item; no range check.
    virtual CVornItem* GetIndItem(yaaf::int32 indexL) const;
    virtual yaaf::int16 IterateReverse(yaaf::int16 taType, void* cbData);
    virtual yaaf::int16 Iterate(yaaf::int16 taType, void* cbData);

    void CloneIndices(CItemArray* ref_listP, CItemArray* clone_listP);
    bool operator==(const CItemArray& other) const;

    // One sort at a time in the whole program: a sort started from inside a comparator is
    // refused with a report and answers 1.
    yaaf::int16 Sort(SortFuncCB funcP, void* refconPV0);
    // refconPV points at an O_SortType.
    static yaaf::int16 CB_S_ArraySort(void* refconPV, CItemArray* array, void* a, void* b, int* resultS);

    yaaf::int32 Capacity() const { return i_array.array_size; }
    // The storage itself, for tight loops of the board (Count() entries; valid until the next
    // insertion).
    CVornItem* const* Items() const { return i_array.ItemA; }

    // A debugging aid: Iterate reports an internal error before visiting this index.
    static yaaf::int32 s_break_indexL;

    // The hot copy. A board's own item list keeps, beside each item pointer, the low half of the
    // item's flag word with the bits below, and its current rectangle (*i_boundsRP): the
    // walks over a whole board (hit test, selecting, gathering the selection and other groups)
    // then read two compact arrays instead of every item. The array owns the copy of the items
    // it holds (CVornItem::GetOwnerArray) and each item reports every change of its flags and
    // bounds to its owner; an item has one owner at a time, and the other arrays it may be in
    // (selections, groups, undo records, the clipboard) keep no copy. Insert and remove move
    // the copy with the pointers; where an item cannot find itself at the place it last stood
    // (after an insertion or removal before it, or a sort) the copy is read again from every
    // item at the next walk.
    void KeepHotData(TVornModel* boardP);
    // Stops keeping the copy (the items are told).
    void DropHotData();
    bool KeepsHotData() const { return i_hotOnB; }
    // Whether HotWords and HotBounds can be read now (brought up to date first); false for an
    // array that keeps no copy.
    bool HotReady() {
        if (!i_hotOnB) return false;
        if (i_hotStaleB) RebuildHot();
        VerifyHot();
        return true;
    }
    const yaaf::uint32* HotWords() const { return i_hotWordsA.data(); }
    // How many of the items the copy shows selected.
    yaaf::int32 HotSelectedCount() const { return i_hotSelectedL; }
    const yaaf::tagRECT* HotBounds() const { return i_hotBoundsA.data(); }
    TVornModel* HotBoard() const { return i_hotBoardP; }
    // One flag of the item at indexL (0..count-1) and its copy. From the copy an item whose flag
    // is already so is not even read: a walk that sets a flag on a whole board writes only the
    // items that change.
    void SetItemFlag(yaaf::int32 indexL, Vorn_ItemBoolsRec_DISK::Bit bit, bool on) {
        CVornItem* itemP = i_array.ItemA[indexL];
        if (!i_hotOnB || i_hotStaleB || (i_hotWordsA[size_t(indexL)] & kHot_Gone)) {
            itemP->i_b.Set(bit, on);
            return;
        }
        yaaf::uint32& word = i_hotWordsA[size_t(indexL)];
        if (((word & HotBit(bit)) != 0) == on) return;
        itemP->i_b.SetQuiet(bit, on);
        word ^= HotBit(bit);
        if (bit == Vorn_ItemBoolsRec_DISK::kSelected) i_hotSelectedL += on ? 1 : -1;
    }
    // The array's flag setter for a whole board, from the copy (which must be ready): among the
    // items whose copy shows one of the bits of onlyMask (all items when it is 0), `bit` is
    // set to on in every one that shows none of skipMask, and only the items that change are
    // written. An item that is not plainly the board's (kHot_Foreign) is handed to
    // foreignP(refcon, index) instead. Answers whether any item passed skipMask.
    using ForeignStepProc = void (*)(void* refcon, yaaf::int32 indexL);
    bool SetFlagFromCopy(Vorn_ItemBoolsRec_DISK::Bit bit, bool on, yaaf::uint32 onlyMask, yaaf::uint32 skipMask,
                         bool reverseB, ForeignStepProc foreignP, void* refcon);
    // The bits beside the flags: one of the item's rectangles is all zero (the screen bounds
    // fill it in from the other); the item's board is not this array's board; the item was
    // destroyed while still in the array.
    static constexpr yaaf::uint32 kHot_FlagsMask = 0xFFFF;
    static constexpr yaaf::uint32 kHot_Unplaced = 1u << 16;
    static constexpr yaaf::uint32 kHot_Foreign = 1u << 17;
    static constexpr yaaf::uint32 kHot_Gone = 1u << 18;
    static constexpr yaaf::uint32 HotBit(Vorn_ItemBoolsRec_DISK::Bit bit) { return 1u << bit; }

    // From the items this array owns.
    void ItemChanged(CVornItem* itemP);
    void ItemDestroyed(CVornItem* itemP);

private:
    void RebuildHot();
    void StoreHot(yaaf::int32 indexL, CVornItem* itemP);
    // The copy's slot of itemP, or -1, from where the item last stood.
    yaaf::int32 FindHotSlot(const CVornItem* itemP) const;
    // Debug builds check the copy against the items before it is read.
    void VerifyHot() const;
    // The pointers and the copy together: insertion makes room, removal closes the gap.
    bool InsertHot(yaaf::int32 indexL, CVornItem* itemP);
    void RemoveHot(yaaf::int32 indexL);

    static int ItemA_QuickSortCompare(const void* a, const void* b);
    // The fast walks leave the debugging aid to the item-by-item walk.
    bool BreakIndexInRange() const { return s_break_indexL >= 0 && s_break_indexL < i_array.num_items; }

    ItemA_LIST i_array;
    bool i_hotOnB = false;
    bool i_hotStaleB = false;
    yaaf::int32 i_hotSelectedL = 0;
    TVornModel* i_hotBoardP = nullptr;
    std::vector<yaaf::uint32> i_hotWordsA;
    std::vector<yaaf::tagRECT> i_hotBoundsA;
};
