#pragma once
// The Open Board Format, both ways. An OBF file is one board as JSON; an OBZ package is a zip
// of boards, pictures and a manifest.json naming the first board and every file.
//
// Export: every item becomes a button (its title as `label`, a text content as `vocalization`,
// a picture as an image: embedded in a package, a data URI in a single file, its address for a
// web picture); a link to another board becomes `load_board` (a package carries every board
// reachable from the first, each once); what the format has no field for (bounds, font, flags,
// polygon, the links as the board holds them, the board's settings) travels in `ext_vorn_`
// fields. The grid follows the board's columns as its window lays them out (a freeform board:
// rows of items at about the same height, in the order of their left edges).
//
// Import: buttons become items (in grid order; a board that Vorn wrote, in its own order), laid
// out in flat columns with the grid's column count, with their labels, vocalizations, pictures
// (saved beside the board) and load_board links (the linked boards of a package saved beside
// the board as .2dv files and linked to them).

#include "VornExport.h"
#include "XGTypes.h"

#include <string>

class TVornModel;

namespace yaaf {
class XGFileSpecifier;
}

// What a package may unpack to: 64 MiB a file, 256 MiB in all, 20,000 files; a single OBF file
// (or a board inside a package) may be at most 16 MiB of JSON.
constexpr yaaf::int64 kVornOBFMaxJsonBytes = yaaf::int64(16) << 20;

// Writes the board as OBF (format kOBF) or OBZ (kOBZ) into outPath, atomically.
bool VornOBF_Export(TVornModel& board, VornExportFormat format, const std::string& outPath,
                    std::string& errorZ);

// Appends the buttons of the OBF file or OBZ package at source to the board (the kind is told
// by the contents). Pictures and linked boards are saved into `folder`, beside the board, never
// over an existing file. The board's settings (flat columns, the grid's column count, or those
// a Vorn export carries) are taken only by a board that had no items. The new items are
// selected. False, with a one-line reason, for what cannot be read; the board keeps what was
// taken in before the failure. boardPath: the board's own file, for the boards of a package
// that link back to the first one.
bool VornOBF_Import(TVornModel& board, const yaaf::XGFileSpecifier& source, const std::string& folder,
                    std::string& errorZ, const std::string& boardPath = std::string());

// The same over bytes in memory (for the fuzz targets): `name` is used in messages only.
bool VornOBF_ImportBytes(TVornModel& board, const std::string& bytes, const std::string& name,
                         const std::string& folder, std::string& errorZ,
                         const std::string& boardPath = std::string());
