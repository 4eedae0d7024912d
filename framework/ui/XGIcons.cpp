#include "XGIcons.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>

#include <memory>

namespace yaaf {

namespace {

class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make)
        : fState(std::make_shared<State>(State{std::move(make), QIcon(), false})) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        Real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Real().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Real().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return Real().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Real().availableSizes(mode, state);
    }
    // Made lazily, so it cannot tell beforehand; every maker here makes a real icon.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("XGDeferredIcon"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    struct State {
        std::function<QIcon()> make;
        QIcon icon;
        bool made;
    };

    const QIcon& Real() {
        if (!fState->made) {
            fState->made = true;
            if (fState->make) fState->icon = fState->make();
            fState->make = nullptr;
        }
        return fState->icon;
    }

    // Shared by the copies that QIcon makes, so the icon is made once.
    std::shared_ptr<State> fState;
};

// A board in miniature: a night-blue rounded square holding four tiles, two joined by a thread.
QPixmap DrawAppIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    QLinearGradient bg(0, 0, size, size);
    bg.setColorAt(0, QColor(30, 46, 78));
    bg.setColorAt(1, QColor(56, 86, 128));
    p.setPen(QPen(QColor(16, 24, 40), 1));
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 6 * s, 6 * s);

    struct Tile {
        qreal x, y, w, h;
        QColor c;
    };
    const Tile tiles[] = {
        {5, 6, 12, 6, QColor(238, 150, 72)},
        {18, 11, 9, 6, QColor(242, 236, 220)},
        {6, 18, 9, 6, QColor(116, 176, 222)},
        {17, 22, 10, 5, QColor(238, 150, 72)},
    };
    if (size >= 24) {
        p.setPen(QPen(QColor(255, 255, 255, 140), 1.0 * s));
        p.drawLine(QPointF(11 * s, 9 * s), QPointF(22.5 * s, 14 * s));
        p.drawLine(QPointF(10.5 * s, 21 * s), QPointF(22 * s, 24.5 * s));
    }
    p.setPen(Qt::NoPen);
    for (const Tile& t : tiles) {
        p.setBrush(t.c);
        p.drawRoundedRect(QRectF(t.x * s, t.y * s, t.w * s, t.h * s), 1.5 * s, 1.5 * s);
    }
    p.end();
    return pixmap;
}

// The platform's style, with the icons that bars and child windows make for themselves as they
// are built (read from picture files, which loads every picture reader of the system) made only
// when they are drawn: the overflow buttons' arrows and the child window's menu button.
class DeferredIconStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton ||
            icon == SP_TitleBarMenuButton) {
            // Of the option these icons only read the direction (the arrow points the other way
            // from right to left).
            const Qt::LayoutDirection direction =
                option ? option->direction : QGuiApplication::layoutDirection();
            QPointer<QStyle> base(const_cast<QStyle*>(baseStyle()));
            return XGDeferredIcon([base, icon, direction] {
                QStyleOption made;
                made.direction = direction;
                const QStyle* style = base ? base.data() : QApplication::style();
                return style->standardIcon(icon, &made, nullptr);
            });
        }
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

QIcon XGDeferredIcon(std::function<QIcon()> make) {
    return QIcon(new DeferredIconEngine(std::move(make)));
}

QIcon XGAppIcon() {
    return XGDeferredIcon([] {
        QIcon icon;
        icon.addPixmap(DrawAppIcon(32));
        icon.addPixmap(DrawAppIcon(16));
        return icon;
    });
}

void XGInstallPlatformLook() {
    if (!qApp) return;
    // Asking for the current style would make the default one only to replace it.
    static QPointer<QStyle> s_installed;
    if (!s_installed || QApplication::style() != s_installed.data()) {
        s_installed = new DeferredIconStyle();
        QApplication::setStyle(s_installed.data());
    }
    QApplication::setWindowIcon(XGAppIcon());
}

} // namespace yaaf
