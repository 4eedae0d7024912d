#pragma once
// The board settings: the sixteen board flags, view mode, sort key, mode and window records.
// The same flag word is part of the preferences' defaults and of every board file.

#include "XGTypes.h"

// Bit numbers of the board flags in Vorn_PrefBoolsRec::flags (the order of the board file).
enum Vorn_PrefBit : yaaf::uint8 {
    Vorn_PrefBit_NUMER = 0,
    Vorn_PrefBit_SPEAK = 1,
    Vorn_PrefBit_SEP_LINES = 2,
    Vorn_PrefBit_SHOW_TOOLBAR = 3,
    Vorn_PrefBit_DRAW_REGIONS = 4,
    Vorn_PrefBit_AUTO_SAVE = 5,
    Vorn_PrefBit_IGNORE_HIDDEN = 6,
    Vorn_PrefBit_IGNORE_LOCKS = 7,
    Vorn_PrefBit_UNUSED1 = 8,
    Vorn_PrefBit_GEN_LAUNCH_PIX = 9,
    Vorn_PrefBit_GEN_VORN = 10,
    Vorn_PrefBit_GEN_BACKGROUND = 11,
    Vorn_PrefBit_SORT_ASCENDING = 12,
    Vorn_PrefBit_SHOW_STATUS = 13,
    Vorn_PrefBit_DONT_GEN_TITLE = 14,
    Vorn_PrefBit_GEN_CONTENT = 15,
    Vorn_PrefBit_NUMTYPES = 16
};

// One 16-bit word of flags, bit 0 first, then the spare word. Explicit bits rather than C
// bit-fields, whose layout is the compiler's choice, so the word is the same on disk everywhere.
struct Vorn_PrefBoolsRec {
    yaaf::uint16 flags = 0;
    yaaf::uint16 unused2 = 0;

    bool Get(Vorn_PrefBit bit) const { return yaaf::GetFlagBit(flags, bit); }
    void Set(Vorn_PrefBit bit, bool on) { yaaf::SetFlagBit(flags, bit, on); }

    YAAF_FLAG_ACCESSORS(numerB, Vorn_PrefBit_NUMER)
    YAAF_FLAG_ACCESSORS(speakB, Vorn_PrefBit_SPEAK)
    YAAF_FLAG_ACCESSORS(sep_linesB, Vorn_PrefBit_SEP_LINES)
    YAAF_FLAG_ACCESSORS(show_toolbarB, Vorn_PrefBit_SHOW_TOOLBAR)
    YAAF_FLAG_ACCESSORS(draw_regionsB, Vorn_PrefBit_DRAW_REGIONS)
    YAAF_FLAG_ACCESSORS(auto_saveB, Vorn_PrefBit_AUTO_SAVE)
    YAAF_FLAG_ACCESSORS(ignore_hiddenB, Vorn_PrefBit_IGNORE_HIDDEN)
    YAAF_FLAG_ACCESSORS(ignore_locksB, Vorn_PrefBit_IGNORE_LOCKS)
    YAAF_FLAG_ACCESSORS(unused1, Vorn_PrefBit_UNUSED1)
    YAAF_FLAG_ACCESSORS(gen_launch_pixB, Vorn_PrefBit_GEN_LAUNCH_PIX)
    YAAF_FLAG_ACCESSORS(gen_vorn_B, Vorn_PrefBit_GEN_VORN)
    YAAF_FLAG_ACCESSORS(gen_backgroundB, Vorn_PrefBit_GEN_BACKGROUND)
    YAAF_FLAG_ACCESSORS(sort_ascendingB, Vorn_PrefBit_SORT_ASCENDING)
    YAAF_FLAG_ACCESSORS(show_statusB, Vorn_PrefBit_SHOW_STATUS)
    YAAF_FLAG_ACCESSORS(dont_gen_titleB, Vorn_PrefBit_DONT_GEN_TITLE)
    YAAF_FLAG_ACCESSORS(gen_contentB, Vorn_PrefBit_GEN_CONTENT)

    bool operator==(const Vorn_PrefBoolsRec&) const = default;
};

enum O_ViewAsType : yaaf::uint8 {
    O_ViewAs_NONE = 0,
    O_ViewAs_ICONS = 1,
    O_ViewAs_LIST = 2,
    O_ViewAs_HEIR_COL = 3,
    O_ViewAs_FREEFORM = 4,
    O_ViewAs_FLAT_COL = 5,
    O_ViewAs_ZOOM = 6,
    O_ViewAs_FREEFORM_NEW = 7,
    O_ViewAs_FLAT_COL_NEW = 8,
    O_ViewAs_NUMTYPES
};

// The sort keys shared with the outline browser, which may add more.
enum O_SortType : yaaf::uint8 {
    O_Sort_NONE = 0,
    O_Sort_INDEX = 1,
    O_Sort_NAME = 2,
    O_Sort_LOG_SIZE = 3,
    O_Sort_PHYS_SIZE = 4,
    O_Sort_CRE_DATE = 5,
    O_Sort_MOD_DATE = 6,
    O_Sort_KIND = 7,
    O_Sort_LOCK = 8,
    O_Sort_PATH = 9,
    O_Sort_OWNER = 10,
    O_Sort_VERSION = 11,
    O_Sort_NUMTYPES
};

enum Vorn_ModeType : yaaf::uint8 {
    Vorn_Mode_NONE = 0,
    Vorn_Mode_GO = 1,
    Vorn_Mode_EDIT = 2,
    Vorn_Mode_NUMTYPES
};

// A board window's rectangle and scroll position in one mode.
struct Vorn_WindowModelRec {
    yaaf::tagRECT posR;
    yaaf::int32 h_scroll = 0;
    yaaf::int32 v_scroll = 0;

    bool operator==(const Vorn_WindowModelRec&) const = default;
};

// A board's own settings, stored in its file.
struct Vorn_PrefsRec {
    Vorn_PrefBoolsRec b;
    O_ViewAsType view_as = O_ViewAs_NONE;
    O_SortType sort_by = O_Sort_NONE;
    yaaf::int16 num_columnsS = 0;
    Vorn_ModeType mode = Vorn_Mode_NONE;
    yaaf::XGSFontResource font;
    yaaf::int16 array_sizeS = 0; // always the number of items of the board
    Vorn_WindowModelRec wind_go;
    Vorn_WindowModelRec wind_edit;
    Vorn_WindowModelRec wind_gen; // for a generator target window this board opens
};
