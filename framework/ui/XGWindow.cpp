#include "XGWindow.h"

#include "XGAppCore.h"
#include "XGDocForm.h"
#include "XGDocument.h"
#include "XGView.h"
#include "XGWindowFrame.h"

#include <QLayout>
#include <QMdiArea>
#include <QString>

#include <algorithm>

namespace yaaf {

YAAF_DISPATCH_BEGIN(XGWindow)
YAAF_DISPATCH_ENTRY('keye', XGWindow, HandleKey)
YAAF_DISPATCH_ENTRY('keym', XGWindow, HandleMenuKey)
YAAF_DISPATCH_END(XGWindow, XGDispatch)

std::vector<XGWindow*> XGWindow::sWindows;
int32 XGWindow::sNextWindowID = 1;

XGWindow::XGWindow(XGForm* form, bool visible, FourCharCode kind)
    : fForm(form), fWindowID(sNextWindowID++), fWindowKind(kind) {
    if (fForm) fForm->fWindow = this;
    fFrame = XGWindowFrame::Make(this);
    fFrame->Widget()->resize(400, 300);
    SetContentView(new XGView('view'));
    // New windows stand behind the others until they are shown and brought to the front.
    sWindows.push_back(this);
    if (XGDocument* document = GetDocument()) SetModified(document->IsDirty());
    DoDispatch('crew', fWindowID, this, true);
    if (visible) SetTrigger(1);
}

XGWindow::~XGWindow() {
    fClosing = true;
    DoDispatch('desw', fWindowID, this, true);
    sWindows.erase(std::remove(sWindows.begin(), sWindows.end(), this), sWindows.end());
    // The views go before the frame whose widgets hold theirs.
    delete fContentView;
    fContentView = nullptr;
    fFocusView = nullptr;
    delete fForm;
    fForm = nullptr;
    if (fFrame) {
        XGWindowFrame* frame = fFrame;
        fFrame = nullptr;
        frame->Dispose();
    }
}

XGDispatch* XGWindow::GetParentDispatch() const {
    if (fForm) return fForm;
    return gApplication;
}

bool XGWindow::CanClose() {
    return fForm ? fForm->CanClose() : true;
}

bool XGWindow::Close() {
    if (fClosing) return true;
    if (!CanClose()) return false;
    delete this;
    return true;
}

void XGWindow::TriggerEvent(uint32 value) {
    if (fFrame) {
        QWidget* w = fFrame->Widget();
        const int width = std::clamp(w->width(), int(fMinWidth), int(fMaxWidth));
        const int height = std::clamp(w->height(), int(fMinHeight), int(fMaxHeight));
        if (width != w->width() || height != w->height())
            w->resize(width, height); // the resize lays the views out
        else if (fContentView)
            fContentView->Relayout();
    }
    if (value != 0) Select();
}

void XGWindow::SetName(const std::string& name) {
    fName = name;
    if (fFrame) {
        // The platform's placeholder for the changed mark; one written in the name itself is
        // doubled so that it shows as it is.
        QString title = QString::fromStdString(name);
        title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
        fFrame->Widget()->setWindowTitle(title + QStringLiteral("[*]"));
    }
    DoDispatch('namw', fWindowID, this, true);
}

void XGWindow::SetModified(bool modified) {
    fModified = modified;
    // Asked after every change of a document; the title is redone only when the mark changes.
    if (fFrame && fFrame->Widget()->isWindowModified() != modified) fFrame->Widget()->setWindowModified(modified);
}

XGDocument* XGWindow::GetDocument() const {
    if (auto* docForm = dynamic_cast<XGDocForm*>(fForm)) return docForm->GetDocument();
    return nullptr;
}

void XGWindow::SetContentView(XGView* view) {
    if (view == fContentView) return;
    delete fContentView;
    fContentView = view;
    if (!view) return;
    if (view->GetParent()) view->GetParent()->RemoveChild(view);
    if (fFrame) fFrame->SetContent(view->GetWidget());
    if (view->GetWidget()) view->GetWidget()->setVisible(view->IsShown());
    view->SetWindowRecursive(this);
}

tagRECT XGWindow::GetBounds() const {
    if (!fFrame) return {};
    const QRect g = fFrame->Widget()->geometry();
    return {g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
}

void XGWindow::SetBounds(const tagRECT& bounds) {
    if (!fFrame) return;
    QWidget* w = fFrame->Widget();
    w->setGeometry(bounds.left, bounds.top, std::max(0, bounds.Width()), std::max(0, bounds.Height()));
    // A shown frame resizes its views at once; a hidden one only when it is shown.
    if (!w->isVisible()) LayOutNow();
}

void XGWindow::LayOutNow() {
    if (fFrame)
        if (QLayout* layout = fFrame->Widget()->layout()) layout->activate();
    if (fContentView) fContentView->Relayout();
}

void XGWindow::NoteGeometryChanged(bool sized) {
    if (!fClosing) DoDispatch(kXGMsg_WindowMoved, sized ? 1 : 0, this, true);
}

void XGWindow::SetSizeLimits(int32 minWidth, int32 minHeight, int32 maxWidth, int32 maxHeight) {
    fMinWidth = std::max(0, minWidth);
    fMinHeight = std::max(0, minHeight);
    fMaxWidth = std::max(fMinWidth, maxWidth);
    fMaxHeight = std::max(fMinHeight, maxHeight);
    SetTrigger(0);
}

void XGWindow::Show() {
    fShown = true;
    if (fFrame) fFrame->Widget()->show();
}

void XGWindow::Hide() {
    fShown = false;
    if (fFrame) fFrame->Widget()->hide();
}

void XGWindow::MoveToFront() {
    auto it = std::find(sWindows.begin(), sWindows.end(), this);
    if (it != sWindows.end()) std::rotate(sWindows.begin(), it, it + 1);
}

void XGWindow::BringToFront() {
    MoveToFront();
    if (!fFrame) return;
    QWidget* w = fFrame->Widget();
    w->raise();
    if (auto* sub = dynamic_cast<QMdiSubWindow*>(w)) {
        if (_GMdiArea && fShown && _GMdiArea->activeSubWindow() != sub) _GMdiArea->setActiveSubWindow(sub);
    } else if (fShown) {
        w->activateWindow();
    }
}

void XGWindow::Select() {
    Show();
    BringToFront();
    RestoreFocus();
}

void XGWindow::RestoreFocus() {
    if (fFocusView)
        fFocusView->SetFocus();
    else
        SetFocus();
}

void XGWindow::SetFocusView(XGView* view) {
    if (view && view->GetWindow() == this) fFocusView = view;
}

void XGWindow::NoteActivated() {
    if (!fClosing) MoveToFront();
}

void XGWindow::ViewGone(XGView* view) {
    if (fFocusView == view) fFocusView = nullptr;
    if (fContentView == view) fContentView = nullptr;
}

void XGWindow::FrameGone() {
    fFrame = nullptr;
}

int32 XGWindow::DoKey(int32, void*) {
    return kDispatchNotHandled;
}

int32 XGWindow::DoMenuKey(int32, void*) {
    return kDispatchNotHandled;
}

XGWindow* XGWindow::GetFrontWindow() {
    for (XGWindow* w : sWindows)
        if (w->fShown) return w;
    return nullptr;
}

XGWindow* XGWindow::FromWidget(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (auto* frame = dynamic_cast<const XGWindowFrame*>(widget)) return frame->fWindow;
    return nullptr;
}

QWidget* XGWindow::GetFrameWidget() const {
    return fFrame ? fFrame->Widget() : nullptr;
}

} // namespace yaaf
