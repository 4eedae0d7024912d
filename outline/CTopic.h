#pragma once
// A topic: one node of the tree the outline browser shows. It has a name, a font, state flags,
// three layout frames (the current one chosen by the view mode), an optional list of subtopics
// and an optional icon. Views never touch its fields: they ask it, through the operations
// below or through list iteration, to lay itself out, draw, hit-test, take clicks and change
// flags. Subclasses replace how subtopics are produced, how the icon is drawn and what a double
// click launches.
//
// A topic may fill its subtopics, cache an image or fetch its icon on worker threads of its
// own, one of each kind at a time; it does not die while one runs. A worker never touches a
// list: it hands each new subtopic over (HandOverSubtopic), and the user-interface thread puts
// it into the children in sorted order.

#include "OutlineTypes.h"
#include "XGTypes.h"

#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

class CTopicHandOver;

namespace yaaf {
class XGDateTime;
class XGFont;
class XGPicture;
} // namespace yaaf

// The record a new worker thread starts from.
struct CTopic_ThreadRec {
    CTopic* thiz = nullptr;
    yaaf::int16 threadType = 0;
    void* arbP = nullptr;
};

class CTopic {
public:
    // Placed in listP at indexL (unplaced with kNoIndex), named nameAC ("Untitled Topic" when
    // null).
    explicit CTopic(const char* nameAC = nullptr, CTopicList* listP = nullptr, yaaf::int32 indexL = yaaf::kNoIndex);
    // A copy of topicP (without children or the inserted flag) for listP, whose parent becomes
    // the copy's parent.
    CTopic(const CTopic* topicP, CTopicList* listP);
    CTopic(const CTopic&) = delete;
    // Copies links, index, name, font, flags (less TOPIC_Flag_INSERTED) and frames; never the
    // children.
    CTopic& operator=(const CTopic& other);
    virtual ~CTopic();

    // A new topic copied from copy_topicP for listP: lists clone through it, so that a
    // subclass makes copies of its own kind.
    virtual CTopic* New_CTopic(const CTopic* copy_topicP, CTopicList* listP) const;
    virtual void CTopic_Init(CTopicList* listP, yaaf::int32 indexL);

    // --- Subtopics and worker threads
    // Starts the fill thread when a children list exists and is still empty.
    virtual void Init_Subtopics();
    virtual void CB_Thread_InitSubtopics() {}
    virtual void CB_Thread_CacheImage() {}
    virtual void CB_Thread_FetchIcon() {}
    virtual void CB_Thread(yaaf::int16 type, void* arbP);
    virtual bool ThreadExists(yaaf::int16 type) const;
    // False (nothing started) when a thread of the type runs already or none could be made.
    virtual bool NewThread(yaaf::int16 type, void* arbP);
    // On a worker thread of this topic: gives childP (made for the children list, not yet in
    // it) to the user-interface thread, which inserts it into the children in sorted position
    // and redraws what changed. The hand-over owns the child from here on.
    void HandOverSubtopic(CTopic* childP, O_SortType sortType = O_Sort_NAME, bool reverseB = false);
    // Asks running workers to stop and waits until none runs. Subclasses whose workers use
    // their own fields call it first in their destructors.
    void KillThreads();
    bool IsKillingThreads() const { return i_kill_threadsB.load(); }

    // --- Geometry
    yaaf::tagRECT* GetFrameP() { return &i_frameA[size_t(i_boundsI)]; }
    const yaaf::tagRECT* GetFrameP() const { return &i_frameA[size_t(i_boundsI)]; }
    // Asks memory for what laying the topic out reads, ahead of a pass over a long list.
    void PrefetchLayout() const {
        __builtin_prefetch(this);
        __builtin_prefetch(&i_frameA);
        __builtin_prefetch(&i_fitW);
    }
    // The current frame moved by the scroll of the sibling list's view.
    virtual yaaf::tagRECT GetScreenBounds() const;
    virtual yaaf::tagRECT GetItemHandle(const yaaf::tagRECT* rectP, yaaf::int32 type) const;
    virtual yaaf::tagRECT GetTextBox(const yaaf::tagRECT& itemR, bool clipB) const;
    virtual void SetTextBox(const yaaf::tagRECT& textR);
    // Sizes the current frame to the name in the topic's font (from its top-left corner).
    virtual void SizeToFit();
    virtual void UpdateBounds(O_DrawRec* drawRecP);
    // The item outline of a board-like topic, or none (the caller deletes it).
    virtual yaaf::XGRegion* GetOutlineRgn(const yaaf::tagRECT* rectP) const { return nullptr; }
    virtual void GetBlitRgn(yaaf::XGRegion* rgnP) const;
    virtual bool IsOnscreen() const { return true; }
    virtual bool IsShowing() const { return true; }

