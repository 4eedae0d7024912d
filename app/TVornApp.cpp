#include "TVornApp.h"

#include "CVornPrefs.h"
#include "MemTracking.h"

TVornApp* gVornApp = nullptr;

YAAF_DISPATCH_BEGIN(TVornApp)
YAAF_DISPATCH_END(TVornApp, yaaf::XGAppMultiWindow)

TVornApp::TVornApp() : XGAppMultiWindow("Vorn") {
    StartTracking();
    // Loading the preferences opens the log when logging is on or Shift is held.
    gVornPrefsP = new CVornPrefs();
    gVornApp = this;
}

TVornApp::~TVornApp() {
    delete gVornPrefsP; // writes the preferences back
    gVornPrefsP = nullptr;
    if (gVornApp == this) gVornApp = nullptr;
}

void TVornApp::Init() {}
