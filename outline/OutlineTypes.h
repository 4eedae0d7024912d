#pragma once
// What topics, topic lists and outline views share: the topic flags, widgets, iteration steps
// and thread types, the list flags and saved settings, and the records passed down the tree
// for layout, drawing, hit testing and clicks.

#include "VornPrefsTypes.h"
#include "XGTypes.h"

class CTopic;
class CTopicList;
class VOutline;

namespace yaaf {
class XGDraw;
class XGRegion;
} // namespace yaaf

// The sort keys (and list column identifiers) that only the outline browser uses.
constexpr O_SortType O_Sort_LABEL = O_SortType(12);
constexpr O_SortType O_Sort_BITRATE = O_SortType(13);
constexpr O_SortType O_Sort_SPEED = O_SortType(14);

// Topic state bits (CTopic::i_flags).
enum : yaaf::uint32 {
    TOPIC_Flag_INSERTED = 0x01,
    TOPIC_Flag_TWIRLED = 0x02,
    TOPIC_Flag_SELECTED = 0x04,
    TOPIC_Flag_HILITED = 0x08,
    TOPIC_Flag_ACTIVE = 0x10,
    TOPIC_Flag_FOCUSED = 0x20,
    TOPIC_Flag_LOCKED = 0x40,
    TOPIC_Flag_HIDDEN = 0x80,
};

// The parts of a topic that hit testing names.
enum TOPIC_WidgetType : yaaf::int32 {
    TOPIC_Widget_NONE = 0,
    TOPIC_Widget_BODY = 1,
    TOPIC_Widget_HANDLE_TL = 2,
    TOPIC_Widget_HANDLE_TR = 3,
    TOPIC_Widget_HANDLE_BL = 4,
    TOPIC_Widget_HANDLE_BR = 5,
    TOPIC_Widget_TWIRLY = 6,
    TOPIC_Widget_ICON = 7,
    TOPIC_Widget_TEXT = 8,
    TOPIC_Widget_ALL = 9,
    TOPIC_Widget_NUMTYPES
};

// The steps a list runs over its topics (CTopic::IterateCB).
enum TOPIC_IterType : yaaf::int16 {
    TOPIC_Iter_IDLE = 1,
    TOPIC_Iter_RENUMBER = 2,
    TOPIC_Iter_DELETE = 8,
    TOPIC_Iter_INSERT = 9,
    TOPIC_Iter_REMOVE = 10,
    TOPIC_Iter_CLONE = 11,
    TOPIC_Iter_DRAW = 15,
    TOPIC_Iter_HIT_TEST = 16,
    TOPIC_Iter_UPDATE_BOUNDS = 17,
    TOPIC_Iter_FLOW_LAYOUT = 18,
    TOPIC_Iter_GET_BOUNDS = 19,
    TOPIC_Iter_SELECT = 20,
    TOPIC_Iter_SELECT_IN_RECT = 21,
    TOPIC_Iter_COLLECT = 22,
    TOPIC_Iter_COUNT_LOCKS = 23,
    TOPIC_Iter_GET_SELECTED = 24,
    TOPIC_Iter_GET_VISIBLE = 25,
    TOPIC_Iter_EXTENTS = 29,
    TOPIC_Iter_GET_FLAGS = 31,
    TOPIC_Iter_GET_BACKGROUNDS = 32,
    TOPIC_Iter_SET_FLAGS = 34,
};

// The worker threads a topic may run, one of each kind at a time.
enum TOPIC_ThreadType : yaaf::int16 {
    TOPIC_Thread_INIT_SUBTOPICS = 1,
    TOPIC_Thread_CACHE_IMAGE = 2,
    TOPIC_Thread_FETCH_ICON = 3,
};

// The mouse event's modifier bits in O_DrawRec::flags.
enum : yaaf::int16 {
    O_Click_SHIFT = 0x1,
    O_Click_CONTROL = 0x2,
    O_Click_ALT = 0x8,
    O_Click_DOUBLE = 0x1000,
};

// A point of the outline: the layout pen or the mouse. Columns of many topics run past the
// 16 bits of a view point.
struct O_Point {
    yaaf::int32 v = 0;
    yaaf::int32 h = 0;
};

// What layout, drawing, hit testing and clicks pass down the tree. Whoever fills one aims
// screen_boundsRP at boundsR, pointP at point and hit_widgetP at widget (SetRecPtrs).
struct O_DrawRec {
    yaaf::XGDraw* drawP = nullptr;
    O_ViewAsType view_as = O_ViewAs_NONE;
    yaaf::tagRECT* screen_boundsRP = nullptr;
    yaaf::XGRegion* invalid_rgnP = nullptr;
    bool recurseB = false;
    O_Point* pointP = nullptr;
    yaaf::int16 flags = 0;
    CTopic* hit_topicP = nullptr;
    yaaf::int32* hit_widgetP = nullptr;
    yaaf::tagRECT boundsR;
    O_Point point;
    yaaf::int32 widget = TOPIC_Widget_NONE;
    // Grid layouts: the height of the row being filled.
    yaaf::int32 row_heightL = 0;

