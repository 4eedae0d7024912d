#include "XGHostInfo.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <QString>
#include <QSysInfo>

#include <algorithm>
#include <array>
#include <string_view>

namespace yaaf {

const std::string& XGGetMachineName() {
    static const std::string name = [] {
        std::string n = QSysInfo::machineHostName().toStdString();
        return n.empty() ? std::string("localhost") : n;
    }();
    return name;
}

bool XGIsSystemVolume(const std::string& fsType, const std::string& rootPath) {
    static constexpr std::array<std::string_view, 27> kPseudoTypes{
        "proc",       "sysfs",      "devtmpfs",  "devpts",          "tmpfs",       "cgroup",       "cgroup2",
        "securityfs", "pstore",     "debugfs",   "tracefs",         "mqueue",      "hugetlbfs",    "fusectl",
        "configfs",   "bpf",        "autofs",    "binfmt_misc",     "squashfs",    "nsfs",         "efivarfs",
        "ramfs",      "rpc_pipefs", "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal", "fuse.snapfuse"};
    if (std::find(kPseudoTypes.begin(), kPseudoTypes.end(), fsType) != kPseudoTypes.end()) return true;
    static constexpr std::array<std::string_view, 7> kSystemPlaces{"/proc", "/sys",      "/dev",     "/run",
                                                                   "/snap", "/var/snap", "/boot/efi"};
    for (std::string_view place : kSystemPlaces) {
        if (rootPath.compare(0, place.size(), place) != 0) continue;
        // "/dev" and "/dev/..." but not "/devices".
        if (rootPath.size() == place.size() || rootPath[place.size()] == '/') return true;
    }
    return false;
}

std::vector<XGVolumeInfo> XGMountedVolumes() {
    std::vector<XGVolumeInfo> volumes;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        if (!info.isValid()) continue;
        XGVolumeInfo v;
        v.rootPath = info.rootPath().toStdString();
        v.fsType = info.fileSystemType().toStdString();
        if (XGIsSystemVolume(v.fsType, v.rootPath)) continue;
        // Files mounted over files (a container's /etc/hosts) are no places to browse.
        if (!QFileInfo(info.rootPath()).isDir()) continue;
        v.label = info.name().toStdString();
        v.displayName = !v.label.empty() ? v.label : info.displayName().toStdString();
        if (v.displayName.empty()) v.displayName = v.rootPath;
        volumes.push_back(std::move(v));
    }
    std::stable_sort(volumes.begin(), volumes.end(), [](const XGVolumeInfo& a, const XGVolumeInfo& b) {
        return a.rootPath == "/" && b.rootPath != "/";
    });
    return volumes;
}

} // namespace yaaf
