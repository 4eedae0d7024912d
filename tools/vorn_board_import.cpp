// vorn-board import KIND SOURCE OUT.2dv: the import of the board menus, from a script.

#include "VornBoardTool.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornOffscreenView.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VornImport.h"
#include "VornOBF.h"
#include "XGFileSpecifier.h"

#include <cstdio>
#include <memory>
#include <string>

using namespace yaaf;

namespace {

// Picture items take their size from their picture: the loads end before the board is written.
void FinishPictureLoads(TVornModel& board) {
    CItemArray* list = board.i_list;
    for (int32 i = 0; list && i < list->Count(); ++i)
        list->GetIndItem(i)->WaitForLoader();
    // Only the items that loaded wait in the board's idle list; the others have nothing to take.
    board.Idle();
}

// The folder of the board written, where an import's pictures and linked boards go.
std::string OutFolder(const std::string& out) {
    const size_t slash = out.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : out.substr(0, slash);
}

} // namespace

int RunImport(int argc, char** argv) {
    if (argc != 4) {
        VornTool_PrintUsage(stderr);
        return 2;
    }
    const std::string kind = argv[1], source = argv[2], out = argv[3];
    // The Open Board Format (a board or a package; the contents tell which) has its own reader.
    const bool obfB = kind == "obf" || kind == "obz";
    const Vorn_ImportType type = obfB ? Vorn_Import_NONE : ImportTypeFromName(kind);
    if (!obfB && type == Vorn_Import_NONE) {
        std::fprintf(stderr,
                     "vorn-board: unknown import kind \"%s\" (folder, board, words, phrases, flowers, hts, picture, "
                     "obf, obz)\n",
                     kind.c_str());
        return 2;
    }
    const XGFileSpecifier sourceSpec(source);
    if (!sourceSpec.Exists()) {
        std::fprintf(stderr, "vorn-board: %s: no such file or folder\n", source.c_str());
        return 1;
    }

    // Into the board OUT.2dv when there is one, as the menu command appends to an open board.
    std::unique_ptr<TVornModel> board;
    std::string error;
    if (XGFileSpecifier(out).Exists()) {
        board = VornTool_LoadBoard(out, error);
        if (!board) {
            std::fprintf(stderr, "vorn-board: %s\n", error.c_str());
            return 1;
        }
    } else {
        board = std::make_unique<TVornModel>();
    }

    // The new items are measured and placed as in a window of the board's size: without a view
    // they would keep no size, and a freeform board would show nothing.
    const tagRECT windR = board->i_prefs.wind_edit.posR;
    const bool sizedB = windR.Width() > 0 && windR.Height() > 0 && windR.Width() <= 16384 && windR.Height() <= 16384;
    CVornOffscreenView view(sizedB ? windR.Width() : 640, sizedB ? windR.Height() : 480);
    TVornModel& boardRef = *board;
    std::unique_ptr<TVornController> controller(view.Attach(board.release())); // owns the board now

    std::string obfError;
    const bool ok = obfB ? VornOBF_Import(boardRef, sourceSpec, OutFolder(out), obfError, XGFileSpecifier(out).GetFullPath())
                         : boardRef.Import(type, &sourceSpec);
    FinishPictureLoads(boardRef);
    // What was taken in before a failure is kept, as on screen.
    const bool savedB = VornTool_SaveBoard(boardRef, out, error);
    controller.reset(); // the board goes before the view it was laid out in
    if (!savedB) {
        std::fprintf(stderr, "vorn-board: %s\n", error.c_str());
        return 1;
    }
    if (!ok && !obfError.empty()) {
        std::fprintf(stderr, "vorn-board: %s\n", obfError.c_str());
        return 1;
    }
    if (!ok) {
        std::fprintf(stderr, "vorn-board: %s: cannot be imported as %s (unreadable, damaged or cut short)\n",
                     source.c_str(), kind.c_str());
        return 1;
    }
    return 0;
}
