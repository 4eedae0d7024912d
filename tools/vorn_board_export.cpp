// vorn-board export FILE.2dv OUT [--go] [--size WIDTHxHEIGHT]: the board written in the form
// OUT's extension names (obf, obz, json, png, pdf, svg).

#include "VornBoardTool.h"
#include "vorn_board_render.h"

#include "TVornModel.h"
#include "VornExport.h"
#include "VornOBF.h"
#include "XGFileSpecifier.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace yaaf;

int RunExport(int argc, char** argv) {
    if (argc < 3) {
        VornTool_PrintUsage(stderr);
        return 2;
    }
    const std::string out = argv[2];
    const VornExportFormat format = VornExport_FormatFromPath(out);
    if (format == VornExportFormat::kPNG || format == VornExportFormat::kPDF ||
        format == VornExportFormat::kSVG) {
        // Pictures are drawn as render draws them, with its options.
        std::vector<char*> args(argv, argv + argc);
        args[0] = const_cast<char*>("render");
        return RunRender(int(args.size()), args.data());
    }
    if (argc != 3) {
        VornTool_PrintUsage(stderr);
        return 2;
    }
    if (format == VornExportFormat::kNone) {
        std::fprintf(stderr, "vorn-board: %s: the name must end in .obf, .obz, .json, .png, .pdf or .svg\n",
                     out.c_str());
        return 2;
    }
    std::string error;
    int version = 0;
    std::unique_ptr<TVornModel> board = VornTool_LoadBoard(argv[1], error, &version);
    if (!board) {
        std::fprintf(stderr, "vorn-board: %s\n", error.c_str());
        return 1;
    }
    // Its own name, so that boards that link back to it are known as this one.
    board->SetFile(XGFileSpecifier(argv[1]));
    const bool ok = format == VornExportFormat::kJSON ? VornExport_Json(*board, version, out, error)
                                                      : VornOBF_Export(*board, format, out, error);
    if (!ok) {
        std::fprintf(stderr, "vorn-board: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
