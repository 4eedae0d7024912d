#include "BoardViewRegistration.h"

#include "BoardPrint.h"
#include "BoardWindow.h"
#include "CDocumentKinds.h"
#include "TVornController.h"
#include "TVornModel.h"

using namespace yaaf;

void RegisterBoardWindows() {
    RegisterBoardWindowViews();

    CDocumentKind& board = GetDocumentKinds().board;
    board.makeDocument = [] { return static_cast<XGDocument*>(new TVornModel()); };
    board.initNew = [](XGDocument*) { return true; };
    board.openFile = [](XGDocument* docP, const XGFileSpecifier& spec) {
        return static_cast<TVornModel*>(docP)->DoOpenDocument(spec);
    };
    board.makeForm = [](XGDocument* docP) {
        return static_cast<XGDocForm*>(new TVornController(static_cast<TVornModel*>(docP)));
    };
    board.makeWindow = [](XGDocForm* formP) { return MakeBoardWindow(static_cast<TVornController*>(formP)); };
    board.printFile = [](const XGFileSpecifier& spec) { return PrintBoardFile(spec); };
}
