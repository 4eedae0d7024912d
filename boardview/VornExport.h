#pragma once
// Exporting a board: as a picture (PNG), as one page of vector drawing (PDF, SVG), as JSON in
// the shape of `vorn-board dump`, and (see VornOBF.h) in the Open Board Format. Every export is
// written atomically: the file named appears only once it is complete, and a failed export
// leaves an earlier file of that name as it was.

#include "XGTypes.h"

#include <memory>
#include <string>
#include <vector>

class CVornOffscreenView;
class TVornModel;

enum class VornExportFormat : yaaf::uint8 { kNone, kPNG, kPDF, kSVG, kJSON, kOBF, kOBZ };

// "png", "pdf", "svg", "json", "obf", "obz" (any case); kNone for anything else.
VornExportFormat VornExport_FormatFromName(const std::string& name);
// By the file name's extension; kNone when it names none of them.
VornExportFormat VornExport_FormatFromPath(const std::string& path);
// The extension without its dot ("png").
const char* VornExport_Extension(VornExportFormat format);

// The largest drawing an export makes: 8192 by 8192 pixels (64 Mi pixels, 256 MiB while drawn)
// or any other shape of no more pixels. Larger sizes are refused before anything is allocated.
constexpr yaaf::int64 kVornExportMaxPixels = yaaf::int64(8192) * 8192;
// One side is at most this long.
constexpr yaaf::int32 kVornExportMaxSide = 16384;

struct VornExportOptions {
    bool goB = false;      // the Go Mode picture stretched to the size, instead of the Edit Mode view
    yaaf::int32 width = 0; // 0: the board's Edit Mode window size, else 640 by 480
    yaaf::int32 height = 0;
    yaaf::int32 pictureWaitMs = 15000; // how long pictures may take to load, all together
    bool hideSelectionB = false; // draw the items unselected (File > Export), not as the window shows them
};

// False, with the reason, when a drawing of that size may not be made.
bool VornExport_CheckSize(yaaf::int32 width, yaaf::int32 height, std::string& errorZ);

// Writes the bytes to path atomically. False with a one-line reason.
bool VornExport_WriteFile(const std::string& path, const std::vector<yaaf::uint8>& bytes,
                          std::string& errorZ);

// A copy of the board, made through its file form, for drawing without its window.
std::unique_ptr<TVornModel> VornExport_CopyBoard(TVornModel& board);

// Draws the board (which this takes over) as PNG, PDF or SVG into outPath: laid out for a view
// of the size, its pictures loaded (waiting at most options.pictureWaitMs), in Edit Mode or as
// the Go Mode picture.
bool VornExport_Drawing(std::unique_ptr<TVornModel> board, VornExportFormat format,
                        const VornExportOptions& options, const std::string& outPath, std::string& errorZ);

// The drawing step alone, for a board already attached to the view and laid out: draws it in
// its present mode and answers the file's bytes.
bool VornExport_Render(CVornOffscreenView& view, TVornModel& board, VornExportFormat format,
                       std::vector<yaaf::uint8>& out, std::string& errorZ);

// The board as JSON (the dump's shape) into outPath; `version` is the version byte to name.
bool VornExport_Json(TVornModel& board, int version, const std::string& outPath, std::string& errorZ);