    // --- State
    virtual void Launch() {}
    virtual bool GetFlag(yaaf::uint32 flag) const { return (i_flags & flag) != 0; }
    virtual void SetFlag(yaaf::uint32 flag, bool setB);
    // Flips one flag; answers its old value.
    virtual bool ToggleFlag(yaaf::uint32 flag);
    virtual bool IsTwirled() const { return GetFlag(TOPIC_Flag_TWIRLED); }
    virtual void SetTwirled(bool b) { SetFlag(TOPIC_Flag_TWIRLED, b); }
    virtual bool IsInserted() const { return GetFlag(TOPIC_Flag_INSERTED); }
    virtual void SetInserted(bool b) { SetFlag(TOPIC_Flag_INSERTED, b); }
    virtual bool IsHilited() const { return GetFlag(TOPIC_Flag_HILITED); }
    virtual void SetHilited(bool b) { SetFlag(TOPIC_Flag_HILITED, b); }
    virtual bool IsActive() const { return GetFlag(TOPIC_Flag_ACTIVE); }
    virtual void SetActive(bool b) { SetFlag(TOPIC_Flag_ACTIVE, b); }
    virtual bool IsFocused() const { return GetFlag(TOPIC_Flag_FOCUSED); }
    virtual void SetFocused(bool b) { SetFlag(TOPIC_Flag_FOCUSED, b); }
    virtual bool IsLocked() const { return GetFlag(TOPIC_Flag_LOCKED); }
    virtual void SetLocked(bool b) { SetFlag(TOPIC_Flag_LOCKED, b); }
    virtual bool IsHidden() const { return GetFlag(TOPIC_Flag_HIDDEN); }
    virtual void SetHidden(bool b) { SetFlag(TOPIC_Flag_HIDDEN, b); }
    virtual bool IsSelected() const { return GetFlag(TOPIC_Flag_SELECTED); }
    virtual void Select(bool selectB) { SetFlag(TOPIC_Flag_SELECTED, selectB); }

    // --- Properties the list columns show
    virtual yaaf::uint32 Get_Size_Physical() const { return 0; }
    virtual yaaf::uint32 Get_Size_Logical() const { return 123456789; }
    // Leaves the date as it is: a plain topic has no creation date.
    virtual void Get_Date_Created(yaaf::XGDateTime* dateP) const {}
    virtual void Get_Date_Modified(yaaf::XGDateTime* dateP) const;
    virtual std::string Get_Kind() const { return "Some Kind"; }
    virtual std::string Get_Comment() const { return "Comments go here"; }
    virtual bool IsText() const { return true; }
    virtual bool IsPicture() const { return false; }
    virtual const yaaf::XGPicture* GetPictRef() const { return nullptr; }
    virtual bool IsRoot() const { return i_parentP == nullptr; }
    // Where the topic is, when it stands for something with a place of its own (a file's path);
    // false for topics that are only where the outline puts them.
    virtual bool GetLocation(std::string& location) const { return false; }

    // --- Links to lists and views
    // Has the topic (or, with whole_viewB, the whole view) drawn again wherever it is shown.
    virtual void Inval(bool whole_viewB);
    virtual O_ViewAsType GetViewAs() const;
    // True when listP is the sibling list of this topic or of an ancestor.
    virtual bool IsMemberOf(const CTopicList* listP) const;
    // The outline view of the sibling list, or none.
    VOutline* GetView() const;

    virtual void GetName(std::string& name) const { name = i_nameZ; }
    // Copies at most size - 1 bytes and terminates.
    virtual void GetName(char* name, size_t size) const;
    const std::string& GetNameRef() const { return i_nameZ; }
    virtual void SetName(const std::string& name);
    virtual void SetName(const char* name) { SetName(std::string(name ? name : "")); }
    void SetFont(const yaaf::XGSFontResource& font);
    // The lower-case name that sorting by name compares.
    const std::string& GetSortKey() const { return i_sortKeyZ; }