    void SetRecPtrs() {
        screen_boundsRP = &boundsR;
        pointP = &point;
        hit_widgetP = &widget;
    }
};

// TOPIC_Iter_CLONE: clones go into dest_listP from new_indexL on (-1 appends) and, when
// copiedP0 is given, are appended to it as well.
struct O_ReorderRec {
    yaaf::int32 new_indexL = -1;
    CTopic* recent_topicP = nullptr;
    CTopicList* dest_listP = nullptr;
    CTopicList* copiedP0 = nullptr;
};

// TOPIC_Iter_GET_SELECTED and the other group steps.
struct O_GetSelectRec {
    CTopicList* selP = nullptr;
    bool recurseB = false;
};

// TOPIC_Iter_GET_FLAGS and TOPIC_Iter_SET_FLAGS.
struct O_FlagsRec {
    yaaf::uint32 flags = 0;
    bool setB = false;
    bool recurseB = false;
};

// TOPIC_Iter_COUNT_LOCKS: the counts that the Locked and Hidden menu items show.
struct O_CountLocksRec {
    yaaf::int32 lockedL = 0;
    yaaf::int32 unlockedL = 0;
    yaaf::int32 hiddenL = 0;
    yaaf::int32 visibleL = 0;
};

// TOPIC_Iter_GET_BOUNDS: the union of the topics' screen bounds.
struct O_BoundsRec {
    yaaf::tagRECT boundsR;
};

// A window's rectangle and scroll position in one mode, as the outline document saves it.
struct O_WindowSaveRec {
    yaaf::tagRECT posR;
    yaaf::int32 h_scroll = 0;
    yaaf::int32 v_scroll = 0;
};

// The list flags (O_ListSaveRec::flags).
enum : yaaf::uint32 {
    LIST_Flag_SHOW_TOOLBAR = 0x1,
    LIST_Flag_SHOW_STATUS = 0x2,
    LIST_Flag_SORT_ASCENDING = 0x4,
    LIST_Flag_IGNORE_LOCKS = 0x8,
    LIST_Flag_SHOW_HIDDEN = 0x10,
    LIST_Flag_AUTO_SAVE = 0x20,
    LIST_Flag_GO_MODE = 0x100,
    LIST_Flag_SEP_LINES = 0x40000,
    LIST_Flag_SPEAK = 0x80000,
    LIST_Flag_NUMEROLOGY = 0x100000,
    LIST_Flag_GEN_CONTENT = 0x200000,
    LIST_Flag_GEN_TITLE = 0x400000,
    LIST_Flag_GEN_BACKGROUND = 0x800000,
    LIST_Flag_GEN_VORN = 0x1000000,
    LIST_Flag_GEN_LAUNCH_PIX = 0x2000000,
};

// The display settings a list keeps for its document.
struct O_ListSaveRec {
    O_WindowSaveRec wind[5];
    yaaf::uint32 flags = LIST_Flag_SHOW_TOOLBAR | LIST_Flag_SHOW_STATUS;
    O_SortType sort_type = O_Sort_NAME;
    O_ViewAsType view_as = O_ViewAs_HEIR_COL;
};

// The steps of a document's walk over its outline views (VOutline::CB_View).
enum O_IterViewType : yaaf::int16 {
    O_IterView_COUNT = 1,
    O_IterView_GET_VIEW_INDEX = 2,
    O_IterView_GET_IND_VIEW = 3,
    O_IterView_INVAL = 4,
};

struct O_IterView_CountRec {
    yaaf::int32 countL = 0;
};

struct O_IterView_FindRec {
    VOutline* viewP = nullptr;
    yaaf::int32 indexL = -1;
};

struct O_IterView_InvalRec {
    CTopic* topicP = nullptr;
    bool whole_viewB = false;
};

// The steps of a walk over the column chain of hierarchic columns.
enum V_IterColType : yaaf::int16 {
    V_IterCol_COUNT = 1,
    V_IterCol_GET_COL_INDEX = 2,
    V_IterCol_GET_IND_COL = 3,
    V_IterCol_GET_PREV_COL = 4,
    V_IterCol_GET_EXTENTS = 5,
    V_IterCol_SET_POSITION = 6,
};

namespace yaaf {
class XGView;
}
class VColContainer;

struct V_IterCol_CountRec {
    yaaf::int32 col_indexL = 0;
    yaaf::tagRECT extentsR;
    VColContainer* colContainerP = nullptr;
    VOutline* prevP = nullptr;
    VOutline* curP = nullptr;
    VOutline* findP = nullptr;
    yaaf::XGView* colP = nullptr;
    yaaf::int32 xL = 0; // SET_POSITION: the left edge of the next column
};

// The result of a step that ends a walk.
constexpr yaaf::uint16 kTopicIterStop = yaaf::kWalkStop;
