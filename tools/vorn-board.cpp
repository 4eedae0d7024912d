// vorn-board: looks into and makes board files from the command line.
//
//   vorn-board dump FILE          the board as JSON on standard output
//   vorn-board make JSON OUT.2dv  a board file (version 5) from JSON of the same shape
//   vorn-board render FILE OUT [--go] [--size WxH] [--format png|pdf|svg]  the board drawn
//   vorn-board import KIND SOURCE OUT.2dv  items taken into OUT.2dv (made when missing)
//   vorn-board export FILE OUT    the board in the form OUT's extension names

#include "VornBoardTool.h"
#include "vorn_board_render.h"

#include "TVornModel.h"
#include "VornBoardJson.h"
#include "VornFileFormat.h"
#include "XGAlert.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace yaaf;

namespace {

const VornBoardSubcommand kSubcommands[] = {
    {"dump", "FILE", RunDump},
    {"make", "JSON OUT.2dv", RunMake},
    {"render", "FILE OUT [--go] [--size WIDTHxHEIGHT] [--format png|pdf|svg]", RunRender},
    {"import", "KIND SOURCE OUT.2dv  (KIND: folder, board, words, phrases, flowers, hts, picture, obf, obz)",
     RunImport},
    {"export", "FILE OUT.obf|OUT.obz|OUT.json|OUT.png|OUT.pdf|OUT.svg [--go] [--size WIDTHxHEIGHT]", RunExport},
};

} // namespace

void VornTool_PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage:\n");
    for (const VornBoardSubcommand& sub : kSubcommands)
        std::fprintf(out, "  vorn-board %s %s\n", sub.name, sub.usage);
}

// ---- shared ---------------------------------------------------------------------------------

std::unique_ptr<TVornModel> VornTool_LoadBoard(const std::string& path, std::string& errorZ, int* versionP) {
    const XGFileSpecifier spec(path);
    if (!spec.Exists() || spec.IsFolder()) {
        errorZ = path + ": no such board file";
        return nullptr;
    }
    XGFile file(spec);
    if (file.Open(XGFile::kRead) != 0) {
        errorZ = path + ": " + std::strerror(file.GetLastError());
        return nullptr;
    }
    uint8 version = 0;
    if (file.Read(1, &version) != 1) {
        errorZ = path + ": empty file";
        return nullptr;
    }
    auto board = std::make_unique<TVornModel>();
    if (!board->ReadModel(file)) {
        errorZ = path + ": not a readable board file (damaged or cut short)";
        return nullptr;
    }
    if (versionP) *versionP = version;
    return board;
}

bool VornTool_ReadFile(const std::string& path, std::vector<uint8>& out, std::string& errorZ) {
    const XGFileSpecifier spec(path);
    if (!spec.Exists() || spec.IsFolder()) {
        errorZ = path + ": no such file";
        return false;
    }
    XGFile file(spec);
    if (file.Open(XGFile::kRead) != 0) {
        errorZ = path + ": " + std::strerror(file.GetLastError());
        return false;
    }
    out.clear();
    uint8 buffer[65536];
    for (;;) {
        const int32 n = file.Read(int32(sizeof buffer), buffer);
        if (n <= 0) break;
        out.insert(out.end(), buffer, buffer + n);
    }
    return true;
}

bool VornTool_SaveBoard(TVornModel& board, const std::string& path, std::string& errorZ) {
    XGAtomicFile file{XGFileSpecifier(path)};
    int16 err = file.Open();
    if (err == 0 && !board.WriteModel(file)) err = file.GetLastError() ? file.GetLastError() : int16(EIO);
    if (err == 0) err = file.Commit();
    if (err != 0) {
        file.Abort();
        errorZ = path + ": cannot write: " + std::strerror(err);
        return false;
    }
    return true;
}

int RunDump(int argc, char** argv) {
    if (argc != 2) {
        VornTool_PrintUsage(stderr);
        return 2;
    }
    std::string error;
    int version = 0;
    std::unique_ptr<TVornModel> board = VornTool_LoadBoard(argv[1], error, &version);
    if (!board) {
        std::fprintf(stderr, "vorn-board: %s\n", error.c_str());
        return 1;
    }
    const std::string json = VornBoard_ToJson(*board, version).Write();
    std::fwrite(json.data(), 1, json.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int RunMake(int argc, char** argv) {
    if (argc != 3) {
        VornTool_PrintUsage(stderr);
        return 2;
    }
    std::vector<uint8> bytes;
    std::string error;
    if (!VornTool_ReadFile(argv[1], bytes, error)) {
        std::fprintf(stderr, "vorn-board: %s\n", error.c_str());
        return 1;
    }
    XGJson json;
    if (!XGJson::Parse(std::string(bytes.begin(), bytes.end()), json, error) || !json.IsObject()) {
        std::fprintf(stderr, "vorn-board: %s: not a JSON object (%s)\n", argv[1],
                     error.empty() ? "another value" : error.c_str());
        return 1;
    }
    TVornModel board;
    if (!VornBoard_FromJson(json, board, error)) {
        std::fprintf(stderr, "vorn-board: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    if (!VornTool_SaveBoard(board, argv[2], error)) {
        std::fprintf(stderr, "vorn-board: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    // Standard error is for this tool's own one-line reports; Qt's notes stay out of it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(msg));
    });
    // A tool draws nothing on a screen (fonts and pictures still work offscreen).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Questions a board would ask (the old-version note) have no one to answer here.
    XGScopedAlertResponder quiet([](const XGAlertRequest& r) { return r.cancelIndex; });
    // Reading never starts picture loads; render loads the pictures itself, with a bounded wait.
    VornFile_SetLoadPicturesOnRead(false);
    SetRenderBoardLoader([](const std::string& path, std::string& error) -> TVornModel* {
        return VornTool_LoadBoard(path, error).release();
    });

    if (argc < 2) {
        VornTool_PrintUsage(stderr);
        return 2;
    }
    for (const VornBoardSubcommand& sub : kSubcommands)
        if (std::strcmp(argv[1], sub.name) == 0) return sub.run(argc - 1, argv + 1);
    std::fprintf(stderr, "vorn-board: unknown command \"%s\"\n", argv[1]);
    VornTool_PrintUsage(stderr);
    return 2;
}
