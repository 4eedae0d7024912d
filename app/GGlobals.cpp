#include "GGlobals.h"

#include "CCheckVersion.h"
#include "CClipboard.h"
#include "CDo.h"
#include "CDocumentKinds.h"
#include "MemTracking.h"
#include "Utilities.h"
#include "XGAppCore.h"

GGlobals* g = nullptr;

namespace {
void Status(const char* line) {
    if (yaaf::gApplication) yaaf::gApplication->StatusInCopyright(line);
}

void Run(const std::function<void()>& fn) {
    if (fn) fn();
}
} // namespace

GGlobals::GGlobals() {
    CDocumentKinds& kinds = GetDocumentKinds();
    Status("Initializing Undo");
    gDo = new CDo();
    Status("Initializing Clipboard");
    gClipboard = new CClipboard();
    Status("Initializing Version Tracker");
    gCheckVersion = new CCheckVersion();
    Status("Initializing Vorn Tracker");
    Run(kinds.vornList.make);
    Status("Initializing Vorn Targets");
    Run(kinds.targetList.make);
    // The platform's file icons are looked up on demand; there is nothing to preallocate.
    Status("Initializing File Icons");
    Run(kinds.toolPalette.make);
    Status("Initializing Globals");
}

GGlobals::~GGlobals() {
    CDocumentKinds& kinds = GetDocumentKinds();
    // A worker still waiting on the server is stopped first, so that it ends while the rest
    // goes; quitting never waits out a silent server's timeouts.
    if (gCheckVersion) gCheckVersion->Cancel();
    Run(kinds.vornList.destroy);
    if (gCheckVersion) {
        delete gCheckVersion; // waits for the cancelled worker
        gCheckVersion = nullptr;
    }
    delete gClipboard;
    gClipboard = nullptr;
    delete gDo;
    gDo = nullptr;
    Run(kinds.targetList.destroy);
    Run(kinds.toolPalette.destroy);
    ReportTracking();
}

void GGlobals::Idle() {
    CDocumentKinds& kinds = GetDocumentKinds();
    Idle_DisposeSpeechChannel();
    if (gCheckVersion) gCheckVersion->Idle();
    if (gDo) gDo->Idle();
    Run(kinds.vornList.idle);
    Run(kinds.targetList.idle);
    Run(kinds.toolPalette.idle);
}
