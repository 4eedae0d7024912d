#include "BoardViewRegistration.h"

#include "BoardPrint.h"
#include "BoardWindow.h"
#include "CDocumentKinds.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VornBoardWindows.h"
#include "XGFileSpecifier.h"

using namespace yaaf;

void RegisterBoardWindows() {
    RegisterBoardWindowViews();
    InstallBoardWindowOps();
    InstallBoardPrinting();

    CDocumentKind& board = GetDocumentKinds().board;
    board.makeDocument = [] { return static_cast<XGDocument*>(new TVornModel()); };
    board.initNew = [](XGDocument*) { return true; };
    board.openFile = [](XGDocument* docP, const XGFileSpecifier& spec) {
        auto* vornP = static_cast<TVornModel*>(docP);
        if (!spec.IsFolder()) return vornP->DoOpenDocument(spec);
        // A folder opens as a board of its entries, named after the folder; saving it asks for a
        // board file, so the folder itself is never written over.
        if (!vornP->Import(Vorn_Import_FILE_SYSTEM, &spec)) return false;
        vornP->SetFile(spec);
        vornP->SetDirty(false);
        return true;
    };
    board.makeForm = [](XGDocument* docP) {
        return static_cast<XGDocForm*>(new TVornController(static_cast<TVornModel*>(docP)));
    };
    board.makeWindow = [](XGDocForm* formP) { return MakeBoardWindow(static_cast<TVornController*>(formP)); };
    board.printFile = [](const XGFileSpecifier& spec) { return PrintBoardFile(spec); };
}
