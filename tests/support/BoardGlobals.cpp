#include "BoardGlobals.h"

#include "CDo.h"
#include "CVornList.h"
#include "VornBoardWindows.h"
#include "VornFileFormat.h"

namespace vorntest {

BoardGlobals::BoardGlobals() : BoardGlobals(Options{}) {}

BoardGlobals::BoardGlobals(Options options)
    : fPreviousList(gVornListP), fPreviousDo(gDo), fPreviousLoad(VornFile_GetLoadPicturesOnRead()) {
    // Boards in test windows use them as in the program.
    InstallBoardWindowOps();
    fList = std::make_unique<CVornList>();
    gVornListP = fList.get();
    if (options.undo) {
        fDo = std::make_unique<CDo>();
        gDo = fDo.get();
    }
    VornFile_SetLoadPicturesOnRead(options.loadPicturesOnRead);
}

BoardGlobals::~BoardGlobals() {
    VornFile_SetLoadPicturesOnRead(fPreviousLoad);
    if (fDo) {
        gDo = fPreviousDo;
        fDo.reset();
    }
    gVornListP = fPreviousList;
    fList.reset();
}

} // namespace vorntest
