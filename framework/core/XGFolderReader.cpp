#include "XGFolderReader.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace yaaf {

XGFolderReader::XGFolderReader(const std::string& folderPath) {
    DIR* dir = opendir(folderPath.c_str());
    if (!dir) fError = errno ? errno : ENOENT;
    fDir = dir;
}

XGFolderReader::~XGFolderReader() {
    if (fDir) closedir(static_cast<DIR*>(fDir));
}

bool XGFolderReader::Next(XGFolderEntry& entry) {
    if (!fDir) return false;
    DIR* dir = static_cast<DIR*>(fDir);
    while (true) {
        errno = 0;
        dirent* e = readdir(dir);
        if (!e) {
            fError = errno;
            return false;
        }
        if (e->d_name[0] == '.') continue;
        entry.name = e->d_name;
        entry.linkB = e->d_type == DT_LNK;
        entry.folderB = e->d_type == DT_DIR;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            // Only links and file systems without types cost a look at the entry itself; a
            // link in a circle fails with ELOOP and stays a file.
            struct stat st;
            if (fstatat(dirfd(dir), e->d_name, &st, 0) == 0) {
                entry.folderB = S_ISDIR(st.st_mode);
            } else if (e->d_type == DT_UNKNOWN) {
                struct stat lst;
                // Gone since readdir saw it: not listed.
                if (fstatat(dirfd(dir), e->d_name, &lst, AT_SYMLINK_NOFOLLOW) != 0) continue;
                entry.linkB = S_ISLNK(lst.st_mode);
            }
        }
        return true;
    }
}

} // namespace yaaf