    virtual void Idle() {}
    virtual void DoKey() {}

    // --- Drawing, hit testing and clicks (CTopicDraw.cpp)
    virtual void Draw_Twirly(yaaf::XGDraw* drawP);
    virtual void Draw_Icon(yaaf::XGDraw* drawP);
    // Brings the topic into view in hierarchic columns and shows its path.
    virtual void Reveal();
    virtual yaaf::tagRECT GetRect(yaaf::int32 widget) const;
    virtual bool HitTest_Rgn(O_DrawRec* recP);
    virtual yaaf::uint16 HitTest(O_DrawRec* recP);
    virtual void DoClick(O_DrawRec* recP);
    virtual void Draw(O_DrawRec* drawRecP);
    virtual void Draw_As(O_DrawRec* drawRecP, const yaaf::tagRECT& boundsR, VOutline* voP);
    // The text of one list column.
    virtual void Draw_Column(O_DrawRec* drawRecP, const yaaf::tagRECT& boundsR, O_SortType sortType);
    virtual void Hilight(bool onB) {}
    // Has the topic's area copied to the screen again.
    virtual void Flush();
    // The offscreen picture's questions (OffscreenCBType).
    virtual void CB_CTopic_Offs(yaaf::int16 cbType, void* cbData);

    // --- Places in lists
    virtual void Adopt(CTopic* parentP, yaaf::int32 indexL);
    virtual void Orphan();
    virtual void Insert();
    virtual void Remove(bool deleteB);

    // --- Sorting and iteration (CTopicIterate.cpp)
    // < 0, 0 or > 0 as this topic sorts before, with or after other.
    virtual yaaf::int16 SortCB(O_SortType sortType, const CTopic* other) const;
    // Whether SortCB compares by GetSortKey for this sort type (lists then sort faster).
    virtual bool SortsByKey(O_SortType sortType) const { return sortType == O_Sort_NAME; }
    virtual yaaf::uint16 IterateCB(CTopicList* listP, yaaf::int16 taType, yaaf::int32 indexL, void* cbData);
    // The child at indexL, or none.
    virtual CTopic* operator[](yaaf::int32 indexL) const;

    // The children list, made on first use when makeB (owned by this topic).
    CTopicList* GetChildren(bool makeB = false);

    // Fields, in the order of the design.
    std::map<yaaf::int16, unsigned long> i_thread_map;
    std::atomic<bool> i_kill_threadsB{false};
    CTopicList* i_siblingsP = nullptr;
    CTopic* i_parentP = nullptr;
    yaaf::int32 i_indexL = yaaf::kNoIndex;
    bool i_ownerB = false;
    CTopicList* i_childrenP = nullptr;
    std::string i_nameZ;
    yaaf::XGSFontResource i_font;
    yaaf::uint32 i_flags = 0;
    std::array<yaaf::tagRECT, 3> i_frameA{};
    yaaf::int16 i_boundsI = 0;
    bool i_finished_loadB = true;
    std::unique_ptr<yaaf::XGPicture> i_iconP;

    // Offsets of the widgets from the topic's left edge.
    static constexpr yaaf::int32 kTwirlyWidth = 16;
    static constexpr yaaf::int32 kIconLeft = 19;
    static constexpr yaaf::int32 kIconRight = 35;
    static constexpr yaaf::int32 kTextLeft = 40;
    static constexpr const char* kUntitled = "Untitled Topic";
    // The cells of the icon grid, and of the zoom grid at 100 percent.
    static constexpr yaaf::int32 kIconCellWidth = 160;
    static constexpr yaaf::int32 kZoomCellWidth = 140;
    static constexpr yaaf::int32 kZoomCellHeight = 90;

protected:
    // The font to draw and measure with.
    const yaaf::XGFont& GetXGFont() const;
    // The flow layout step for flat columns.
    yaaf::uint16 FlowLayout(CTopicList* listP, yaaf::int32 indexL);

private:
    static yaaf::int32 CB_S_Thread(void* arg);
    CTopicHandOver* GetHandOver();

    mutable std::mutex i_thread_mutex;
    std::once_flag i_handOverOnce;
    std::shared_ptr<CTopicHandOver> i_handOverP;
    std::string i_sortKeyZ;
    // The name's measured size in the topic's font; negative until measured.
    yaaf::int32 i_fitW = -1;
    yaaf::int32 i_fitH = 0;
};
