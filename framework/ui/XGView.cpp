#include "XGView.h"

#include "XGAppCore.h"
#include "XGDebug.h"
#include "XGDragDrop.h"
#include "XGDraw.h"
#include "XGKeyboard.h"
#include "XGWindow.h"

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <exception>

namespace yaaf {

YAAF_DISPATCH_BEGIN(XGView)
YAAF_DISPATCH_END(XGView, XGDispatch)

// The platform widget of a view: hands Qt's events to the view's operations.
class XGViewWidget : public QWidget {
public:
    explicit XGViewWidget(XGView* view) : fView(view) { setFocusPolicy(Qt::NoFocus); }
    ~XGViewWidget() override {
        if (fView) fView->fWidget = nullptr;
    }

    XGView* fView;
    int fEventDepth = 0;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::DeferredDelete) return QWidget::event(e); // deletes this widget
        // A view may be deleted by its own handlers (a click that closes the window); the
        // widget then waits until its event handling has returned.
        ++fEventDepth;
        bool result = true;
        try {
            result = IsPlainTab(e) ? HandleTab(static_cast<QKeyEvent*>(e)) : QWidget::event(e);
        } catch (const std::exception& ex) {
            // Qt cannot pass exceptions through its event delivery: the message counts as handled.
            YAAFDebugError("Uncaught exception caught by YAAF GUI core (%s)", ex.what());
        } catch (...) {
            YAAFDebugError("Uncaught exception caught by YAAF GUI core");
        }
        --fEventDepth;
        return result;
    }

    static bool IsPlainTab(QEvent* e) {
        if (e->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(e);
        return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
               !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    }

    // Tab is the views' to use before the platform moves the focus with it.
    bool HandleTab(QKeyEvent* key) {
        if (!TranslateKey(key) && fView)
            focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
        key->accept();
        return true;
    }

    void paintEvent(QPaintEvent* e) override {
        if (!fView) return;
        QPainter painter(this);
        XGDraw draw(&painter);
        const QRect r = e->rect();
        fView->DoDraw(draw, tagRECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    }

    void mousePressEvent(QMouseEvent* e) override { Mouse(e, 1); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { Mouse(e, 2); }
    void mouseMoveEvent(QMouseEvent* e) override { Mouse(e, 0); }
    void mouseReleaseEvent(QMouseEvent* e) override { Mouse(e, -1); }

    void dragEnterEvent(QDragEnterEvent* e) override { Drag(e); }
    void dragMoveEvent(QDragMoveEvent* e) override { Drag(e); }
    void dragLeaveEvent(QDragLeaveEvent* e) override { Drag(e); }
    void dropEvent(QDropEvent* e) override { Drag(e); }

    void Drag(QEvent* e) {
        if (fView && fView->fDropper)
            fView->fDropper->HandleDragEvent(e);
        else
            e->ignore();
    }

    void wheelEvent(QWheelEvent* e) override {
        if (!fView) return;
        const uint16 state = XGKeyboard::StateFromPlatform(e->modifiers(), e->buttons());
        XGKeyboard::SetLastModifiers(state);
        const QPoint delta = e->angleDelta();
        const bool horizontal = delta.y() == 0 && delta.x() != 0;
        // A view that leaves the wheel alone passes it to its enclosing views (a scroll view).
        QPoint where = e->position().toPoint();
        for (XGView* view = fView; view; view = view->GetParent()) {
            if (view->DoScrollWheel(ToPoint(where), horizontal ? delta.x() : delta.y(), horizontal, state))
                return;
            where += view->GetWidget() ? view->GetWidget()->pos() : QPoint();
        }
        e->ignore();
    }

    void resizeEvent(QResizeEvent*) override {
        if (fView) fView->DoResize();
    }

    void focusInEvent(QFocusEvent* e) override {
        if (fView) fView->SetFocus();
        QWidget::focusInEvent(e);
    }

    bool TranslateKey(QKeyEvent* e) {
        return XGKeyboard::HandleKeyPress(e->key(), e->modifiers(), e->text().toStdU16String(),
                                          QGuiApplication::mouseButtons());
    }

    void keyPressEvent(QKeyEvent* e) override {
        if (!TranslateKey(e)) QWidget::keyPressEvent(e);
        // The dispatch chain has already offered the key to the enclosing views: the enclosing
        // widgets must not translate it a second time.
        e->accept();
    }

private:
    static Point ToPoint(QPoint p) {
        auto clamp16 = [](int v) { return int16(std::clamp(v, -32768, 32767)); };
        return Point{clamp16(p.y()), clamp16(p.x())};
    }

    void Mouse(QMouseEvent* e, int clicks) {
        if (!fView) return;
        uint16 state = XGKeyboard::StateFromPlatform(e->modifiers(), e->buttons());
        XGKeyboard::SetLastModifiers(state);
        if (clicks == 2) state |= kXGMod_DoubleClick;
        // A release always comes to the view the press went to.
        if (clicks < 0 || (clicks == 0 && e->buttons() != Qt::NoButton)) state |= kXGMod_Captured;
        const Point where = ToPoint(e->position().toPoint());
        if (clicks > 0) {
            if (fView->IsFocusable()) fView->SetFocus();
            fView->DoMouseDown(where, state, clicks);
        } else if (clicks == 0) {
            fView->DoMouseMove(where, state);
        } else {
            fView->DoMouseUp(where, state);
        }
    }
};

namespace {

void DisposeWidget(XGViewWidget* widget) {
    widget->fView = nullptr;
    if (widget->fEventDepth > 0) {
        widget->hide();
        widget->setParent(nullptr);
        widget->deleteLater();
    } else {
        delete widget;
    }
}

} // namespace

XGView::XGView(FourCharCode kind, int32 id) : fWidget(new XGViewWidget(this)), fID(id), fKind(kind) {}

XGView::XGView(XGView* parent, FourCharCode kind, int32 id) : XGView(kind, id) {
    if (parent) parent->AddChild(this);
}

XGView::~XGView() {
    while (!fChildren.empty()) {
        XGView* child = fChildren.back();
        fChildren.pop_back();
        child->fParent = nullptr;
        delete child;
    }
    if (fParent) fParent->RemoveChild(this);
    if (fWindow) fWindow->ViewGone(this);
    if (fWidget) {
        XGViewWidget* widget = fWidget;
        fWidget = nullptr;
        DisposeWidget(widget);
    }
}

XGDispatch* XGView::GetParentDispatch() const {
    if (fParent) return fParent;
    if (fWindow) return fWindow;
    return gApplication;
}

void XGView::SetFocus() {
    XGDispatch::SetFocus();
    if (gFocus != this) return;
    if (fWindow) fWindow->NoteFocusView(this);
    if (fWidget && !fWidget->hasFocus()) fWidget->setFocus(Qt::OtherFocusReason);
}

void XGView::AddChild(XGView* child) {
    if (!child || child == this || child->fParent == this) return;
    if (child->fParent) child->fParent->RemoveChild(child);
    fChildren.push_back(child);
    child->Attach(this);
}

void XGView::Attach(XGView* parent) {
    fParent = parent;
    if (fWidget) {
        fWidget->setParent(parent ? parent->fWidget : nullptr);
        if (parent) fWidget->setVisible(fShown);
    }
    SetWindowRecursive(parent ? parent->fWindow : nullptr);
}

void XGView::RemoveChild(XGView* child) {
    auto it = std::find(fChildren.begin(), fChildren.end(), child);
    if (it == fChildren.end()) return;
    fChildren.erase(it);
    child->fParent = nullptr;
    if (child->fWidget) {
        child->fWidget->hide();
        child->fWidget->setParent(nullptr);
    }
    child->SetWindowRecursive(nullptr);
}

void XGView::SetWindowRecursive(XGWindow* window) {
    if (fWindow == window) return;
    if (fWindow) fWindow->ViewGone(this);
    fWindow = window;
    for (XGView* child : fChildren)
        child->SetWindowRecursive(window);
    DoWindowChanged();
}

XGView* XGView::FindView(int32 id) {
    if (fID == id) return this;
    for (XGView* child : fChildren)
        if (XGView* found = child->FindView(id)) return found;
    return nullptr;
}

tagRECT XGView::GetBounds() const {
    if (!fWidget) return {};
    const QRect g = fWidget->geometry();
    return {g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
}

void XGView::SetBounds(const tagRECT& bounds) {
    if (fWidget)
        fWidget->setGeometry(bounds.left, bounds.top, std::max(0, bounds.Width()),
                             std::max(0, bounds.Height()));
}

tagRECT XGView::GetLocalBounds() const {
    return {0, 0, GetWidth(), GetHeight()};
}

int32 XGView::GetWidth() const {
    return fWidget ? fWidget->width() : 0;
}

int32 XGView::GetHeight() const {
    return fWidget ? fWidget->height() : 0;
}

void XGView::InvalView() {
    if (fWidget) fWidget->update();
}

void XGView::InvalRect(const tagRECT& r) {
    if (fWidget) fWidget->update(QRect(r.left, r.top, r.Width(), r.Height()));
}

void XGView::Show() {
    fShown = true;
    if (fWidget) fWidget->show();
}

void XGView::Hide() {
    fShown = false;
    if (fWidget) fWidget->hide();
}

void XGView::SetFocusable(bool focusable) {
    fFocusable = focusable;
    if (fWidget) fWidget->setFocusPolicy(focusable ? Qt::StrongFocus : Qt::NoFocus);
}

void XGView::SetTrackMouseMoves(bool track) {
    if (fWidget) fWidget->setMouseTracking(track);
}

void XGView::SetAccessibleName(const std::string& name) {
    if (fWidget) fWidget->setAccessibleName(QString::fromStdString(name));
}

std::string XGView::GetAccessibleName() const {
    return fWidget ? fWidget->accessibleName().toStdString() : std::string();
}

void XGView::SetDropper(XGDropper* dropper) {
    fDropper = dropper;
    if (fWidget) fWidget->setAcceptDrops(dropper != nullptr);
}

void XGView::Relayout() {
    DoResize();
    // A child may be deleted by its parent's layout: walk a copy.
    const std::vector<XGView*> children = fChildren;
    for (XGView* child : children)
        if (std::find(fChildren.begin(), fChildren.end(), child) != fChildren.end()) child->Relayout();
}

void XGView::RequestLayout() {
    if (fWindow) fWindow->SetTrigger(0);
}

QWidget* XGView::GetWidget() const {
    return fWidget;
}

void XGView::DoDraw(XGDraw& draw, const tagRECT& updateRect) {
    draw.EraseRect(updateRect);
}

} // namespace yaaf
