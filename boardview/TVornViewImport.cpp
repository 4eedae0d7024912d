#define VORN_UNIT "TVornView.cpp"
// File > Import: a file (or folder) is chosen in a dialog of the import type's title and filter,
// its items are added to the board, selected, and the whole import is one undoable step.
#include "TVornView.h"

#include "TVornModel.h"
#include "VornImport.h"
#include "VornTakeIn.h"
#include "XGFileDialog.h"
#include "XGFileSpecifier.h"

using namespace yaaf;

bool TVornView::ImportFile(Vorn_ImportType type, const XGFileSpecifier& source) {
    VornTakeInOptions options;
    options.undoNameZ = "Import Item(s)";
    // Items read before a failure (an HTS file cut inside a record) stay, and can be undone.
    options.keepPartialB = true;
    options.emptyIsStepB = true;
    const VornTakeInResult result =
        VornTakeIn(this, options, [&](TVornModel& board) { return board.Import(type, &source); });
    return result == VornTakeInResult::kDone;
}

int32 TVornView::DoImportCommand(int32 command) {
    char title[64] = "";
    const Vorn_ImportType type = Import_CmdToType(command, title);
    if (type == Vorn_Import_NONE) return kDispatchNotHandled;
    if (!Import_HasReader(type)) return kDispatchNotHandled;
    EndInPlaceEdit();
    const GSpec& spec = GetImportSpecification(type);
    XGFileSpecifier source;
    const bool chosenB = type == Vorn_Import_FILE_SYSTEM
                             ? XGChooseFolder(title, source)
                             : XGChooseOpenFile(title, {ImportFilterForDialog(spec.openFilter)}, source);
    if (chosenB) ImportFile(type, source);
    return kDispatchHandled;
}
