#include "VornRecentFiles.h"

#include "CVornPrefs.h"
#include "XGRecentlyUsed.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kBoardMimeType = "application/x-vorn-board";
constexpr const char* kTextMimeType = "text/plain";

} // namespace

std::string VornRecentKey(const std::string& path) {
    if (path.empty()) return {};
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(path), ec);
    if (ec) p = fs::path(path);
    const fs::path canonical = fs::weakly_canonical(p, ec);
    return (ec ? p.lexically_normal() : canonical).string();
}

void VornAddRecent(std::vector<std::string>& list, const std::string& path) {
    const std::string key = VornRecentKey(path);
    if (key.empty()) return;
    VornRemoveRecent(list, key);
    list.insert(list.begin(), key);
    if (list.size() > kVornRecentMax) list.resize(kVornRecentMax);
}

bool VornRemoveRecent(std::vector<std::string>& list, const std::string& path) {
    const std::string key = VornRecentKey(path);
    const auto end = std::remove_if(
        list.begin(), list.end(), [&](const std::string& p) { return p == path || VornRecentKey(p) == key; });
    const bool removed = end != list.end();
    list.erase(end, list.end());
    return removed;
}

std::vector<std::string> VornRecentMenuNames(const std::vector<std::string>& list) {
    std::map<std::string, int> uses;
    for (const std::string& p : list)
        ++uses[fs::path(p).filename().string()];
    std::vector<std::string> names;
    for (const std::string& p : list) {
        const fs::path path(p);
        std::string name = path.filename().string();
        if (uses[name] > 1) name += "  (" + path.parent_path().string() + ")";
        names.push_back(std::move(name));
    }
    return names;
}

void VornNoteRecentFile(const std::string& path) {
    const std::string key = VornRecentKey(path);
    std::error_code ec;
    // Boards and texts; a folder opened as a board is not a file to come back to.
    if (key.empty() || !fs::is_regular_file(key, ec)) return;
    if (gVornPrefsP) gVornPrefsP->Note_RecentFile(key);
    const bool board = fs::path(key).extension() == ".2dv";
    // The desktop's list is a courtesy: a list it cannot update costs nothing here.
    yaaf::XGNoteRecentlyUsed({key, board ? kBoardMimeType : kTextMimeType, "Vorn", "vorn %u"});
}
