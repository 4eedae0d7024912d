#pragma once
// The ordered array of item pointers that a board uses for its items, its selection, its idle
// list and every temporary group. It does not own the items. Its order is the drawing, layout,
// file and generation order.

#include "XGTypes.h"

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
        if (i_array.num_items >= i_array.array_size) return Add(itemP);
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

private:
    static int ItemA_QuickSortCompare(const void* a, const void* b);
    // The fast walks leave the debugging aid to the item-by-item walk.
    bool BreakIndexInRange() const { return s_break_indexL >= 0 && s_break_indexL < i_array.num_items; }

    ItemA_LIST i_array;
};
