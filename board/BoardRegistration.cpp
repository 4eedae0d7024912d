#include "BoardRegistration.h"

#include "CDocumentKinds.h"
#include "CVornList.h"
#include "VornBoardWindows.h"

using namespace yaaf;

void RegisterBoardDocuments() {
    CDocumentKinds& kinds = GetDocumentKinds();
    InstallBoardWindowOps();

    // Board windows come with the board view; until then only the filter is known.
    kinds.board.fileFilter = "Vorn Files (*.2dv)";

    kinds.vornList.make = [] { gVornListP = new CVornList(); };
    kinds.vornList.idle = [] {
        if (gVornListP) gVornListP->Idle();
    };
    kinds.vornList.destroy = [] {
        delete gVornListP;
        gVornListP = nullptr;
    };
    kinds.findOpenBoard = [](const XGFileSpecifier& spec) -> XGWindow* {
        return gVornListP ? gVornListP->IsFileOpen(&spec) : nullptr;
    };

    kinds.target.set = [](XGDocForm* formP) {
        if (gVornListP) gVornListP->SetTarget(formP);
    };
    kinds.target.isTarget = [](XGDocForm* formP) {
        return gVornListP && formP && gVornListP->GetSharedTarget() == formP;
    };
    kinds.target.remove = [](XGDocForm* formP) {
        if (gVornListP) gVornListP->RemoveTarget(formP);
    };
    kinds.target.moved = [](XGDocForm* formP) {
        if (gVornListP) gVornListP->UpdateNewTextPosPref(formP);
    };
}
