#include "VornExportCommands.h"

#include "CItemArray.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornExport.h"
#include "VornFileFormat.h"
#include "VornOBF.h"
#include "VornTakeIn.h"
#include "XGAlert.h"
#include "XGFileDialog.h"
#include "XGFileSpecifier.h"
#include "XGSizeDialog.h"
#include "XGStdDialogs.h"

#include <algorithm>

using namespace yaaf;

namespace {

// How long an export waits for the pictures of the board's copy, in all.
constexpr int32 kPictureWaitMs = 10000;

struct ExportKind {
    int32 command;
    VornExportFormat format;
    const char* title;  // of the save dialog
    const char* filter; // the dialog's filter
};

const ExportKind kKinds[] = {
    {kVornCmd_ExportPNG, VornExportFormat::kPNG, "Export as PNG Picture", "PNG Pictures (*.png)"},
    {kVornCmd_ExportPDF, VornExportFormat::kPDF, "Export as PDF", "PDF Documents (*.pdf)"},
    {kVornCmd_ExportSVG, VornExportFormat::kSVG, "Export as SVG Picture", "SVG Pictures (*.svg)"},
    {kVornCmd_ExportJSON, VornExportFormat::kJSON, "Export as JSON", "JSON Documents (*.json)"},
    {kVornCmd_ExportOBF, VornExportFormat::kOBZ, "Export as Open Board Format",
     "Open Board Packages (*.obz)"},
};

const ExportKind* KindOf(int32 command) {
    for (const ExportKind& k : kKinds)
        if (k.command == command) return &k;
    return nullptr;
}

// The board's name with the export's extension in place of its own.
std::string DefaultName(TVornModel& board, const char* extension) {
    std::string name = board.GetDocumentName();
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name + "." + extension;
}

void Tell(const std::string& text) {
    XGAlertRequest alert;
    alert.kind = XGAlertKind::kError;
    alert.title = "Export";
    alert.text = text;
    XGShowAlert(alert);
}

void ImportOBF(CVornViewLink* viewP) {
    TVornModel* boardP = viewP ? viewP->GetVornModel() : nullptr;
    if (!boardP) return;
    viewP->EndInPlaceEdit();
    XGFileSpecifier source;
    if (!XGChooseOpenFile("Import Open Board Format", {"Open Board Format (*.obf *.obz)"}, source)) return;
    // Pictures and linked boards go beside the board, or beside what is imported for a board
    // not saved yet.
    const std::string beside = boardP->HasFile() ? boardP->GetFile().GetFullPath() : source.GetFullPath();
    const size_t slash = beside.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : beside.substr(0, std::max<size_t>(slash, 1));
    // One undoable step, as every import; what was taken in before a failure stays.
    std::string error;
    VornTakeInOptions options;
    options.undoNameZ = "Import Item(s)";
    options.keepPartialB = true;
    options.emptyIsStepB = true;
    const VornTakeInResult result = VornTakeIn(viewP, options, [&](TVornModel& board) {
        return VornOBF_Import(board, source, folder, error,
                              board.HasFile() ? board.GetFile().GetFullPath() : "");
    });
    if (result != VornTakeInResult::kDone)
        Tell("The board could not be imported: " +
             (error.empty() ? std::string("the items could not be added") : error) + ".");
}

} // namespace

bool VornExportCommand_IsExport(int32 command) {
    return KindOf(command) != nullptr || command == kVornCmd_ImportOBF;
}

bool VornExportCommand_Status(CVornViewLink* viewP, int32 command, XGSMenuStatus* statusP) {
    if (!VornExportCommand_IsExport(command) || !statusP) return false;
    if (command == kVornCmd_ImportOBF) {
        // Items are taken in only where they can be placed: in Edit Mode.
        statusP->enable =
            viewP && viewP->GetVornModel() && viewP->GetVornModel()->GetMode() == Vorn_Mode_EDIT;
        return true;
    }
    statusP->enable = viewP && viewP->GetVornModel();
    return true;
}

bool VornExportCommand_Run(CVornViewLink* viewP, int32 command) {
    if (command == kVornCmd_ImportOBF) {
        ImportOBF(viewP);
        return true;
    }
    const ExportKind* kind = KindOf(command);
    if (!kind) return false;
    TVornModel* boardP = viewP ? viewP->GetVornModel() : nullptr;
    if (!boardP) return true;
    viewP->EndInPlaceEdit();

    // Pictures: the size the window shows, or another one chosen before the file.
    VornExportOptions options;
    options.hideSelectionB = true;
    options.pictureWaitMs = kPictureWaitMs;
    options.goB = boardP->GetMode() == Vorn_Mode_GO;
    if (kind->format == VornExportFormat::kPNG || kind->format == VornExportFormat::kPDF ||
        kind->format == VornExportFormat::kSVG) {
        const tagRECT content = viewP->GetContentRect();
        options.width = std::max<int32>(content.Width(), 1);
        options.height = std::max<int32>(content.Height(), 1);
        if (!XGAskSize(kind->title, options.width, options.height, kVornExportMaxSide)) return true;
        std::string error;
        if (!VornExport_CheckSize(options.width, options.height, error)) {
            Tell("The board cannot be exported: " + error + ".");
            return true;
        }
    }

    XGSaveDialogSpec spec;
    spec.title = kind->title;
    spec.filters = {kind->filter};
    spec.defaultSuffix = VornExport_Extension(kind->format);
    XGFileSpecifier file;
    if (!XGRunSaveDialog(spec, DefaultName(*boardP, spec.defaultSuffix.c_str()), file)) return true;
    const std::string path = file.GetFullPath();

    std::string error;
    bool ok = false;
    switch (kind->format) {
    case VornExportFormat::kJSON:
        ok = VornExport_Json(*boardP, kVornFileVersion, path, error);
        break;
    case VornExportFormat::kOBZ:
    case VornExportFormat::kOBF:
        ok =
            VornOBF_Export(*boardP,
                           VornExport_FormatFromPath(path) == VornExportFormat::kOBF ? VornExportFormat::kOBF
                                                                                     : VornExportFormat::kOBZ,
                           path, error);
        break;
    default: {
        std::unique_ptr<TVornModel> copy = VornExport_CopyBoard(*boardP);
        if (!copy) {
            error = "the board could not be copied for drawing";
            break;
        }
        ok = VornExport_Drawing(std::move(copy), kind->format, options, path, error);
        break;
    }
    }
    if (!ok) Tell("The board could not be exported: " + error + ".");
    return true;
}
