#include "XGSplash.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace yaaf {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 270;

// The artwork is data (resources/artwork/splash.png, and @2x); the name, version and status
// lines are drawn over it.
void DrawArtwork(QPainter& p, const QString& title, const QString& status) {
    const QPixmap artwork(QStringLiteral(":/vorn/artwork/splash.png"));
    if (artwork.isNull())
        p.fillRect(0, 0, kWidth, kHeight, QColor(22, 34, 58));
    else
        p.drawPixmap(QRect(0, 0, kWidth, kHeight), artwork);

    QFont small(QStringLiteral("Arial"));
    small.setPointSize(8);
    p.setFont(small);
    p.setPen(QColor(230, 232, 240));
    // Name and version at the top, right-aligned 5 pixels from the right edge.
    p.drawText(QRectF(0, 3, kWidth - 5, 16), Qt::AlignRight | Qt::AlignTop, title);
    // The status line in the bottom 16 pixels, 5 pixels from the left.
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
