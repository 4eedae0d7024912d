#pragma once
// Reads a folder one entry at a time, for listings that must stop early or hand entries on
// while the folder is still being read (a browser filling a column on a worker thread).
// Entries beginning with "." are left out. Names are the folder's bytes as they are: a name
// that is not UTF-8 is listed all the same.

#include "XGTypes.h"

#include <string>

namespace yaaf {

struct XGFolderEntry {
    std::string name;
    // A folder, or a link to one. A link that leads nowhere, or round in a circle, is a file.
    bool folderB = false;
    bool linkB = false;
};

class XGFolderReader {
public:
    // Opens the folder; Error() tells why when it cannot be read.
    explicit XGFolderReader(const std::string& folderPath);
    ~XGFolderReader();
    XGFolderReader(const XGFolderReader&) = delete;
    XGFolderReader& operator=(const XGFolderReader&) = delete;

    bool IsOpen() const { return fDir != nullptr; }
    // 0, or the system's error number of the open or of the last read.
    int Error() const { return fError; }
    // The next entry; false at the end (or on a read error).
    bool Next(XGFolderEntry& entry);

private:
    void* fDir = nullptr;
    int fError = 0;
};

} // namespace yaaf
