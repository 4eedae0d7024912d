#include "XGAppMultiWindow.h"

#include "XGIcons.h"
#include "XGMenuBar.h"
#include "XGToolbar.h"
#include "XGWindow.h"
#include "XGWindowFrame.h"

#include <QCloseEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QStatusBar>
#include <QString>

#include <algorithm>
#include <cctype>

namespace yaaf {

YAAF_DISPATCH_BEGIN(XGAppMultiWindow)
YAAF_DISPATCH_ENTRY('crew', XGAppMultiWindow, HandleCreate)
YAAF_DISPATCH_ENTRY('desw', XGAppMultiWindow, HandleDestroy)
YAAF_DISPATCH_ENTRY('namw', XGAppMultiWindow, HandleName)
YAAF_DISPATCH_ENTRY('post', XGAppMultiWindow, HandlePost)
YAAF_DISPATCH_END(XGAppMultiWindow, XGAppCore)

class XGMainFrame : public QMainWindow {
public:
    explicit XGMainFrame(XGAppMultiWindow* app) : fApp(app) {
        setAttribute(Qt::WA_DeleteOnClose);
        fArea = new QMdiArea(this);
        setCentralWidget(fArea);
        _GMdiArea = fArea;
        QObject::connect(fArea, &QMdiArea::subWindowActivated, fArea, [](QMdiSubWindow* sub) {
            if (auto* frame = dynamic_cast<XGSubWindow*>(sub); frame && frame->fWindow)
                frame->fWindow->BringToFront();
        });
    }

    ~XGMainFrame() override {
        if (_GMdiArea == fArea) _GMdiArea = nullptr;
        if (fApp) fApp->FrameGone();
    }

