#pragma once
// A topic list: the ordered topics of one level (the root of an outline document, or the
// children of one topic). It runs an operation over every topic (Iterate), sorts, reorders,
// clones and groups topics, answers selection questions, keeps the display settings the
// outline document saves, and knows the outline view that shows it. It does not own its
// topics: the topic whose children it holds deletes them.
//
// Only the user-interface thread changes a list. Worker threads hand new topics over through
// their topic (CTopic::HandOverSubtopic), which ends in InsertSorted here.

#include "OutlineTypes.h"
#include "XGTypes.h"

#include <atomic>
#include <string>
#include <vector>

class COutlineDocLink;

namespace yaaf {
class XGDraw;
}

// The one record of the sort in progress: one sort at a time in the whole program.
struct TOPIC_SortRec {
    CTopicList* thiz = nullptr;
    yaaf::int16 err = 0;
    yaaf::int32 semaphoreL = 0;
    bool reverseB = false;
    O_SortType sortType = O_Sort_NONE;
};

class CTopicList {
public:
    CTopicList(COutlineDocLink* outlineP = nullptr, CTopic* parentP = nullptr);
    CTopicList(const CTopicList&) = delete;
    CTopicList& operator=(const CTopicList&) = delete;
    // Detaches the view; the topics are not deleted.
    virtual ~CTopicList();

    // The same topic objects at every index.
    virtual bool operator==(const CTopicList& that) const;
    virtual bool operator!=(const CTopicList& that) const { return !(*this == that); }

    virtual void Idle();
    virtual void Idle_Insert(CTopic* topicP);
    virtual void Idle_Remove(CTopic* topicP);

    // Renumbers every topic from 0 in order, and the children of each.
    virtual void UpdateIndices();
    // Renumbers this level from index on (the children keep their numbers).
    void UpdateIndicesFrom(yaaf::int32 indexL);
    // At indexL (-1, or any index past the end, appends). With set_insertedB the topic gets
    // TOPIC_Flag_INSERTED; one that has it already is reported and not inserted twice.
    virtual void Insert(CTopic* topicP, yaaf::int32 indexL, bool set_insertedB);
    // Takes the topic out (with set_insertedB it loses TOPIC_Flag_INSERTED); with deleteB it
    // is then destroyed.
    virtual void Remove(CTopic* topicP, bool set_insertedB, bool deleteB);
    // Empties the list; topics, flags and indices are untouched.
    virtual void RemoveAll();
    virtual yaaf::int32 Count() const { return yaaf::int32(i_list.size()); }
    // -1 is the last topic; none out of range.
    virtual CTopic* GetIndItem(yaaf::int32 indexL) const;
    CTopic* operator[](yaaf::int32 indexL) const { return GetIndItem(indexL); }
    // Position of the topic in the list, or -1.
    yaaf::int32 IndexOf(const CTopic* topicP) const;
    const std::vector<CTopic*>& Topics() const { return i_list; }

    // One step per topic (forward, or reverse), until a step answers 0xFACE; answers the last
    // step's result (0 for an empty list).
    virtual yaaf::uint16 Iterate(yaaf::int16 taType, void* cbData, bool reverseB = false);

    // --- Sorting (CTopicListSort.cpp)
    virtual yaaf::int16 SortCB(O_SortType sortType, CTopic* elem1P, CTopic* elem2P, yaaf::int16* resultI);
    // Sorts the topics; 0, or 1 for a sort asked for from inside a comparison (refused).
    // Indices are not renumbered: sorting by O_Sort_INDEX afterwards gives the old order back.
    virtual yaaf::int16 Sort(O_SortType sortType, bool reverseB);
    // Inserts the topics where the order (the list being sorted by it) puts them, each after
    // the topics it compares equal with, renumbers this level and redraws what moved. Each
    // topic must be placed for this list and not inserted. Answers the number inserted.
    yaaf::int32 InsertSorted(std::vector<CTopic*>& topicsA, O_SortType sortType, bool reverseB);
    virtual void Reorder(CTopic* move_meP, CTopic* in_front_ofP);
    virtual void Reorder(yaaf::int32 delIndex, yaaf::int32 insIndex);
    virtual void CloneIndices(CTopicList* ref_listP, CTopicList* clone_listP);
    // A new list (the caller's): the same topics with no master, else copies of them.
    virtual CTopicList* Duplicate(CTopicList* master_listP);
    virtual yaaf::uint16 CopyGroup(CTopicList* dest_listP, CTopicList* itemArrayP, CTopic* in_front_ofP,
                                   CTopicList** itemArrayPP0);

