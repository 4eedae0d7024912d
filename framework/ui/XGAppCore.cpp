#include "XGAppCore.h"

#include "XGAlert.h"
#include "XGAlertBox.h"
#include "XGAssert.h"
#include "XGDebug.h"
#include "XGHeader.h"
#include "XGListControl.h"
#include "XGMenuBar.h"
#include "XGPopControl.h"
#include "XGScrollView.h"
#include "XGSplash.h"
#include "XGView.h"
#include "XGViewFactory.h"
#include "XGWindow.h"
#include "XGWindowFactory.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QSessionManager>
#include <QTimer>
#include <QWidget>

#include <exception>

namespace yaaf {

XGAppCore* gApplication = nullptr;

YAAF_DISPATCH_BEGIN(XGAppCore)
YAAF_DISPATCH_ENTRY('qapp', XGAppCore, HandleQuit)
YAAF_DISPATCH_ENTRY('menu', XGAppCore, HandleMenu)
YAAF_DISPATCH_ENTRY('stat', XGAppCore, HandleStatus)
YAAF_DISPATCH_END(XGAppCore, XGDispatch)

// The platform side of the run loop: the timer that keeps it ticking and the filter that sees
// each input event before standard handling.
struct XGAppCorePlatform : public QObject {
    explicit XGAppCorePlatform(XGAppCore* app) : fApp(app) {
        fTimer.setInterval(50);
        QObject::connect(&fTimer, &QTimer::timeout, [] {});
        fTimer.start();
        if (QCoreApplication* qapp = QCoreApplication::instance()) qapp->installEventFilter(this);
#if QT_CONFIG(sessionmanager)
        // The desktop's log-out question: asked as quitting is, and refused where the desktop
        // allows a refusal (only while the application may talk to the user).
        if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QObject::connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
                const bool interact = manager.allowsInteraction();
                if (!fApp->QueryEndSession(interact) && interact) manager.cancel();
                if (interact) manager.release();
            });
#endif
    }

    ~XGAppCorePlatform() override {
        fTimer.stop();
        if (QCoreApplication* qapp = QCoreApplication::instance()) qapp->removeEventFilter(this);
    }

    bool eventFilter(QObject* object, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Quit:
            // The end of the platform's message stream.
            fApp->fQuitFlag = true;
            return false;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            break;
        default:
            return false;
        }
        if (!object->isWidgetType()) return false;
        // An event that travels up to the enclosing widgets passes here again; once is enough.
        // The platform builds its input events in the same place each time, so the address alone
        // does not tell a travelling event from the next one: only an enclosing widget of the
        // first receiver sees the same event again.
        QWidget* widget = static_cast<QWidget*>(object);
        if (event == fLastEvent && event->type() == fLastType && fLastTarget && widget != fLastTarget &&
            widget->isAncestorOf(fLastTarget))
            return false;
        fLastEvent = event;
        fLastType = event->type();
        fLastTarget = widget;
        XGWindow* owner = XGWindow::FromWidget(static_cast<QWidget*>(object));
        // The accelerators come first, but only for the main frame and the document windows:
        // the keys of a platform dialog are the dialog's.
        if (event->type() == QEvent::KeyPress && !QApplication::activeModalWidget()) {
            QWidget* top = static_cast<QWidget*>(object)->window();
            const bool ours = owner || (top && top->objectName().startsWith(QStringLiteral("_XGMain_")));
            if (ours && XGAccelerators::TranslateKey(static_cast<QKeyEvent*>(event))) return true;
        }
        fApp->fEventOwner = owner;
        if (fApp->FilterEvent(event)) return true;
        return XGDispatch::SendDispatch('even', 0, event) == 1;
    }

    XGAppCore* fApp;
    QTimer fTimer;
    const QEvent* fLastEvent = nullptr;
    QEvent::Type fLastType = QEvent::None;
    QPointer<QWidget> fLastTarget;
};

XGAppCore::XGAppCore() {
    YAAF_ASSERT_DLG(gApplication == NULL);
    gApplication = this;
    gAppDispatch = this;
    XGInstallAlertBoxes();
    _GFocusFallback = this;
    fPlatform = std::make_unique<XGAppCorePlatform>(this);
    XGWindowFactory::Register('wind', [](XGForm* form) { return new XGWindow(form); });
    XGViewFactory::Register('view', [] { return new XGView('view'); });
    XGViewFactory::Register<XGScrollView>('scrv');
    XGViewFactory::Register<XGHeader>('head');
    XGViewFactory::Register<XGListControl>('list');
    XGViewFactory::Register<XGPopControl>('popm');
}

XGAppCore::~XGAppCore() {
    fPlatform.reset();
    if (gApplication == this) gApplication = nullptr;
    if (gAppDispatch == this) gAppDispatch = nullptr;
}

void XGAppCore::PreEvent() {
    XGPeriodic::SendPeriodic(false);
    gSend.SendMessage('pree', 0, nullptr);
    SendDispatch('peri', 0, nullptr);
}

void XGAppCore::PostEvent() {
    // Views deleted from inside their own event handling go now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    AdjustFocus();
    XGEventTrigger::Periodic();
    XGSendPostedBroadcasts();
    gSend.SendMessage('post', 0, nullptr);
    XGPeriodic::SendPeriodic(true);
}

