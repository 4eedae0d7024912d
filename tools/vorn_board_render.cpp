#include "vorn_board_render.h"

#include "TVornModel.h"
#include "VornExport.h"
#include "XGAlert.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace yaaf;

namespace {

VornRenderLoader s_loader = nullptr;

bool ParseSize(const char* text, int& width, int& height) {
    char x = 0;
    char rest = 0;
    if (std::sscanf(text, "%d%c%d%c", &width, &x, &height, &rest) != 3 || (x != 'x' && x != 'X'))
        return false;
    return width > 0 && height > 0 && width <= kVornExportMaxSide && height <= kVornExportMaxSide;
}

void Usage() {
    std::fprintf(stderr,
                 "usage: vorn-board render FILE OUT [--go] [--size WIDTHxHEIGHT] [--format png|pdf|svg]\n");
}

bool IsDrawing(VornExportFormat f) {
    return f == VornExportFormat::kPNG || f == VornExportFormat::kPDF || f == VornExportFormat::kSVG;
}

} // namespace

void SetRenderBoardLoader(VornRenderLoader loader) {
    s_loader = loader;
}

int RunRender(int argc, char** argv) {
    int first = 0;
    if (argc > 0 && std::strcmp(argv[0], "render") == 0) first = 1;
    std::vector<std::string> files;
    VornExportOptions options;
    VornExportFormat format = VornExportFormat::kNone;
    for (int i = first; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--go") {
            options.goB = true;
        } else if (arg == "--size") {
            if (i + 1 >= argc || !ParseSize(argv[i + 1], options.width, options.height)) {
                std::fprintf(stderr, "vorn-board render: --size wants WIDTHxHEIGHT (1 to %d each)\n",
                             kVornExportMaxSide);
                return 2;
            }
            ++i;
        } else if (arg == "--format") {
            if (i + 1 >= argc || !IsDrawing(format = VornExport_FormatFromName(argv[i + 1]))) {
                std::fprintf(stderr, "vorn-board render: --format wants png, pdf or svg\n");
                return 2;
            }
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "vorn-board render: unknown option %s\n", arg.c_str());
            Usage();
            return 2;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        Usage();
        return 2;
    }
    if (format == VornExportFormat::kNone) format = VornExport_FormatFromPath(files[1]);
    if (!IsDrawing(format)) format = VornExportFormat::kPNG;
    std::string error;
    if ((options.width > 0 || options.height > 0) &&
        !VornExport_CheckSize(options.width, options.height, error)) {
        std::fprintf(stderr, "vorn-board render: %s\n", error.c_str());
        return 1;
    }
    if (!s_loader) {
        std::fprintf(stderr, "vorn-board render: no board reader\n");
        return 1;
    }
    // Text needs a graphical application object; without a display the offscreen one serves.
    std::unique_ptr<QGuiApplication> appP;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int s_argc = 1;
        static char s_name[] = "vorn-board";
        static char* s_argv[] = {s_name, nullptr};
        appP = std::make_unique<QGuiApplication>(s_argc, s_argv);
    }
    std::unique_ptr<TVornModel> board(s_loader(files[0], error));
    if (!board) {
        std::fprintf(stderr, "vorn-board render: %s: %s\n", files[0].c_str(),
                     error.empty() ? "cannot read" : error.c_str());
        return 1;
    }
    // Messages the board would show in a dialog go to standard error.
    XGScopedAlertResponder alerts([](const XGAlertRequest& r) {
        std::fprintf(stderr, "vorn-board: %s%s%s\n", r.title.c_str(), r.title.empty() ? "" : ": ",
                     r.text.c_str());
        return r.cancelIndex;
    });
    if (!VornExport_Drawing(std::move(board), format, options, files[1], error)) {
        std::fprintf(stderr, "vorn-board render: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