    XGAppMultiWindow* fApp;
    QMdiArea* fArea;

protected:
    void closeEvent(QCloseEvent* event) override {
        if (fApp && fApp->FrameCloseRequested())
            event->accept();
        else
            event->ignore();
    }
};

XGAppMultiWindow::XGAppMultiWindow(const std::string& appName) : fAppName(appName) {
    XGInstallPlatformLook();
    fFrame = new XGMainFrame(this);
    fFrame->setWindowIcon(XGAppIcon());
    fFrame->setWindowTitle(QString::fromStdString(appName));
    // A second instance finds the running one by this name.
    fFrame->setObjectName(QStringLiteral("_XGMain_") + QString::fromStdString(appName).toUpper());
    fFrame->resize(900, 650);
    fMyMenuBar = new XGMenuBar(fFrame);
    // The default layout of the framework; the application's own choice is loaded after the
    // first event, once it can answer for itself.
    if (fMyMenuBar->Load(XGAppMultiWindow::GetCurMBarResID())) fWindowListChanged = true;
    XGAccelerators::Load(128);
    fToolbar = new XGToolbar(fFrame);
    fToolbar->Load(128);
    fFrame->show();
    gSend.AddReceiver(this);
}

XGAppMultiWindow::~XGAppMultiWindow() {
    // Windows still open at the end go before the frame that holds them.
    while (!XGWindow::GetWindows().empty())
        delete XGWindow::GetWindows().front();
    delete fToolbar;
    fToolbar = nullptr;
    delete fMyMenuBar;
    fMyMenuBar = nullptr;
    if (fFrame) {
        XGMainFrame* frame = fFrame;
        fFrame = nullptr;
        frame->fApp = nullptr;
        delete frame;
    }
}

QMainWindow* XGAppMultiWindow::GetMainFrame() const {
    return fFrame;
}

void XGAppMultiWindow::ShowStatusMessage(const std::string& text) {
    if (!fFrame) return;
    QStatusBar* bar = fFrame->statusBar();
    bar->setAccessibleName(QStringLiteral("Status"));
    bar->showMessage(QString::fromStdString(text));
}

std::string XGAppMultiWindow::GetStatusMessage() const {
    if (!fFrame) return {};
    auto* bar = fFrame->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    return bar ? bar->currentMessage().toStdString() : std::string();
}

void XGAppMultiWindow::BringFrameToFront() {
    if (!fFrame) return;
    if (fFrame->isMinimized()) fFrame->showNormal();
    fFrame->show();
    fFrame->raise();
    fFrame->activateWindow();
}

int32 XGAppMultiWindow::GetCurMenu() const {
    auto* self = const_cast<XGAppMultiWindow*>(this);
    if (const int32 forced = self->GetOverrideMBarResID(); forced > 0) return forced;
    int32 id = -1;
    if (XGWindow* front = XGWindow::GetFrontWindow())
        id = front->GetMenuBarResID();
    else
        id = 0;
    if (id == 0) id = self->GetCurMBarResID();
    return id;
}

bool XGAppMultiWindow::SetMenuBar(int32 id) {
    if (!fMyMenuBar || !fMyMenuBar->Load(id)) return false;
    fWindowListChanged = true;
    return true;
}

void XGAppMultiWindow::FrameGone() {
    delete fToolbar;
    fToolbar = nullptr;
    delete fMyMenuBar;
    fMyMenuBar = nullptr;
    fFrame = nullptr;
    fQuitFlag = true;
}

bool XGAppMultiWindow::FrameCloseRequested() {
    return SendQuitQuery();
}

bool XGAppMultiWindow::IsListed(const XGWindow* window) {
    return window && (window->GetKindValue() & 0xF) == 0 &&
           !(window->GetAttributes() & kXGWindowAttr_Unlisted);
}

void XGAppMultiWindow::SortWindowList() {
    auto lowerName = [](const XGWindow* w) {
        std::string s = w->GetName();
        for (char& c : s)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    std::stable_sort(fWindowList.begin(), fWindowList.end(),
                     [&](const XGWindowListRecord& a, const XGWindowListRecord& b) {
                         if (a.window->GetAttributes() != b.window->GetAttributes())
                             return a.window->GetAttributes() < b.window->GetAttributes();
                         return lowerName(a.window) < lowerName(b.window);
                     });
    int16 digit = 1;
    int32 id = kXGWindowListFirstID;
    for (XGWindowListRecord& r : fWindowList) {
        if (IsListed(r.window) && id <= kXGWindowListLastID) {
            r.digit = digit <= 9 ? digit++ : int16(-1);
            r.commandID = id++;
        } else {
            r.digit = -1;
            r.commandID = -1;
        }
    }
    fWindowListChanged = true;
}

int32 XGAppMultiWindow::DoWindowCreate(int32, void* data) {
    auto* window = static_cast<XGWindow*>(data);
    if (!window) return kDispatchNotHandled;
    for (const XGWindowListRecord& r : fWindowList)
        if (r.window == window) return 1;
    fWindowList.push_back({-1, -1, window, nullptr});
    SortWindowList();
    return 1;
}

int32 XGAppMultiWindow::DoWindowDestroy(int32, void* data) {
    auto* window = static_cast<XGWindow*>(data);
    auto it = std::remove_if(fWindowList.begin(), fWindowList.end(),
                             [window](const XGWindowListRecord& r) { return r.window == window; });
    if (it != fWindowList.end()) {
        fWindowList.erase(it, fWindowList.end());
        SortWindowList();
    }
    return 1;
}

int32 XGAppMultiWindow::DoWindowName(int32, void*) {
    SortWindowList();
    return 1;
}

int32 XGAppMultiWindow::DoPostPeriodic() {
    if (!fMyMenuBar) return kDispatchHandled;
    const int32 want = GetCurMenu();
    if (want > 0 && want != fMyMenuBar->GetLoadedID()) SetMenuBar(want);
    if (fWindowListChanged) {
        fWindowListChanged = false;
        fMyMenuBar->RebuildWindowList(fWindowList, XGWindow::GetFrontWindow());
        fListedFront = XGWindow::GetFrontWindow();
    } else if (fListedFront != XGWindow::GetFrontWindow()) {
        fListedFront = XGWindow::GetFrontWindow();
        fMyMenuBar->RebuildWindowList(fWindowList, fListedFront);
    }
    fMyMenuBar->UpdateStatus();
    if (fToolbar) fToolbar->UpdateStatus();
    return kDispatchHandled;
}

int32 XGAppMultiWindow::DoMenuCommand(int32 command) {
    if (!fModalWindow && fFrame && _GMdiArea) {
        switch (command) {
        case kXGCmd_Tile:
            _GMdiArea->tileSubWindows();
            return kDispatchHandled;
        case kXGCmd_Cascade:
            _GMdiArea->cascadeSubWindows();
            return kDispatchHandled;
        case kXGCmd_ArrangeIcons:
            // Minimised child windows line up by themselves here.
            return kDispatchHandled;
        default:
            break;
        }
    }
    if (!fModalWindow && command >= kXGWindowListFirstID && command <= kXGWindowListLastID) {
        for (const XGWindowListRecord& r : fWindowList)
            if (r.commandID == command && r.window) {
                r.window->Select();
                return 1;
            }
        return kDispatchNotHandled;
    }
    return XGAppCore::DoMenuCommand(command);
}

int32 XGAppMultiWindow::DoGetMenuStatus(int32 command, XGSMenuStatus* status) {
    if (!fModalWindow && status &&
        (command == kXGCmd_Tile || command == kXGCmd_Cascade || command == kXGCmd_ArrangeIcons)) {
        status->enable = fFrame && _GMdiArea && !XGWindow::GetWindows().empty();
        return kDispatchHandled;
    }
    if (!fModalWindow && status && command >= kXGWindowListFirstID && command <= kXGWindowListLastID) {
        for (const XGWindowListRecord& r : fWindowList)
            if (r.commandID == command) {
                status->enable = true;
                status->check = r.window && r.window->IsFront();
                return 1;
            }
        return kDispatchNotHandled;
    }
    return XGAppCore::DoGetMenuStatus(command, status);
}

} // namespace yaaf