void XGAppCore::RunOnce(XGWindow* modalWindow) {
    XGWindow* const previousModal = fModalWindow;
    fModalWindow = modalWindow;
    struct Restore {
        XGAppCore* app;
        XGWindow* modal;
        ~Restore() { app->fModalWindow = modal; }
    } restore{this, previousModal};

    PreEvent();
    if (fFirstIdle && !modalWindow) {
        QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
        const bool busy = dispatcher && dispatcher->processEvents(QEventLoop::AllEvents);
        fEventOwner = nullptr;
        PostEvent();
        if (!busy) {
            std::function<void()> handler = std::move(fFirstIdle);
            fFirstIdle = nullptr;
            handler();
        }
        return;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    fEventOwner = nullptr;
    PostEvent();
}

void XGAppCore::AdjustFocus() {
    XGWindow* front = fModalWindow ? fModalWindow : XGWindow::GetFrontWindow();
    if (!front) {
        // Only a focus inside some window is stale without a front window.
        auto* view = dynamic_cast<XGView*>(gFocus);
        if ((view && view->GetWindow()) || dynamic_cast<XGWindow*>(gFocus) || !gFocus) SetFocus();
        return;
    }
    if (gFocus == front) return;
    if (auto* view = dynamic_cast<XGView*>(gFocus); view && view->GetWindow() == front) return;
    front->RestoreFocus();
}

bool XGAppCore::CloseAllWindows() {
    while (!XGWindow::GetWindows().empty()) {
        XGWindow* front = XGWindow::GetFrontWindow();
        if (!front) front = XGWindow::GetWindows().front();
        if (!front->Close()) return false;
    }
    return true;
}

void XGAppCore::ShowCopyright() {
    XGSplash::ShowUntilInput(fSplashTitle);
}

void XGAppCore::OpenCopyright() {
    // A splash of no time would only flash: it is not made at all, and its status lines go
    // nowhere.
    if (fSplashMinimumMs <= 0) return;
    XGSplash::Open(fSplashTitle, fSplashMinimumMs);
}

void XGAppCore::CloseCopyright() {
    XGSplash::Close();
}

void XGAppCore::StatusInCopyright(const char* line) {
    XGSplash::Status(line ? line : "");
}

void XGAppCore::Run() {
    OpenCopyright();
    fQuitFlag = false;
    try {
        Init();
    } catch (...) {
        XGShowAlert({XGAlertKind::kError, "Error:", "Uncaught exception in event loop", {}, 0, 0});
    }
    CloseCopyright();
    try {
        AdjustFocus();
        OpenArguments();
        PostEvent();
    } catch (...) {
        XGShowAlert({XGAlertKind::kError, "Error:", "Uncaught exception in event loop", {}, 0, 0});
    }

    for (;;) {
        while (!fQuitFlag) {
            try {
                RunOnce(nullptr);
            } catch (const std::exception& e) {
                YAAFDebugError("Uncaught exception caught in YAAF event loop (%s)", e.what());
            } catch (...) {
                YAAFDebugError("Uncaught exception caught in YAAF event loop");
            }
        }
        try {
            if (CloseAllWindows()) return;
            fQuitFlag = false; // a window refused: keep running
        } catch (...) {
            XGShowAlert({XGAlertKind::kError, "Error:", "Uncaught exception while quitting", {}, 0, 0});
            fQuitFlag = false;
        }
    }
}

int32 XGAppCore::DoQuitApplication(int32, void*) {
    if (!CloseAllWindows()) return kDispatchNotHandled;
    Exit();
    return kDispatchHandled;
}

bool XGAppCore::SendQuitQuery() {
    int32 result = SendDispatch('qapp');
    if (result == kDispatchNotHandled && !gFocus) result = DoDispatch('qapp', 0, nullptr, true);
    return result != kDispatchNotHandled && XGWindow::GetWindows().empty();
}

bool XGAppCore::QueryEndSession(bool mayInteract) {
    if (!mayInteract) return true;
    return SendQuitQuery();
}

int32 XGAppCore::DoMenuCommand(int32 command) {
    if (fModalWindow) return kDispatchNotHandled;
    switch (command) {
    case kXGCmd_About:
        ShowCopyright();
        return kDispatchHandled;
    case kXGCmd_Exit:
        SendQuitQuery();
        return kDispatchHandled;
    case kXGCmd_Close:
        if (XGWindow* front = XGWindow::GetFrontWindow()) front->Close();
        return kDispatchHandled;
    default:
        return kDispatchNotHandled;
    }
}

int32 XGAppCore::DoGetMenuStatus(int32 command, XGSMenuStatus* status) {
    if (fModalWindow || !status) return kDispatchNotHandled;
    switch (command) {
    case kXGCmd_About:
    case kXGCmd_Exit:
        status->enable = true;
        return kDispatchHandled;
    case kXGCmd_Close:
        status->enable = XGWindow::GetFrontWindow() != nullptr;
        return kDispatchHandled;
    default:
        return kDispatchNotHandled;
    }
}

} // namespace yaaf
