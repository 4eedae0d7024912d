#pragma once
// What the board-reading fuzz targets set up once per process: an offscreen application, the
// board globals, and a scratch folder for the files an import writes.

#include "BoardGlobals.h"
#include "FuzzApp.h"

#include <cstdlib>
#include <string>

inline void FuzzBoardEnvironment(const char* targetName) {
    FuzzGuiApplication(targetName);
    static vorntest::BoardGlobals globals;
}

// A folder of its own for the process, made at the first call.
inline const std::string& FuzzScratchFolder(const char* targetName) {
    static const std::string folder = [targetName] {
        std::string templ = std::string("/tmp/") + targetName + ".XXXXXX";
        const char* made = mkdtemp(templ.data());
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}