    // --- Layout, drawing and hit testing
    // The topic hit (recP's hit_topicP), topmost first.
    virtual CTopic* HitTest(O_DrawRec* recP);
    // Lays the topics out for the view's mode (only with a view); dataP receives the record.
    virtual void UpdateRects(yaaf::XGDraw* drawP, O_DrawRec* dataP);
    virtual void Draw(yaaf::XGDraw* drawP, const yaaf::tagRECT* rect, void* data);
    // Draws the topics that meet the record's area (with a laid-out record).
    void DrawTopics(O_DrawRec* recP);

    // --- Groups and selection (new lists owned by the caller)
    virtual CTopicList* GetTopicGroup(yaaf::int16 iterType, bool recurseB);
    virtual CTopicList* GetVisibleList(bool recurseB);
    virtual CTopicList* GetSelected(bool recurseB);
    virtual yaaf::int32 CountSelected(bool recurseB);
    virtual void SelectAll(bool setB, bool recurseB);
    virtual void SetSelection(CTopicList* selP);
    virtual yaaf::int32 GetTopicUIHandleSize() const { return 0; }
    virtual CTopic* GetIndSelected(yaaf::int32 indexL, bool recurseB);

    // --- Saved settings
    virtual void StoreWindData(yaaf::int32 hScrollL, yaaf::int32 vScrollL, const yaaf::tagRECT& globalR);
    virtual void RetreiveWindData(yaaf::int32* hScrollLP, yaaf::int32* vScrollLP, yaaf::tagRECT* globalRP) const;
    O_WindowSaveRec* GetWindowModelP(Vorn_ModeType mode);
    virtual void AutoLayout_Dispatch() {}
    virtual yaaf::int32 GetLastColIndex() const;
    virtual CTopicList* GetBackgrounds();
    bool GetFlag(yaaf::uint32 flag) const { return (i_prefs.flags & flag) != 0; }
    // Sets or clears list flags; the toolbar and status flags show or hide their panes.
    virtual void SetFlag(yaaf::uint32 flag, bool setB);
    Vorn_ModeType GetMode() const { return GetFlag(LIST_Flag_GO_MODE) ? Vorn_Mode_GO : Vorn_Mode_EDIT; }

    // --- The view
    // The attached view's drawing context (or its measuring one).
    virtual yaaf::XGDraw* GetDraw() const;
    virtual void SetView(VOutline* viewP);
    // The attached view; for the children of a twirled topic shown inline in list mode, the
    // view of the parent's list.
    virtual VOutline* GetView() const;

    // Something that moves rows changed (a name, a font, an order, a topic in or out, a
    // twirly): row layouts are made again. Any thread.
    static void LayoutChanged() { s_layoutGeneration.fetch_add(1, std::memory_order_relaxed); }

    // The order a sort puts a and b in, as SortCB with reverseB; < 0 when a goes first.
    static yaaf::int16 CompareTopics(const CTopic* a, const CTopic* b, O_SortType sortType, bool reverseB);
    static TOPIC_SortRec s_sort_rec;

    COutlineDocLink* i_outlineP = nullptr;
    std::vector<CTopic*> i_list;
    CTopicList* i_idle_listP = nullptr;
    CTopic* i_parentP = nullptr;
    VOutline* i_viewP = nullptr;
    bool i_init_firstB = true;
    yaaf::int16 i_col_ixL = 0;
    std::vector<yaaf::tagRECT> i_colA = std::vector<yaaf::tagRECT>(1);
    bool i_update_in_go_modeB = false;
    void* i_hiddenA = nullptr;
    void* i_picsA = nullptr;
    O_ListSaveRec i_prefs;

    // Most columns the flow layout fills.
    static constexpr yaaf::int16 kMaxFlowColumns = 20;

private:
    // Rows stay where the last layout put them while nothing that moves them has changed: a
    // column of many topics is not laid out again for every frame.
    static std::atomic<yaaf::uint64> s_layoutGeneration;
    yaaf::uint64 i_layoutGenL = ~yaaf::uint64(0);
    yaaf::tagRECT i_layoutR;
    O_ViewAsType i_layoutViewAs = O_ViewAs_NONE;
    const VOutline* i_layoutViewP = nullptr;

    // Draws only the rows that meet the area (rows stand one below the other).
    void DrawRows(O_DrawRec* recP);
};
