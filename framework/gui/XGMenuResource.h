#pragma once
// Menu bars, menus, accelerator tables and toolbars as data. The resources are small text files
// (see resources/menus/); this unit reads them into plain records so that they can be checked
// without a window, and the menu bar, accelerator and toolbar code builds from the records.
//
// Menu text:                          Accelerator text:       Toolbar text:
//   menu "&File"                        accel Ctrl+N 17665      button 17665 new "New Vorn"
//     item 17665 "New Vorn\tCtrl+N"     accel = 58              separator
//     separator                         accel Alt+Return 62
//     submenu "Import"
//       item 91 "Folder"
//     end
//     fonts 74                        (the installed font families, one item each)
//     windows                         (the window list, with its "Empty" placeholder 129)
//     recent 17680                    (the recently used files, made each time the menu opens)
//   end
// Lines starting with "#" and blank lines are skipped. In quoted text \t is a tab, \" a quote
// and \\ a backslash.

#include "XGTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace yaaf {

struct XGMenuItemRecord {
    enum Kind { kItem, kSeparator, kSubmenu, kFontList, kWindowList, kRecentList };
    Kind kind = kItem;
    int32 id = 0;                        // command id (kItem, kFontList, kRecentList)
    std::string title;                   // as it stands in the menu, "\t" before the shortcut text
    std::vector<XGMenuItemRecord> items; // kSubmenu and top-level menus
};

// A menu bar: its menus in order. A context menu is a bar with one menu.
struct XGMenuBarRecord {
    std::vector<XGMenuItemRecord> menus;
};

// Modifier bits of an accelerator key.
enum : uint16 {
    kXGAccel_Ctrl = 0x1,
    kXGAccel_Alt = 0x2,
    kXGAccel_Shift = 0x4,
};

struct XGAcceleratorRecord {
    uint16 modifiers = 0;
    // The key: an upper-case letter or digit, a punctuation character ('=', '-', '/', '?', ...),
    // or one of the named keys below.
    int32 key = 0;
    int32 command = 0;
    bool operator==(const XGAcceleratorRecord&) const = default;
};

// Named keys of accelerators, outside the character range.
enum : int32 {
    kXGAccelKey_Return = 0x10000,
    kXGAccelKey_Tab,
    kXGAccelKey_Delete,
    kXGAccelKey_F1, // F1 to F12 follow
};

struct XGToolbarItemRecord {
    bool separator = false;
    int32 id = 0;
    std::string icon;
    std::string tip;
};

// Parsers; each answers nothing (and `error`, when given, says why) for malformed text.
std::optional<XGMenuBarRecord> XGParseMenuBar(const std::string& text, std::string* error = nullptr);
std::optional<std::vector<XGAcceleratorRecord>> XGParseAccelerators(const std::string& text,
                                                                    std::string* error = nullptr);
std::optional<std::vector<XGToolbarItemRecord>> XGParseToolbar(const std::string& text,
                                                               std::string* error = nullptr);
// "Ctrl+Alt+Shift+N", "=", "Alt+Return": the key of an accelerator line.
std::optional<XGAcceleratorRecord> XGParseAcceleratorKey(const std::string& text);

// The first accelerator for the key, or none. `key` as in XGAcceleratorRecord; Shift is
// ignored for punctuation keys, whose character already tells whether Shift was down.
const XGAcceleratorRecord* XGFindAccelerator(const std::vector<XGAcceleratorRecord>& table, uint16 modifiers,
                                             int32 key);

// Resource types of these records (resources "MBAR_128.bin" and so on).
constexpr uint32 kXGResType_MenuBar = 'MBAR';
constexpr uint32 kXGResType_Menu = 'MENU';
constexpr uint32 kXGResType_Accelerators = 'ACCL';
constexpr uint32 kXGResType_Toolbar = 'TBAR';

// Loads and parses a resource; nothing when it is missing or malformed.
std::optional<XGMenuBarRecord> XGLoadMenuBar(uint32 type, int16 id);
std::optional<std::vector<XGAcceleratorRecord>> XGLoadAccelerators(int16 id);
std::optional<std::vector<XGToolbarItemRecord>> XGLoadToolbar(int16 id);

} // namespace yaaf
