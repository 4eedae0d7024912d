#pragma once
// Basic types shared by every part of the system: fixed-width integers, four-character codes,
// rectangles and points, the menu status record and the "no index" value.

#include <cstdint>

namespace yaaf {

using int8 = std::int8_t;
using uint8 = std::uint8_t;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;

// A four-character code: the first character is the most significant byte. Multi-character
// literals ('menu') give exactly this value with both g++ and clang.
using FourCharCode = uint32;
using OSType = FourCharCode;

constexpr FourCharCode MakeFourCC(char a, char b, char c, char d) {
    return (uint32(uint8(a)) << 24) | (uint32(uint8(b)) << 16) | (uint32(uint8(c)) << 8) | uint32(uint8(d));
}
static_assert('menu' == 0x6D656E75, "multi-character literals must pack big-endian");

// Dispatch results: handlers answer 0 (handled) or -1 (not handled).
constexpr int32 kDispatchHandled = 0;
constexpr int32 kDispatchNotHandled = -1;

// No index: an item, topic or registry entry that is in no list or has no position.
constexpr int32 kNoIndex = int32(0xFFFE0000);

// Walk step status: 0 goes on, 0xFACE stops with success.
constexpr uint16 kWalkContinue = 0;
constexpr uint16 kWalkStop = 0xFACE;

struct tagRECT {
    int32 left = 0;
    int32 top = 0;
    int32 right = 0;
    int32 bottom = 0;

    int32 Width() const { return right - left; }
    int32 Height() const { return bottom - top; }
    bool operator==(const tagRECT&) const = default;
};
using XGRect = tagRECT;

struct Point {
    int16 v = 0;
    int16 h = 0;

    bool operator==(const Point&) const = default;
};

// The data of a 'stat' query.
struct XGSMenuStatus {
    bool enable = false;
    bool check = false;
    char mark = 0x12;
};

// One-bit flags in a 16-bit word, bit 0 first: the layout the board files and preferences keep.
constexpr bool GetFlagBit(uint16 word, unsigned bit) {
    return (word >> bit) & 1u;
}
constexpr void SetFlagBit(uint16& word, unsigned bit, bool on) {
    word = on ? uint16(word | (1u << bit)) : uint16(word & ~(1u << bit));
}

// Accessors name() and set_name(on) for one flag of a record with Get(bit) and Set(bit, on).
#define YAAF_FLAG_ACCESSORS(name, bit)                                                                       \
    bool name() const {                                                                                      \
        return Get(bit);                                                                                     \
    }                                                                                                        \
    void set_##name(bool on) {                                                                               \
        Set(bit, on);                                                                                        \
    }

// A font as stored in preferences and board files: size, five style flags (0 or 1) and a name.
struct XGSFontResource {
    int16 size = 0;
    int16 fBold = 0;
    int16 fItalic = 0;
    int16 fUnderline = 0;
    int16 fFixed = 0;
    int16 fSerif = 0;
    char name[64] = {};

    // The packed style word: 0x1 bold, 0x2 italic, 0x4 underline, 0x100 fixed pitch, 0x200 serif.
    uint16 GetStyleWord() const {
        return uint16((fBold ? 0x1 : 0) | (fItalic ? 0x2 : 0) | (fUnderline ? 0x4 : 0) |
                      (fFixed ? 0x100 : 0) | (fSerif ? 0x200 : 0));
    }
    void SetStyleWord(uint16 style) {
        fBold = (style & 0x1) ? 1 : 0;
        fItalic = (style & 0x2) ? 1 : 0;
        fUnderline = (style & 0x4) ? 1 : 0;
        fFixed = (style & 0x100) ? 1 : 0;
        fSerif = (style & 0x200) ? 1 : 0;
    }
};

// A font change request, shared by the board view and the text view.
struct XGFontChangeRec {
    bool set_sizeB = false;
    bool size_deltaB = false; // sizeS is a step, not a size
    int16 sizeS = 0;
    bool set_fontB = false;
    char nameAC[256] = {};
    bool set_styleB = false;
    int16 styleS = 0; // bit 0 bold, bit 1 italic, bit 2 underline
};

} // namespace yaaf
