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

    bool Get(Vorn_PrefBit bit) const { return (flags >> bit) & 1u; }
    void Set(Vorn_PrefBit bit, bool on) {
        flags = on ? yaaf::uint16(flags | (1u << bit)) : yaaf::uint16(flags & ~(1u << bit));
    }

    // clang-format off
#define VORN_PREF_FLAG(name, bit) \
    bool name() const { return Get(bit); } \
    void set_##name(bool on) { Set(bit, on); }
    // clang-format on
    VORN_PREF_FLAG(numerB, Vorn_PrefBit_NUMER)
    VORN_PREF_FLAG(speakB, Vorn_PrefBit_SPEAK)
    VORN_PREF_FLAG(sep_linesB, Vorn_PrefBit_SEP_LINES)
    VORN_PREF_FLAG(show_toolbarB, Vorn_PrefBit_SHOW_TOOLBAR)
    VORN_PREF_FLAG(draw_regionsB, Vorn_PrefBit_DRAW_REGIONS)
    VORN_PREF_FLAG(auto_saveB, Vorn_PrefBit_AUTO_SAVE)
    VORN_PREF_FLAG(ignore_hiddenB, Vorn_PrefBit_IGNORE_HIDDEN)
    VORN_PREF_FLAG(ignore_locksB, Vorn_PrefBit_IGNORE_LOCKS)
    VORN_PREF_FLAG(unused1, Vorn_PrefBit_UNUSED1)
    VORN_PREF_FLAG(gen_launch_pixB, Vorn_PrefBit_GEN_LAUNCH_PIX)
    VORN_PREF_FLAG(gen_vorn_B, Vorn_PrefBit_GEN_VORN)
    VORN_PREF_FLAG(gen_backgroundB, Vorn_PrefBit_GEN_BACKGROUND)
    VORN_PREF_FLAG(sort_ascendingB, Vorn_PrefBit_SORT_ASCENDING)
    VORN_PREF_FLAG(show_statusB, Vorn_PrefBit_SHOW_STATUS)
    VORN_PREF_FLAG(dont_gen_titleB, Vorn_PrefBit_DONT_GEN_TITLE)
    VORN_PREF_FLAG(gen_contentB, Vorn_PrefBit_GEN_CONTENT)
#undef VORN_PREF_FLAG

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
