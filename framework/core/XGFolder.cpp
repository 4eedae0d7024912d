#include "XGFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>

namespace yaaf {

int16 XGListFolder(const XGFileSpecifier& folder, std::vector<XGFileSpecifier>& entries) {
    entries.clear();
    DIR* dir = opendir(folder.GetFullPath().c_str());
    if (!dir) return int16(errno ? errno : ENOENT);
    std::vector<std::string> names;
    errno = 0;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        names.emplace_back(e->d_name);
    }
    const int readError = errno;
    closedir(dir);
    if (readError) return int16(readError);
    std::sort(names.begin(), names.end());
    entries.reserve(names.size());
    for (const std::string& name : names) {
        XGFileSpecifier child = folder.GetChild(name);
        struct stat st;
        // lstat: a link to nowhere is still an entry a person sees.
        if (lstat(child.GetFullPath().c_str(), &st) != 0) continue;
        entries.push_back(std::move(child));
    }
    return 0;
}

XGDateTime XGGetModificationDate(const XGFileSpecifier& spec) {
    struct stat st;
    if (stat(spec.GetFullPath().c_str(), &st) != 0) return XGDateTime();
    return XGDateTime::FromSystemTime(int64(st.st_mtime));
}

} // namespace yaaf
