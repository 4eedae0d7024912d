#pragma once
// What the machine the program runs on is called, and the volumes mounted on it.

#include <string>
#include <vector>

namespace yaaf {

// The machine's network name (host name), read once; "localhost" when it has none.
const std::string& XGGetMachineName();

// A mounted file system a person would recognise as a place to keep files.
struct XGVolumeInfo {
    std::string rootPath;    // where it is mounted
    std::string label;       // the file system's label, often empty
    std::string displayName; // the label, else the system's name for it, else the root path
    std::string fsType;
};

// The mounted volumes, pseudo and system file systems (proc, sysfs, cgroups, snap packages...)
// left out, asked anew on every call; the root file system first.
std::vector<XGVolumeInfo> XGMountedVolumes();

// Whether a mount is one of those left out: its type or where it is mounted says it holds no
// files of a person's.
bool XGIsSystemVolume(const std::string& fsType, const std::string& rootPath);

} // namespace yaaf
