#pragma once
// Framework-internal: the platform widgets behind an XGWindow. A window lives in a sub-window of
// the main frame's child-window area, or in a top-level widget when there is no main frame.

#include <QMdiSubWindow>
#include <QWidget>

class QMdiArea;

namespace yaaf {

class XGWindow;

// The child-window area of the main frame, or none.
extern QMdiArea* _GMdiArea;

// The part shared by both frame kinds: the link to the window and the close handling.
class XGWindowFrame {
public:
    explicit XGWindowFrame(XGWindow* window) : fWindow(window) {}
    virtual ~XGWindowFrame() = default;

    virtual QWidget* Widget() = 0;
    virtual void SetContent(QWidget* content) = 0;

    // Makes a frame for the window: in the child-window area when there is one.
    static XGWindowFrame* Make(XGWindow* window);

    // Deletes the frame now, or once its own event handling has returned.
    void Dispose();

    XGWindow* fWindow;
    int fEventDepth = 0;

protected:
    // A close request from the platform: the window decides.
    void HandleClose(QCloseEvent* event);
    // The frame's widget is going away under the window.
    void HandleDestroyed();
    // The platform made this frame the active window.
    void HandleActivated();
    // The frame moved or changed its size.
    void HandleGeometry(QEvent* event);
};

class XGSubWindow : public QMdiSubWindow, public XGWindowFrame {
public:
    explicit XGSubWindow(XGWindow* window);
    ~XGSubWindow() override;

    QWidget* Widget() override { return this; }
    void SetContent(QWidget* content) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
};

class XGTopWindow : public QWidget, public XGWindowFrame {
public:
    explicit XGTopWindow(XGWindow* window);
    ~XGTopWindow() override;

    QWidget* Widget() override { return this; }
    void SetContent(QWidget* content) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
};

} // namespace yaaf
