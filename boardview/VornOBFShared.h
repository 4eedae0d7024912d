#pragma once
// What the Open Board Format's reader and writer share: names, limits, board files read without
// starting their picture loads, and pictures told by their first bytes.

#include "XGTypes.h"

#include <memory>
#include <string>
#include <vector>

class TVornModel;

constexpr const char* kVornOBFFormat = "open-board-0.1";
// A picture travels up to the size the program loads pictures of.
constexpr yaaf::int64 kVornOBFMaxPictureBytes = yaaf::int64(64) << 20;

// Runs the reading function with the picture loads of board reading turned off.
template <class Fn> auto VornOBF_ReadQuietly(Fn fn) -> decltype(fn());
// Reads a board file; null when it is not one.
std::unique_ptr<TVornModel> VornOBF_LoadBoardFile(const std::string& path);
// Writes a board file atomically.
bool VornOBF_SaveBoard(TVornModel& board, const std::string& path, std::string& errorZ);

// The path with links and "." and ".." resolved as far as the file exists (for telling two
// names of one board apart).
std::string VornOBF_CanonicalPath(const std::string& path);
// A file name without its folder and last extension ("Untitled" when nothing is left).
std::string VornOBF_BoardName(const std::string& fileName);
// True for a name ending in ".2dv" (any case).
bool VornOBF_IsBoardPath(const std::string& path);
// Reads a whole file of at most maxBytes.
bool VornOBF_ReadFile(const std::string& path, std::vector<yaaf::uint8>& out, yaaf::int64 maxBytes);

struct VornOBFPictureKind {
    const char* contentType = nullptr; // null: not a picture this program shows
    const char* extension = "";
};
VornOBFPictureKind VornOBF_PictureKind(const std::vector<yaaf::uint8>& bytes);
// The image type a file name or address suggests by its extension ("image/png" when it
// suggests none).
std::string VornOBF_TypeForName(const std::string& name);
// The extension for a content type ("image/png" -> "png"); empty for other types.
std::string VornOBF_ExtensionForType(const std::string& contentType);

// ---- template -------------------------------------------------------------------------------

bool VornOBF_SetQuiet(bool quietB); // answers the earlier setting

template <class Fn> auto VornOBF_ReadQuietly(Fn fn) -> decltype(fn()) {
    struct Restore {
        bool was;
        ~Restore() { VornOBF_SetQuiet(was); }
    } restore{VornOBF_SetQuiet(true)};
    return fn();
}
