#include "XGApplicationMain.h"

#include "XGAppCore.h"
#include "XGAssert.h"
#include "XGDebug.h"

#include <QApplication>

#include <memory>

namespace yaaf {

int XGApplicationMain(int argc, char** argv, const std::function<XGAppCore*()>& makeApp) {
    // QApplication keeps a reference to argc for its whole life.
    static int s_argc;
    s_argc = argc;
    try {
        QApplication platform(s_argc, argv);
        // Quitting is the application's decision (all windows closed), not the platform's.
        QApplication::setQuitOnLastWindowClosed(false);
        std::unique_ptr<XGAppCore> app(makeApp ? makeApp() : nullptr);
        if (!app) {
            YAAFInlineError_Dlg("a != NULL", "AppMain", 127);
            return 0;
        }
        app->Run();
        // The counterpart of Init: globals and the memory report, while the platform still runs.
        app->Destroy();
    } catch (...) {
        YAAFDebugError("Unknown exception caught before application core initialized");
    }
    return 0;
}

} // namespace yaaf
