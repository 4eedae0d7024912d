#include "XGWindowFrame.h"

#include "XGIcons.h"
#include "XGWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QVBoxLayout>

namespace yaaf {

QMdiArea* _GMdiArea = nullptr;

namespace {

// Counts the frame's event handling, so that a window closed from inside it is deleted later.
struct EventDepth {
    explicit EventDepth(XGWindowFrame* f) : frame(f) { ++frame->fEventDepth; }
    ~EventDepth() { --frame->fEventDepth; }
    XGWindowFrame* frame;
};

} // namespace

XGWindowFrame* XGWindowFrame::Make(XGWindow* window) {
    if (_GMdiArea) {
        auto* sub = new XGSubWindow(window);
        _GMdiArea->addSubWindow(sub);
        sub->hide();
        return sub;
    }
    auto* top = new XGTopWindow(window);
    top->hide();
    return top;
}

void XGWindowFrame::Dispose() {
    QWidget* w = Widget();
    fWindow = nullptr;
    if (fEventDepth > 0) {
        w->hide();
        w->deleteLater();
    } else {
        delete w;
    }
}

void XGWindowFrame::HandleClose(QCloseEvent* event) {
    // The window deletes itself (and asks this frame to go) when the close is allowed; the
    // platform must not close the frame on its own.
    event->ignore();
    if (fWindow) fWindow->Close();
}

void XGWindowFrame::HandleDestroyed() {
    if (XGWindow* window = fWindow) {
        fWindow = nullptr;
        window->FrameGone();
        delete window;
    }
}

void XGWindowFrame::HandleActivated() {
    if (fWindow) fWindow->NoteActivated();
}

void XGWindowFrame::HandleGeometry(QEvent* event) {
    // The moves and sizes a hidden frame collects are delivered as it shows: they are not the
    // user's.
    const QEvent::Type type = event->type();
    if ((type == QEvent::Move || type == QEvent::Resize) && fWindow && Widget()->isVisible())
        fWindow->NoteGeometryChanged(type == QEvent::Resize);
}

// ---------------------------------------------------------------------------------------------

XGSubWindow::XGSubWindow(XGWindow* window) : XGWindowFrame(window) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    // A child window's frame shows the program's icon, not the toolkit's.
    setWindowIcon(XGAppIcon());
    // Ctrl+W belongs to the application's Close command; the child window keeps Ctrl+F4.
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) {
            const QList<QKeySequence> keys = action->shortcuts();
            bool isClose = false;
            for (const QKeySequence& k : keys)
                if (k == QKeySequence(Qt::CTRL | Qt::Key_W) || k == QKeySequence(Qt::CTRL | Qt::Key_F4))
                    isClose = true;
            if (isClose) action->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F4)});
        }
    }
}

XGSubWindow::~XGSubWindow() {
    HandleDestroyed();
}

void XGSubWindow::SetContent(QWidget* content) {
    setWidget(content);
}

void XGSubWindow::closeEvent(QCloseEvent* event) {
    EventDepth depth(this);
    HandleClose(event);
}

bool XGSubWindow::event(QEvent* event) {
    if (event->type() == QEvent::DeferredDelete) return QMdiSubWindow::event(event); // deletes this frame
    EventDepth depth(this);
    const bool result = QMdiSubWindow::event(event);
    HandleGeometry(event);
    return result;
}

// ---------------------------------------------------------------------------------------------

XGTopWindow::XGTopWindow(XGWindow* window) : XGWindowFrame(window) {
    setWindowIcon(XGAppIcon());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

XGTopWindow::~XGTopWindow() {
    HandleDestroyed();
}

void XGTopWindow::SetContent(QWidget* content) {
    if (content) layout()->addWidget(content);
}

void XGTopWindow::closeEvent(QCloseEvent* event) {
    EventDepth depth(this);
    HandleClose(event);
}

bool XGTopWindow::event(QEvent* event) {
    if (event->type() == QEvent::DeferredDelete) return QWidget::event(event); // deletes this frame
    EventDepth depth(this);
    if (event->type() == QEvent::WindowActivate) HandleActivated();
    const bool result = QWidget::event(event);
    HandleGeometry(event);
    return result;
}

} // namespace yaaf
