#pragma once
// The application running inside a test program, for test classes to derive from: started once
// (after the test has registered its document kinds) with the version check sent to a closed
// port, its run loop turned by hand, and every window closed without saving between tests.

#include "AlertRecorder.h"
#include "CVornPrefs.h"
#include "TVornApp.h"
#include "XGDocument.h"
#include "XGWindow.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace vorntest {

class RunningApp {
protected:
    void StartApp() {
        qputenv("VORN_UPDATE_SERVER", "127.0.0.1:1");
        fApp = new TVornApp();
        // A run that failed half-way may have kept a reduced menu bar in the settings.
        gVornPrefsP->i_prefs.b.player_onlyB = false;
        fApp->Init();
        Settle();
    }
    void StopApp() {
        if (fApp) CloseAll();
        delete fApp;
        fApp = nullptr;
    }
    // As the run loop goes on after the event that opened a window: that event's post-event
    // pass, then a few more events.
    void Settle(int rounds = 3) {
        fApp->PostEvent();
        for (int i = 0; i < rounds; ++i) {
            fApp->PreEvent();
            QCoreApplication::processEvents();
            fApp->PostEvent();
        }
    }
    void CloseAll() {
        AlertRecorder dontSave(0);
        for (yaaf::XGWindow* w : yaaf::XGWindow::GetWindows())
            if (yaaf::XGDocument* doc = w->GetDocument()) doc->SetDirty(false);
        while (!yaaf::XGWindow::GetWindows().empty())
            delete yaaf::XGWindow::GetWindows().front();
        Settle();
    }
    QString Path(const char* name) const { return fDir.filePath(name); }

    TVornApp* fApp = nullptr;
    QTemporaryDir fDir;
};

} // namespace vorntest
