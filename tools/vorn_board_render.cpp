#include "vorn_board_render.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornOffscreenView.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "XGAlert.h"
#include "XGPicture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace yaaf;

namespace {

VornRenderLoader s_loader = nullptr;

bool IsPictureItem(CVornItem* itemP) {
    const uint8 type = itemP->i_resource.source.content.type;
    return type == LinkType_PICT_FILE || type == LinkType_PICT_URL;
}

// Starts every picture load and waits for all of them, at most waitMs in all, then lets the
// board take the results over.
void LoadPictures(TVornModel* modelP, int waitMs) {
    CItemArray* listP = modelP->i_list;
    for (int32 i = 0; i < listP->Count(); ++i) {
        CVornItem* itemP = listP->GetIndItem(i);
        if (IsPictureItem(itemP) && !itemP->HasPicture()) itemP->CacheItem(false, false, 0);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        bool loading = false;
        for (int32 i = 0; i < listP->Count() && !loading; ++i)
            loading = listP->GetIndItem(i)->IsLoading();
        if (!loading || std::chrono::steady_clock::now() >= deadline) break;
        QThread::msleep(10);
    }
    modelP->Idle();
}

bool ParseSize(const char* text, int& width, int& height) {
    char x = 0;
    char rest = 0;
    if (std::sscanf(text, "%d%c%d%c", &width, &x, &height, &rest) != 3 || (x != 'x' && x != 'X'))
        return false;
    return width > 0 && height > 0 && width <= 16384 && height <= 16384;
}

void Usage() {
    std::fprintf(stderr, "usage: vorn-board render FILE OUT.png [--go] [--size WIDTHxHEIGHT]\n");
}

} // namespace

void SetRenderBoardLoader(VornRenderLoader loader) {
    s_loader = loader;
}

int RenderBoard(TVornModel* modelP, const VornRenderOptions& options, const std::string& outPath,
                std::string& error) {
    if (!modelP) {
        error = "no board";
        return 1;
    }
    int width = options.width;
    int height = options.height;
    if (width <= 0 || height <= 0) {
        const tagRECT windR = modelP->i_prefs.wind_edit.posR;
        width = windR.Width();
        height = windR.Height();
        if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
            width = 640;
            height = 480;
        }
    }

    // Messages the board would show in a dialog go to standard error.
    XGScopedAlertResponder alerts([](const XGAlertRequest& r) {
        std::fprintf(stderr, "vorn-board: %s%s%s\n", r.title.c_str(), r.title.empty() ? "" : ": ",
                     r.text.c_str());
        return r.cancelIndex;
    });

    auto viewP = std::make_unique<CVornOffscreenView>(width, height);
    if (!viewP->IsValid()) {
        delete modelP;
        error = "cannot allocate a picture of " + std::to_string(width) + "x" + std::to_string(height);
        return 1;
    }
    // A board stored in Go Mode opens in Edit Mode first, as its window does.
    if (modelP->i_prefs.mode != Vorn_Mode_EDIT) modelP->i_prefs.mode = Vorn_Mode_EDIT;
    std::unique_ptr<TVornController> controllerP(viewP->Attach(modelP));
    if (modelP->IsFlatColumns()) modelP->AutoLayout(false, Vorn_Mode_EDIT);
    LoadPictures(modelP, options.pictureWaitMs);
    if (modelP->IsFlatColumns()) modelP->AutoLayout(false, Vorn_Mode_EDIT);
    if (options.goB) modelP->SetGoMode(true);
    viewP->DrawBoard();

    const XGPicture* pictureP = viewP->GetPicture();
    QImage image = pictureP ? pictureP->GetImage().convertToFormat(QImage::Format_RGB32) : QImage();
    // The board goes before its view (the form deletes it).
    controllerP.reset();
    viewP.reset();
    if (image.isNull()) {
        error = "nothing was drawn";
        return 1;
    }
    QImageWriter writer(QString::fromStdString(outPath), "png");
    if (!writer.write(image)) {
        error = "cannot write " + outPath + ": " + writer.errorString().toStdString();
        return 1;
    }
    return 0;
}

int RunRender(int argc, char** argv) {
    int first = 0;
    if (argc > 0 && std::strcmp(argv[0], "render") == 0) first = 1;
    std::vector<std::string> files;
    VornRenderOptions options;
    for (int i = first; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--go") {
            options.goB = true;
        } else if (arg == "--size") {
            if (i + 1 >= argc || !ParseSize(argv[i + 1], options.width, options.height)) {
                std::fprintf(stderr, "vorn-board render: --size wants WIDTHxHEIGHT (1 to 16384 each)\n");
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
    std::string error;
    TVornModel* modelP = s_loader(files[0], error);
    if (!modelP) {
        std::fprintf(stderr, "vorn-board render: %s: %s\n", files[0].c_str(),
                     error.empty() ? "cannot read" : error.c_str());
        return 1;
    }
    if (RenderBoard(modelP, options, files[1], error) != 0) {
        std::fprintf(stderr, "vorn-board render: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
