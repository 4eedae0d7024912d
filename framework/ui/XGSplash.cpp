#include "XGSplash.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QRadialGradient>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace yaaf {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 270;

// The artwork: a night-blue board with a loose arrangement of tiles, a few linked by threads,
// the word mark at the lower left.
void DrawArtwork(QPainter& p, const QString& title, const QString& status) {
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, kWidth, kHeight);
    bg.setColorAt(0, QColor(22, 34, 58));
    bg.setColorAt(1, QColor(46, 70, 104));
    p.fillRect(0, 0, kWidth, kHeight, bg);
    QRadialGradient glow(300, 90, 200);
    glow.setColorAt(0, QColor(255, 200, 120, 70));
    glow.setColorAt(1, QColor(255, 200, 120, 0));
    p.fillRect(0, 0, kWidth, kHeight, glow);

    struct Tile {
        qreal x, y, w, h;
        QColor c;
    };
    const Tile tiles[] = {
        {40, 40, 70, 26, QColor(238, 150, 72)},   {150, 30, 56, 26, QColor(242, 236, 220)},
        {250, 58, 84, 26, QColor(116, 176, 222)}, {96, 98, 64, 26, QColor(242, 236, 220)},
        {196, 110, 72, 26, QColor(238, 150, 72)}, {300, 128, 60, 26, QColor(242, 236, 220)},
        {60, 150, 52, 26, QColor(116, 176, 222)},
    };
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.3, Qt::DashLine));
    auto centre = [](const Tile& t) { return QPointF(t.x + t.w / 2, t.y + t.h / 2); };
    const int links[][2] = {{0, 1}, {1, 2}, {0, 3}, {3, 4}, {4, 5}, {3, 6}};
    for (auto& l : links)
        p.drawLine(centre(tiles[l[0]]), centre(tiles[l[1]]));
    p.setPen(Qt::NoPen);
    for (const Tile& t : tiles) {
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(QRectF(t.x + 3, t.y + 3, t.w, t.h), 5, 5);
        p.setBrush(t.c);
        p.drawRoundedRect(QRectF(t.x, t.y, t.w, t.h), 5, 5);
        p.setBrush(QColor(40, 48, 64, 120));
        p.drawRect(QRectF(t.x + 8, t.y + t.h / 2 - 1.5, t.w * 0.55, 3));
    }

    QFont mark(QStringLiteral("Liberation Serif"));
    mark.setPixelSize(54);
    mark.setBold(true);
    p.setFont(mark);
    p.setPen(QColor(248, 240, 224));
    p.drawText(QRectF(28, 176, 300, 64), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vorn"));

    QFont small(QStringLiteral("Arial"));
    small.setPointSize(8);
    p.setFont(small);
    p.setPen(QColor(230, 232, 240));
    // Name and version at the top, right-aligned 5 pixels from the right edge.
    p.drawText(QRectF(0, 3, kWidth - 5, 16), Qt::AlignRight | Qt::AlignTop, title);
    // The status line in the bottom 16 pixels, 5 pixels from the left.
    p.fillRect(QRectF(0, kHeight - 16, kWidth, 16), QColor(0, 0, 0, 90));
    p.drawText(QRectF(5, kHeight - 16, kWidth - 10, 16), Qt::AlignLeft | Qt::AlignVCenter, status);
}

class SplashWidget : public QWidget {
public:
    SplashWidget() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
        setObjectName(QStringLiteral("XGSplash"));
        setFixedSize(kWidth, kHeight);
        setAttribute(Qt::WA_DeleteOnClose);
    }
    QString fTitle;
    QString fStatus;
    bool fCloseOnInput = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        DrawArtwork(p, fTitle, fStatus);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
            if (fCloseOnInput) {
                close();
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }
};

QPointer<SplashWidget> s_splash;
QElapsedTimer s_shown;
qint64 s_minimumMs = 0;

SplashWidget* Make(const std::string& title) {
    if (s_splash) {
        s_splash->fTitle = QString::fromStdString(title);
        return s_splash;
    }
    s_splash = new SplashWidget();
    s_splash->fTitle = QString::fromStdString(title);
    if (QScreen* screen = QApplication::primaryScreen()) {
        QRect r = screen->availableGeometry();
        s_splash->move(r.center() - QPoint(kWidth / 2, kHeight / 2));
    }
    return s_splash;
}

} // namespace

void XGSplash::Open(const std::string& title, int32 minimumMs) {
    SplashWidget* w = Make(title);
    w->fCloseOnInput = false;
    w->show();
    w->raise();
    s_shown.start();
    s_minimumMs = minimumMs < 0 ? 0 : minimumMs;
    w->repaint();
}

void XGSplash::Status(const std::string& line) {
    if (!s_splash) return;
    s_splash->fStatus = QString::fromStdString(line);
    s_splash->repaint();
}

std::string XGSplash::GetStatus() {
    return s_splash ? s_splash->fStatus.toStdString() : std::string();
}

void XGSplash::Close() {
    if (!s_splash) return;
    while (s_splash && s_shown.isValid() && s_shown.elapsed() < s_minimumMs) {
        const int left = int(s_minimumMs - s_shown.elapsed());
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, left > 0 ? left : 1);
    }
    if (s_splash) s_splash->close();
    s_splash = nullptr;
}

void XGSplash::ShowUntilInput(const std::string& title) {
    SplashWidget* w = Make(title);
    w->fStatus.clear();
    w->fCloseOnInput = true;
    qApp->installEventFilter(w);
    w->show();
    w->raise();
    w->activateWindow();
}

bool XGSplash::IsOpen() {
    return s_splash && s_splash->isVisible();
}

bool XGSplash::SaveImage(const std::string& title, const std::string& status, const std::string& path) {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    DrawArtwork(p, QString::fromStdString(title), QString::fromStdString(status));
    p.end();
    return image.save(QString::fromStdString(path));
}

} // namespace yaaf
