#pragma once
// What the board-reading fuzz targets set up once per process: an offscreen application, the
// board globals, and a scratch folder for the files an import writes.

#include "BoardGlobals.h"
#include "FuzzApp.h"

#include <cstdlib>
#include <filesystem>
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

// Empties the folder, so that one input's files never meet the next input.
inline void FuzzEmptyFolder(const std::string& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        std::filesystem::remove_all(entry.path(), ec);
}
