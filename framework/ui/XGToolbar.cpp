#include "XGToolbar.h"

#include "XGAppCore.h"
#include "XGDispatch.h"
#include "XGIcons.h"
#include "XGMenuBar.h"
#include "XGMenuResource.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QToolBar>

#include <map>

namespace yaaf {

namespace {

const QColor kInk(40, 48, 64);
const QColor kPaper(252, 250, 244);
const QColor kAccent(206, 96, 38);
const QColor kBoard(62, 120, 170);

void Page(QPainter& p, QColor fill = kPaper) {
    QPainterPath path;
    path.moveTo(5, 2);
    path.lineTo(14, 2);
    path.lineTo(19, 7);
    path.lineTo(19, 22);
    path.lineTo(5, 22);
    path.closeSubpath();
    p.setBrush(fill);
    p.setPen(QPen(kInk, 1.2));
    p.drawPath(path);
    p.drawLine(QPointF(14, 2), QPointF(14, 7));
    p.drawLine(QPointF(14, 7), QPointF(19, 7));
}

void Tiles(QPainter& p, qreal x, qreal y, qreal s) {
    p.setPen(Qt::NoPen);
    p.setBrush(kBoard);
    p.drawRect(QRectF(x, y, s, s));
    p.setBrush(kAccent);
    p.drawRect(QRectF(x + s + 1.5, y, s, s));
    p.setBrush(kAccent);
    p.drawRect(QRectF(x, y + s + 1.5, s, s));
    p.setBrush(kBoard);
    p.drawRect(QRectF(x + s + 1.5, y + s + 1.5, s, s));
}

void Arrow(QPainter& p, bool back) {
    p.setPen(QPen(kBoard, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    if (back) {
        path.moveTo(6, 10);
        path.cubicTo(10, 4, 20, 5, 19, 14);
        p.drawPath(path);
        p.setBrush(kBoard);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(2, 9), QPointF(9, 5), QPointF(9, 13)}));
    } else {
        path.moveTo(18, 10);
        path.cubicTo(14, 4, 4, 5, 5, 14);
        p.drawPath(path);
        p.setBrush(kBoard);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(22, 9), QPointF(15, 5), QPointF(15, 13)}));
    }
}

// Draws the named icon on a 24 × 24 canvas; false for an unknown name.
bool DrawIcon(QPainter& p, const std::string& name) {
    p.setRenderHint(QPainter::Antialiasing);
    if (name == "new") {
        Page(p);
        Tiles(p, 8, 10, 4);
    } else if (name == "newtext") {
        Page(p);
        p.setPen(QPen(kInk, 1.2));
        for (int y = 11; y <= 19; y += 3)
            p.drawLine(8, y, 16, y);
    } else if (name == "open") {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(236, 196, 96));
        p.drawPolygon(QPolygonF(
            {QPointF(2, 6), QPointF(9, 6), QPointF(11, 8), QPointF(21, 8), QPointF(21, 20), QPointF(2, 20)}));
        p.setBrush(QColor(248, 218, 128));
        p.drawPolygon(QPolygonF({QPointF(5, 11), QPointF(23, 11), QPointF(20, 20), QPointF(2, 20)}));
    } else if (name == "save") {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kBoard);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.setBrush(QColor(220, 226, 232));
        p.drawRect(QRectF(6, 13, 12, 8));
    } else if (name == "print") {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 2, 10, 8));
        p.setBrush(QColor(160, 168, 180));
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 14, 10, 8));
    } else if (name == "cut") {
        p.setPen(QPen(kInk, 1.6));
        p.drawLine(QPointF(7, 3), QPointF(15, 15));
        p.drawLine(QPointF(17, 3), QPointF(9, 15));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kAccent, 2));
        p.drawEllipse(QPointF(7, 18), 3.5, 3.5);
        p.drawEllipse(QPointF(17, 18), 3.5, 3.5);
    } else if (name == "copy") {
        p.translate(-2, -1);
        Page(p, QColor(226, 232, 240));
        p.translate(4, 3);
        p.scale(0.85, 0.85);
        Page(p);
    } else if (name == "paste") {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(196, 150, 96));
        p.drawRoundedRect(QRectF(3, 4, 16, 18), 2, 2);
        p.setBrush(QColor(160, 168, 180));
        p.drawRect(QRectF(7, 2, 8, 4));
        p.translate(6, 6);
        p.scale(0.7, 0.7);
        Page(p);
    } else if (name == "undo") {
        Arrow(p, true);
    } else if (name == "redo") {
        Arrow(p, false);
    } else if (name == "go") {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(58, 150, 80));
        p.drawEllipse(QRectF(2, 2, 20, 20));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(9, 6), QPointF(18, 12), QPointF(9, 18)}));
    } else if (name == "edit") {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(236, 196, 96));
        p.drawPolygon(
            QPolygonF({QPointF(4, 17), QPointF(16, 5), QPointF(20, 9), QPointF(8, 21), QPointF(3, 22)}));
        p.setBrush(kAccent);
        p.drawPolygon(QPolygonF({QPointF(16, 5), QPointF(18, 3), QPointF(22, 7), QPointF(20, 9)}));
    } else if (name == "help") {
        p.setPen(Qt::NoPen);
        p.setBrush(kBoard);
        p.drawEllipse(QRectF(2, 2, 20, 20));
        // The question mark is drawn as strokes: a glyph would load a second font face at start.
        QPainterPath hook;
        hook.moveTo(8.6, 9.4);
        hook.cubicTo(8.6, 5.6, 15.6, 5.4, 15.6, 9.2);
        hook.cubicTo(15.6, 11.8, 12, 11.8, 12, 14.6);
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(hook);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(12, 18), 1.5, 1.5);
    } else {
        return false;
    }
    return true;
}

