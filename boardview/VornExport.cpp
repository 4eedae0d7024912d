#include "VornExport.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornOffscreenView.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VornBoardJson.h"
#include "VornFileFormat.h"
#include "XGExportTarget.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <thread>

using namespace yaaf;

namespace {

struct FormatName {
    VornExportFormat format;
    const char* name;
};
const FormatName kFormats[] = {
    {VornExportFormat::kPNG, "png"},   {VornExportFormat::kPDF, "pdf"}, {VornExportFormat::kSVG, "svg"},
    {VornExportFormat::kJSON, "json"}, {VornExportFormat::kOBF, "obf"}, {VornExportFormat::kOBZ, "obz"},
};

bool IsPictureItem(CVornItem* itemP) {
    const uint8 type = itemP->i_resource.source.content.type;
    return type == LinkType_PICT_FILE || type == LinkType_PICT_URL;
}

// Starts every picture load and waits for all of them, at most waitMs in all, then lets the
// board take the results over.
void LoadPictures(TVornModel& board, int32 waitMs) {
    CItemArray* listP = board.i_list;
    for (int32 i = 0; i < listP->Count(); ++i) {
        CVornItem* itemP = listP->GetIndItem(i);
        if (IsPictureItem(itemP) && !itemP->HasPicture() && !itemP->IsLoading())
            itemP->CacheItem(false, false, 0);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        bool loading = false;
        for (int32 i = 0; i < listP->Count() && !loading; ++i)
            loading = listP->GetIndItem(i)->IsLoading();
        if (!loading || std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    board.Idle();
}

// The heights of the bands a picture is drawn in for encoding: a thin first one, so that the
// encoding starts soon, a few even ones, and a thin last one, as only the encoding of the last
// waits after the drawing. Each band boundary draws the items across it twice, so there are few.
std::vector<int32> BandHeights(int32 height) {
    constexpr int32 kEvenBands = 5;
    constexpr int32 kMinRows = 64;
    if (height < kMinRows * (kEvenBands + 2)) return {height};
    const int32 thin = height / 16;
    std::vector<int32> rows{thin};
    rows.insert(rows.end(), kEvenBands, (height - 2 * thin) / kEvenBands);
    rows.back() += (height - 2 * thin) % kEvenBands;
    rows.push_back(thin);
    return rows;
}

} // namespace

VornExportFormat VornExport_FormatFromName(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const FormatName& f : kFormats)
        if (lower == f.name) return f.format;
    return VornExportFormat::kNone;
}

VornExportFormat VornExport_FormatFromPath(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return VornExportFormat::kNone;
    return VornExport_FormatFromName(path.substr(dot + 1));
}

const char* VornExport_Extension(VornExportFormat format) {
    for (const FormatName& f : kFormats)
        if (f.format == format) return f.name;
    return "";
}

bool VornExport_CheckSize(int32 width, int32 height, std::string& errorZ) {
    if (width < 1 || height < 1 || width > kVornExportMaxSide || height > kVornExportMaxSide) {
        errorZ = "a drawing must be 1 to " + std::to_string(kVornExportMaxSide) + " pixels each way (not " +
                 std::to_string(width) + "x" + std::to_string(height) + ")";
        return false;
    }
    if (int64(width) * height > kVornExportMaxPixels) {
        errorZ = std::to_string(width) + "x" + std::to_string(height) + " is " +
                 std::to_string(int64(width) * height) + " pixels, more than an export may have (" +
                 std::to_string(kVornExportMaxPixels) + ", e.g. 8192x8192); choose a smaller size";
        return false;
    }
    return true;
}

bool VornExport_WriteFile(const std::string& path, const std::vector<uint8>& bytes, std::string& errorZ) {
    XGAtomicFile file{XGFileSpecifier(path)};
    int16 err = file.Open();
    if (err == 0 && !bytes.empty() && file.Write(int32(bytes.size()), bytes.data()) != int32(bytes.size()))
        err = file.GetLastError() ? file.GetLastError() : int16(EIO);
    if (err == 0) err = file.Commit();
    if (err != 0) {
        file.Abort();
        errorZ = path + ": cannot write: " + std::strerror(err);
        return false;
    }
    return true;
}

std::unique_ptr<TVornModel> VornExport_CopyBoard(TVornModel& board) {
    CVornMemoryStream out;
    if (!board.WriteModel(out)) return nullptr;
    CVornMemoryStream in(out.Data().data(), out.Data().size());
    auto copy = std::make_unique<TVornModel>();
    if (!copy->ReadModel(in)) return nullptr;
    return copy;
}

bool VornExport_Render(CVornOffscreenView& view, TVornModel& board, VornExportFormat format,
                       std::vector<uint8>& out, std::string& errorZ) {
    if (format == VornExportFormat::kPNG) {
        const XGPicture* pictureP = view.GetPicture();
        if (!pictureP) {
            errorZ = "nothing was drawn";
            return false;
        }
        // Encoded while it is drawn: band after band in Edit Mode, which draws only the items
        // that reach into a band (Go Mode draws every item whatever the band).
        XGPictureEncoder encoder(*pictureP);
        const tagRECT content = view.GetContentRect();
        if (board.GetMode() == Vorn_Mode_GO) {
            view.DrawBoard();
        } else {
            int32 top = content.top;
            for (const int32 rows : BandHeights(content.Height())) {
                view.DrawBand(tagRECT{content.left, top, content.right, top + rows});
                top += rows;
                encoder.RowsDone(top - content.top);
            }
        }
        return encoder.Finish(out, errorZ);
    }
    if (format != VornExportFormat::kPDF && format != VornExportFormat::kSVG) {
        errorZ = "not a drawing format";
        return false;
    }
    const tagRECT content = view.GetContentRect();
    XGVectorPage page(format == VornExportFormat::kPDF ? XGVectorFormat::kPDF : XGVectorFormat::kSVG,
                      content.Width(), content.Height(), board.GetDocumentName());
    if (XGDraw* drawP = page.GetDraw()) {
        // The page shows the board from its origin, as a print does.
        const tagRECT all{-32000, -32000, 32000, 32000};
        // The page's edges clip a drawing that starts at its corner; a clip of its own would be
        // written again with every item's.
        const bool clipB = content.left != 0 || content.top != 0;
        if (clipB) drawP->SetBaseClip(content);
        board.Draw(drawP, &all, Vorn_Mode_NONE);
        if (clipB) drawP->ClearBaseClip();
    }
    return page.Finish(out, errorZ);
}

bool VornExport_Drawing(std::unique_ptr<TVornModel> board, VornExportFormat format,
                        const VornExportOptions& options, const std::string& outPath, std::string& errorZ) {
    if (!board) {
        errorZ = "no board";
        return false;
    }
    int32 width = options.width, height = options.height;
    if (width <= 0 || height <= 0) {
        const tagRECT windR = board->i_prefs.wind_edit.posR;
        width = windR.Width();
        height = windR.Height();
        std::string ignored;
        if (!VornExport_CheckSize(width, height, ignored)) {
            width = 640;
            height = 480;
        }
    }
    if (!VornExport_CheckSize(width, height, errorZ)) return false;

    auto view = std::make_unique<CVornOffscreenView>(width, height);
    if (!view->IsValid()) {
        errorZ = "cannot allocate a picture of " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    TVornModel* modelP = board.release(); // the form owns it from here
    // A board stored in Go Mode is laid out in Edit Mode first, as its window does.
    modelP->i_prefs.mode = Vorn_Mode_EDIT;
    std::unique_ptr<TVornController> controller(view->Attach(modelP));
    if (options.hideSelectionB) modelP->SelectAll(false);
    if (modelP->IsFlatColumns()) modelP->AutoLayout(false, Vorn_Mode_EDIT);
    LoadPictures(*modelP, options.pictureWaitMs);
    if (modelP->IsFlatColumns()) modelP->AutoLayout(false, Vorn_Mode_EDIT);
    if (options.goB) modelP->SetGoMode(true);

    std::vector<uint8> bytes;
    const bool ok = VornExport_Render(*view, *modelP, format, bytes, errorZ);
    // The board goes (with its form) before the view it draws through.
    controller.reset();
    view.reset();
    return ok && VornExport_WriteFile(outPath, bytes, errorZ);
}

bool VornExport_Json(TVornModel& board, int version, const std::string& outPath, std::string& errorZ) {
    const std::string text = VornBoard_ToJson(board, version).Write();
    return VornExport_WriteFile(outPath, std::vector<uint8>(text.begin(), text.end()), errorZ);
}
