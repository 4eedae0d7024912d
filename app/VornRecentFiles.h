#pragma once
// The files lately opened or saved under a new name, most recent first, for File > Open Recent.
// The list is kept in the preferences; each file noted also goes to the desktop's list of
// recently used files.

#include <string>
#include <vector>

constexpr size_t kVornRecentMax = 10;

// The form a path is kept in: absolute, without "." and "..", links resolved where the file
// exists, so that one file is listed once however it was named.
std::string VornRecentKey(const std::string& path);

// Puts the file first, folding an earlier entry of it, and keeps the newest kVornRecentMax.
void VornAddRecent(std::vector<std::string>& list, const std::string& path);
// Takes the file out; false when it was not listed.
bool VornRemoveRecent(std::vector<std::string>& list, const std::string& path);

// The menu's names for the list: each file's name, followed by its folder where two entries
// share a name.
std::vector<std::string> VornRecentMenuNames(const std::vector<std::string>& list);

// Notes a file just opened or saved under a new name (in the preferences, when there are any,
// and in the desktop's list). Folders are not noted.
void VornNoteRecentFile(const std::string& path);
