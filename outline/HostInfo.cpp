#include "HostInfo.h"

#include "XGHostInfo.h"

#include <cstring>
#include <mutex>

using namespace yaaf;

namespace {

std::mutex s_volMutex;
bool s_countedB = false;
std::vector<Host_VolRec> s_WinVolStrsRec;

void CountLocked() {
    if (s_countedB) return;
    s_countedB = true;
    s_WinVolStrsRec.clear();
    for (const XGVolumeInfo& v : XGMountedVolumes()) {
        Host_VolRec rec;
        std::strncpy(rec.display_nameAC, v.displayName.c_str(), sizeof rec.display_nameAC - 1);
        rec.dirSpec = XGFileSpecifier(v.rootPath);
        s_WinVolStrsRec.push_back(std::move(rec));
    }
}

} // namespace

const std::string& Host_GetMachineName() {
    return XGGetMachineName();
}

int32 Host_CountVolumes() {
    std::lock_guard<std::mutex> lock(s_volMutex);
    CountLocked();
    return int32(s_WinVolStrsRec.size());
}

bool Host_GetIndVolume(int32 indexL, char nameAC[256], XGFileSpecifier* dirSpecP) {
    std::lock_guard<std::mutex> lock(s_volMutex);
    CountLocked();
    if (indexL < 0 || indexL >= int32(s_WinVolStrsRec.size())) return false;
    const Host_VolRec& rec = s_WinVolStrsRec[size_t(indexL)];
    if (rec.dirSpec.IsEmpty()) return false;
    if (nameAC) {
        std::memcpy(nameAC, rec.display_nameAC, sizeof rec.display_nameAC);
        nameAC[255] = 0;
        // A volume is never shown without a name.
        if (!nameAC[0]) std::strncpy(nameAC, rec.dirSpec.GetFullPath().c_str(), 255);
    }
    if (dirSpecP) *dirSpecP = rec.dirSpec;
    return true;
}

void Host_SetVolumesForTest(const std::vector<Host_VolRec>& volumes) {
    std::lock_guard<std::mutex> lock(s_volMutex);
    s_WinVolStrsRec = volumes;
    s_countedB = true;
}

void Host_UseMachineVolumes() {
    std::lock_guard<std::mutex> lock(s_volMutex);
    s_countedB = false;
    s_WinVolStrsRec.clear();
}
