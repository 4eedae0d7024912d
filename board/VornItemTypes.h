#pragma once
// The records of a board item: its flag word, outline polygon, links, and the command numbers
// and records of the walks over item arrays.

#include "XGDateTime.h"
#include "XGTypes.h"

#include <string>

namespace yaaf {
class XGFileSpecifier;
class XGHandle;
class XGPicture;
} // namespace yaaf

class CVornItem;
class CItemArray;
class TVornModel;

enum LinkType : yaaf::uint8 {
    LinkType_NONE = 0,
    LinkType_TEXT = 1,
    LinkType_PICT_FILE = 2,
    LinkType_FILE = 3,
    LinkType_URL = 4,
    LinkType_PICT_URL = 5,
    LinkType_NUMTYPES
};

// Links that hold a text (a title, a web address) and links that hold a file specifier.
inline bool IsTextType(yaaf::uint8 type) {
    return type == LinkType_TEXT || type == LinkType_URL || type == LinkType_PICT_URL;
}
inline bool IsFileType(yaaf::uint8 type) {
    return type == LinkType_PICT_FILE || type == LinkType_FILE;
}

enum Vorn_RefType { Vorn_Ref_DEST = 0, Vorn_Ref_SRC = 1 };

// The item's flag word, stored unchanged in the board file: bits 0-1 unused1, 2 backgroundB,
// 3 twirledB, 4 rgnB, 5 hiddenB, 6 lockedB, 7 selectedB, 8-15 unused2 of the first 16-bit half;
// the second half holds unused3 (low byte) and unused4 (high byte). Explicit bits, so that the
// word is the same whatever the compiler does with bit-fields.
struct Vorn_ItemBoolsRec_DISK {
    yaaf::uint16 flags = 0;
    yaaf::uint16 unused34 = 0;

    enum Bit : yaaf::uint8 {
        kBackground = 2,
        kTwirled = 3,
        kRgn = 4,
        kHidden = 5,
        kLocked = 6,
        kSelected = 7
    };
    bool Get(Bit bit) const { return yaaf::GetFlagBit(flags, bit); }
    void Set(Bit bit, bool on) { yaaf::SetFlagBit(flags, bit, on); }
    YAAF_FLAG_ACCESSORS(backgroundB, kBackground)
    YAAF_FLAG_ACCESSORS(twirledB, kTwirled)
    YAAF_FLAG_ACCESSORS(rgnB, kRgn)
    YAAF_FLAG_ACCESSORS(hiddenB, kHidden)
    YAAF_FLAG_ACCESSORS(lockedB, kLocked)
    YAAF_FLAG_ACCESSORS(selectedB, kSelected)

    yaaf::uint32 GetWord() const { return yaaf::uint32(flags) | (yaaf::uint32(unused34) << 16); }
    void SetWord(yaaf::uint32 word) {
        flags = yaaf::uint16(word & 0xFFFF);
        unused34 = yaaf::uint16(word >> 16);
    }
    bool operator==(const Vorn_ItemBoolsRec_DISK&) const = default;
};

constexpr int kVornRgnPoints = 16;

// The outline polygon: 16 points (v, h), 64 bytes.
struct _Vorn_RgnRec {
    yaaf::Point pts[kVornRgnPoints];
};
static_assert(sizeof(_Vorn_RgnRec) == 64, "the polygon is 64 bytes on disk");

struct Vorn_LinkContent {
    yaaf::uint8 type = LinkType_NONE;
    bool cachingB = false;                // a loader thread is running for this link
    yaaf::XGPicture* cacheP = nullptr;    // the decoded picture, owned; only types 2 and 5
    yaaf::tagRECT origR;                  // the picture's own frame
    yaaf::XGHandle* disk_pathP = nullptr; // scratch buffers while the board is being saved
    yaaf::XGHandle* disk_aliasP = nullptr;
    union {
        std::string* textP;           // types 1, 4, 5
        yaaf::XGFileSpecifier* fileP; // types 2, 3
    } u{nullptr};

    // The numerology sum of the text (CVornItem::Numerology_Sum), kept for the string it was
    // taken from until the text changes: whatever changes a text in place calls TextChanged.
    yaaf::int32 numerL = 0;
    const std::string* numerTextP = nullptr;
    void TextChanged() { numerTextP = nullptr; }
};

struct Vorn_LinkRef {
    yaaf::XGDateTime date;
    Vorn_LinkContent content;
};

struct Vorn_Resource {
    Vorn_LinkRef source; // what the item shows and is named by
    Vorn_LinkRef dest;   // what the item leads to
};

