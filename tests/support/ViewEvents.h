#pragma once
// Synthesized input for a view's platform widget, as the window system would deliver it: mouse
// presses, moves (with the buttons held), releases and double clicks with their modifiers, key
// presses, and drags that enter, move over and drop on the view. Works on the offscreen
// platform, where the platform's own drag loop does nothing. Pop-up menus are recorded instead.

#include "XGMenuBar.h"
#include "XGView.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <vector>

namespace vorntest {

class ViewEvents {
public:
    explicit ViewEvents(yaaf::XGView* view) : fWidget(view ? view->GetWidget() : nullptr) {}
    explicit ViewEvents(QWidget* widget) : fWidget(widget) {}

    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        fButtons |= b;
        Send(QEvent::MouseButtonPress, p, b, m);
    }
    // The second press of a double click (after a press and a release).
    void DoublePress(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        fButtons |= b;
        Send(QEvent::MouseButtonDblClick, p, b, m);
    }
    void Move(QPoint p, Qt::KeyboardModifiers m = {}) { Send(QEvent::MouseMove, p, Qt::NoButton, m); }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        fButtons &= ~Qt::MouseButtons(b);
        Send(QEvent::MouseButtonRelease, p, b, m);
    }
    void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        Press(p, b, m);
        Release(p, b, m);
    }
    void DoubleClick(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        Click(p, b, m);
        DoublePress(p, b, m);
        Release(p, b, m);
    }
    // Press, `steps` moves on the straight line, release.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers m = {}, Qt::MouseButton b = Qt::LeftButton,
              int steps = 3) {
        Press(from, b, m);
        for (int i = 1; i <= steps; ++i)
            Move(from + (to - from) * i / steps, m);
        Release(to, b, m);
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers m = {}) { QTest::keyClick(fWidget, key, m); }
    void Type(const QString& text) { QTest::keyClicks(fWidget, text); }

    // A drag from outside: enters at p, moves there and drops. Answers whether the view took it.
    bool Drop(const QMimeData* mime, QPoint p, Qt::KeyboardModifiers m = {}) {
        if (!Enter(mime, p, m)) return false;
        QDropEvent drop(QPointF(p), Qt::CopyAction | Qt::MoveAction, mime, Qt::NoButton, m);
        drop.setAccepted(false);
        QApplication::sendEvent(fWidget, &drop);
        return drop.isAccepted();
    }
    // Enters and moves to p without dropping; answers whether the view would take it.
    bool Enter(const QMimeData* mime, QPoint p, Qt::KeyboardModifiers m = {}) {
        QDragEnterEvent enter(p, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, m);
        enter.setAccepted(false);
        QApplication::sendEvent(fWidget, &enter);
        if (!enter.isAccepted()) return false;
        QDragMoveEvent move(p, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, m);
        QApplication::sendEvent(fWidget, &move);
        return true;
    }
    void Leave() {
        QDragLeaveEvent leave;
        QApplication::sendEvent(fWidget, &leave);
    }

    QWidget* Widget() const { return fWidget; }

private:
    void Send(QEvent::Type type, QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers m) {
        QMouseEvent e(type, QPointF(p), QPointF(fWidget->mapToGlobal(p)), b, fButtons, m);
        QApplication::sendEvent(fWidget, &e);
    }

    QWidget* fWidget;
    Qt::MouseButtons fButtons;
};

// The pop-ups asked for, answered with no command.
struct PopUpRecorder {
    PopUpRecorder() {
        yaaf::XGContextMenu::SetPopUpHook([this](yaaf::int16 id, yaaf::XGView*, yaaf::Point where) {
            menus.push_back(id);
            points.push_back(QPoint(where.h, where.v));
            return 0;
        });
    }
    ~PopUpRecorder() { yaaf::XGContextMenu::SetPopUpHook({}); }
    PopUpRecorder(const PopUpRecorder&) = delete;
    PopUpRecorder& operator=(const PopUpRecorder&) = delete;
    std::vector<yaaf::int16> menus;
    std::vector<QPoint> points;
};

} // namespace vorntest
