#pragma once
// The desktop's list of recently used files (the freedesktop bookmark file
// $XDG_DATA_HOME/recently-used.xbel, read by file managers and file dialogs). Qt keeps no such
// list itself, so the file is updated here the way the desktop's own toolkits do: read,
// change one bookmark, and write back whole and atomically.

#include <string>

namespace yaaf {

struct XGRecentlyUsedEntry {
    std::string path;     // absolute
    std::string mimeType; // "application/x-vorn-board"
    std::string appName;  // "Vorn"
    std::string appExec;  // "vorn %u"
};

// Adds the file, or marks it used again, under the application; other bookmarks and other
// applications' records are kept as they stand. A file that cannot be read as a bookmark file
// (malformed, not one, or larger than kXGRecentlyUsedMaxBytes) is left alone and false is
// answered; so is a folder that cannot be written.
bool XGNoteRecentlyUsed(const XGRecentlyUsedEntry& entry);

// Where the list lives: $XDG_DATA_HOME (else ~/.local/share) /recently-used.xbel.
std::string XGRecentlyUsedPath();

constexpr long long kXGRecentlyUsedMaxBytes = 16ll * 1024 * 1024;

} // namespace yaaf