// The walk commands an item carries out on itself (numbers not listed do nothing).
enum ItemA_IterateType : yaaf::int16 {
    ItemA_Iterate_NONE = 0,
    ItemA_Iterate_IDLE = 1,
    ItemA_Iterate_SET_LOCKED = 3,
    ItemA_Iterate_SET_HIDDEN = 4,
    ItemA_Iterate_DISPOSE = 8,
    ItemA_Iterate_INSERT = 9,
    ItemA_Iterate_REMOVE = 10,
    ItemA_Iterate_COPY = 11,
    ItemA_Iterate_SET_FONT = 14,
    ItemA_Iterate_DRAW = 15,
    ItemA_Iterate_HIT_TEST = 16,
    ItemA_Iterate_FLOW_COLUMNS = 18,
    ItemA_Iterate_MOVE = 19,
    ItemA_Iterate_SELECT = 20,
    ItemA_Iterate_SELECT_IN_RECT = 21,
    ItemA_Iterate_ADD_TO_ARRAY = 22,
    ItemA_Iterate_GET_MENU_INFO = 23,
    ItemA_Iterate_GET_SELECTED = 24,
    ItemA_Iterate_GET_VISIBLE_PICTS = 26,
    ItemA_Iterate_GET_LOCKED = 27,
    ItemA_Iterate_GET_HIDDEN = 28,
    ItemA_Iterate_GET_EXTENT = 29,
    ItemA_Iterate_ADD_TO_DRAG = 30,
    ItemA_Iterate_GET_BACKGROUNDS = 32,
    ItemA_Iterate_GET_VISIBLE = 33,
    ItemA_Iterate_SET_MENU_INFO = 35,
    ItemA_Iterate_SET_PIC_DEST = 36,
    ItemA_Iterate_SELECT_UNLOCKED = 37,
    ItemA_Iterate_GET_MISSING = 38,
    ItemA_Iterate_GET_PICTS = 39,
    ItemA_Iterate_CACHE = 40,
    ItemA_Iterate_ALIGN = 44,
    ItemA_Iterate_SIZE_TO_FIT = 45,
    ItemA_Iterate_USE_AUTO_BOUNDS = 46,
    ItemA_Iterate_CLEAR_RGN = 47,
    ItemA_Iterate_RESTORE_RGN = 48,
    ItemA_Iterate_SET_INDEX = 50,
    ItemA_Iterate_ADOPT_AUTO_BOUNDS = 51,
    ItemA_Iterate_NUMEROLOGY = 52,
    ItemA_Iterate_GENERATE = 53,
    ItemA_Iterate_REPAIR = 54,
    ItemA_Iterate_STRIP_NUMEROLOGY = 55,
};

struct Vorn_HitTestRec {
    yaaf::int32* subHitTypeP = nullptr;
    CVornItem* returnItemP = nullptr;
    yaaf::Point thePt;
};

struct ItemA_Iterate_MOVEData {
    yaaf::Point offset;
    yaaf::int16 handleType = 0;
    void* renameTE = nullptr;
    CVornItem* renameItemP = nullptr;
    yaaf::tagRECT* updateRP = nullptr;
    bool dont_set_selB = false;
};

struct ItemA_Iterate_SELECTData {
    bool selectB = false;
};

struct ItemA_Iterate_GET_MENU_INFOData {
    yaaf::int16 lockedS = 0;
    yaaf::int16 unlockedS = 0;
    yaaf::int16 hiddenS = 0;
    yaaf::int16 visibleS = 0;
};

struct ItemA_Iterate_SET_MENU_INFOData {
    bool set_lockedB = false;
    bool lockedB = false;
    bool set_hiddenB = false;
    bool hiddenB = false;
};

enum Vorn_SetPicDestType {
    Vorn_SetPicDest_NONE = 0,
    Vorn_SetPicDest_SET = 1,
    Vorn_SetPicDest_RESTORE = 2,
    Vorn_SetPicDest_UPDATE = 3,
};

struct Vorn_SetPicDestRec {
    Vorn_SetPicDestType type = Vorn_SetPicDest_NONE;
    void* contextP = nullptr;
    bool isOffsB = false;
    bool skip_assertB = false;
};

// The align commands of the menu.
constexpr yaaf::int32 kVornCmd_AlignLeft = 23041;
constexpr yaaf::int32 kVornCmd_AlignRight = 23042;
constexpr yaaf::int32 kVornCmd_AlignTop = 23043;
constexpr yaaf::int32 kVornCmd_AlignBottom = 23044;

struct ItemA_Iterate_AlignData {
    yaaf::int32 command = 0;
    bool getB = false;
    yaaf::int32 valueL = yaaf::kNoIndex;
};

struct ItemA_Iterate_REORDERData {
    TVornModel* dest_genP = nullptr;
    yaaf::int32 newIndex = -1; // -1 appends
    CItemArray* copiedP0 = nullptr;
};

// The repair commands of the view (the record of ItemA_Iterate_REPAIR).
constexpr yaaf::int32 kVornRepair_URLFiles = 117;
constexpr yaaf::int32 kVornRepair_SwapRegions = 118;
constexpr yaaf::int32 kVornRepair_FontSizes = 119;