QIcon MakeIcon(const std::string& name) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    DrawIcon(p, name);
    p.end();
    return QIcon(pixmap);
}

} // namespace

struct XGToolbarPlatform {
    QPointer<QToolBar> fBar;
    std::vector<std::pair<int32, QPointer<QAction>>> fButtons;
};

XGToolbar::XGToolbar(QMainWindow* frame) : fPlatform(std::make_unique<XGToolbarPlatform>()) {
    fPlatform->fBar = new QToolBar(QStringLiteral("Toolbar"), frame);
    fPlatform->fBar->setObjectName(QStringLiteral("XGToolbar"));
    fPlatform->fBar->setMovable(false);
    fPlatform->fBar->setIconSize(QSize(24, 24));
    if (frame) frame->addToolBar(fPlatform->fBar);
}

XGToolbar::~XGToolbar() {
    if (fPlatform->fBar && !fPlatform->fBar->parent()) delete fPlatform->fBar.data();
}

bool XGToolbar::HasIcon(const std::string& name) {
    QPixmap pixmap(24, 24);
    QPainter p(&pixmap);
    return DrawIcon(p, name);
}

bool XGToolbar::Load(int16 id) {
    auto items = XGLoadToolbar(id);
    if (!items || !fPlatform->fBar) return false;
    fPlatform->fBar->clear();
    fPlatform->fButtons.clear();
    for (const XGToolbarItemRecord& r : *items) {
        if (r.separator) {
            fPlatform->fBar->addSeparator();
            continue;
        }
        // Drawn when the bar is first painted, not while the frame is being built.
        const std::string icon = r.icon;
        QAction* a = fPlatform->fBar->addAction(XGDeferredIcon([icon] { return MakeIcon(icon); }),
                                                QString::fromStdString(r.tip));
        a->setToolTip(QString::fromStdString(r.tip));
        const int32 command = r.id;
        QObject::connect(a, &QAction::triggered, a, [command] { XGSendMenuCommand(command); });
        fPlatform->fButtons.emplace_back(command, a);
    }
    return true;
}

void XGToolbar::UpdateStatus() {
    if (!fPlatform->fBar) return;
    XGDispatch* from = gFocus ? gFocus : gApplication;
    if (from) from->DoDispatch('Prst', 0, nullptr, true);
    for (auto& [command, action] : fPlatform->fButtons) {
        if (!action) continue;
        XGSMenuStatus s = XGGetCommandStatus(command);
        if (action->isEnabled() != s.enable) action->setEnabled(s.enable);
        if (action->isCheckable() != s.check) action->setCheckable(s.check);
        if (s.check && !action->isChecked()) action->setChecked(true);
    }
    from = gFocus ? gFocus : gApplication;
    if (from) from->DoDispatch('Post', 0, nullptr, true);
}

std::vector<int32> XGToolbar::GetButtonIDs() const {
    std::vector<int32> ids;
    for (auto& b : fPlatform->fButtons)
        ids.push_back(b.first);
    return ids;
}

bool XGToolbar::IsButtonEnabled(int32 command) const {
    for (auto& [id, action] : fPlatform->fButtons)
        if (id == command && action) return action->isEnabled();
    return false;
}

} // namespace yaaf
