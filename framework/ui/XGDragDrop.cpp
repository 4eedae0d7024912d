#include "XGDragDrop.h"

#include "XGKeyboard.h"
#include "XGView.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace yaaf {

namespace {

constexpr const char* kNamePrefix = "CF_YAAF#";
const QString kMimePrefix = QStringLiteral("application/x-vorn-CF_YAAF#");

XGDragger::RunHook& Hook() {
    static XGDragger::RunHook s_hook;
    return s_hook;
}

std::string Utf8(const QString& s) {
    const QByteArray bytes = s.toUtf8();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

Point ToPoint(QPointF p) {
    auto clamp16 = [](double v) { return int16(std::clamp(v, -32768.0, 32767.0)); };
    return Point{clamp16(p.y()), clamp16(p.x())};
}

// An outline picture no larger than this either way; a huge selection shows its part near the
// pointer.
constexpr int kMaxDragPixmap = 1024;

} // namespace

std::string XGDragFlavorName(FourCharCode flavor) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%ld", kNamePrefix, long(flavor));
    return name;
}

std::string XGDragFlavorMimeType(FourCharCode flavor) {
    return "application/x-vorn-" + XGDragFlavorName(flavor);
}

std::vector<XGDragItem> XGDragItemsFromMime(const QMimeData* mime, size_t maxItems) {
    std::vector<XGDragItem> out;
    if (!mime) return out;
    int32 ref = 0;
    for (const QString& format : mime->formats()) {
        if (!format.startsWith(kMimePrefix)) continue;
        bool ok = false;
        const long number = format.mid(kMimePrefix.size()).toLong(&ok);
        if (!ok || number == long(kXGFlavor_Text) || number == long(kXGFlavor_File) || number == 2) continue;
        const QByteArray bytes = mime->data(format);
        out.push_back({ref++, FourCharCode(number), std::string(bytes.constData(), size_t(bytes.size()))});
    }
    std::string firstAddress;
    if (mime->hasUrls()) {
        size_t taken = 0;
        for (const QUrl& url : mime->urls()) {
            if (taken >= maxItems) break;
            if (!url.isValid()) continue;
            if (url.isLocalFile()) {
                const std::string path = Utf8(url.toLocalFile());
                if (path.empty()) continue;
                out.push_back({ref++, kXGFlavor_File, path});
            } else {
                const std::string address = Utf8(url.toString());
                if (address.empty()) continue;
                if (firstAddress.empty()) firstAddress = address;
                out.push_back({ref++, kXGFlavor_URL, address});
            }
            ++taken;
        }
    }
    if (mime->hasText())
        out.push_back({ref++, kXGFlavor_Text, Utf8(mime->text())});
    else if (!firstAddress.empty())
        out.push_back({ref++, kXGFlavor_Text, firstAddress});
    return out;
}

// ---------------------------------------------------------------------------------------------
// The source side

XGDragger::XGDragger(XGView* source) : fSource(source) {}

XGDragger::~XGDragger() = default;

void XGDragger::AddObject(const tagRECT& r) {
    fOutlines.push_back(r);
}

void XGDragger::AddFlavor(FourCharCode flavor, const void* dataP, size_t length) {
    std::string bytes;
    if (dataP && length) bytes.assign(static_cast<const char*>(dataP), length);
    fItems.push_back({int32(fItems.size()), flavor, std::move(bytes)});
}

void XGDragger::AddText(const std::string& utf8) {
    fItems.push_back({int32(fItems.size()), kXGFlavor_Text, utf8});
}

void XGDragger::SetRunHook(RunHook hook) {
    Hook() = std::move(hook);
}

QMimeData* XGDragger::MakeMimeData() const {
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (const XGDragItem& item : fItems) {
        if (item.flavor == kXGFlavor_Text)
            mime->setText(FromUtf8(item.bytes));
        else if (item.flavor == kXGFlavor_File)
            urls.push_back(QUrl::fromLocalFile(FromUtf8(item.bytes)));
        else if (item.flavor == kXGFlavor_URL)
            urls.push_back(QUrl(FromUtf8(item.bytes)));
        else
            mime->setData(QString::fromStdString(XGDragFlavorMimeType(item.flavor)),
                          QByteArray(item.bytes.data(), qsizetype(item.bytes.size())));
    }
    if (!urls.isEmpty()) mime->setUrls(urls);
    return mime;
}

XGDropAction XGDragger::Track(Point start) {
    QMimeData* mime = MakeMimeData();
    if (Hook()) {
        const XGDropAction action = Hook()(mime, fSource, start);
        delete mime;
        return action;
    }
    QWidget* widget = fSource ? fSource->GetWidget() : nullptr;
    if (!widget) {
        delete mime;
        return kXGDrop_None;
    }
    auto* drag = new QDrag(widget);
    drag->setMimeData(mime);
    if (!fOutlines.empty()) {
        QRect box;
        for (const tagRECT& r : fOutlines)
            box = box.united(QRect(r.left, r.top, std::max(1, r.Width()), std::max(1, r.Height())));
        const QPoint press(start.h, start.v);
        QRect shown = box.intersected(QRect(press - QPoint(kMaxDragPixmap / 2, kMaxDragPixmap / 2),
                                            QSize(kMaxDragPixmap, kMaxDragPixmap)));
        if (!shown.isEmpty()) {
            QPixmap pixmap(shown.size());
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setPen(QPen(QColor(0, 0, 0, 160), 1, Qt::DashLine));
            for (const tagRECT& r : fOutlines) {
                const QRect outline =
                    QRect(r.left, r.top, r.Width(), r.Height()).translated(-shown.topLeft());
                if (outline.intersects(pixmap.rect())) painter.drawRect(outline.adjusted(0, 0, -1, -1));
            }
            painter.end();
            drag->setPixmap(pixmap);
            drag->setHotSpot(press - shown.topLeft());
        }
    }
    const Qt::DropAction done = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    // The drag object goes with its source widget; it is not needed any longer.
    drag->deleteLater();
    switch (done) {
    case Qt::CopyAction:
        return kXGDrop_Copy;
    case Qt::MoveAction:
        return kXGDrop_Move;
    default:
        return kXGDrop_None;
    }
}

// ---------------------------------------------------------------------------------------------
// The target side

bool XGDropper::HandleDragEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* e = static_cast<QDragEnterEvent*>(event);
        const uint16 mods = XGKeyboard::StateFromPlatform(e->modifiers(), e->buttons());
        fAccepting = false;
        for (const XGDragItem& item : XGDragItemsFromMime(e->mimeData(), 1))
            if (Accept(mods, item.itemRef, item.flavor)) {
                fAccepting = true;
                break;
            }
        if (!fAccepting) {
            e->ignore();
            return true;
        }
        // Whatever is dropped here is copied: a file manager must never remove its file.
        e->setDropAction(Qt::CopyAction);
        e->accept();
        Track(ToPoint(e->position()), mods);
        return true;
    }
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (!fAccepting) {
            e->ignore();
            return true;
        }
        e->setDropAction(Qt::CopyAction);
        e->accept();
        Track(ToPoint(e->position()), XGKeyboard::StateFromPlatform(e->modifiers(), e->buttons()));
        return true;
    }
    case QEvent::DragLeave:
        fAccepting = false;
        DragLeave();
        event->accept();
        return true;
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        const bool wasAccepting = fAccepting;
        fAccepting = false;
        const Point where = ToPoint(e->position());
        const uint16 mods = XGKeyboard::StateFromPlatform(e->modifiers(), e->buttons());
        const std::vector<XGDragItem> items = XGDragItemsFromMime(e->mimeData());
        bool any = false;
        for (const XGDragItem& item : items)
            any = any || Accept(mods, item.itemRef, item.flavor);
        if (!wasAccepting || !any || !DropStart(where, mods)) {
            DragLeave();
            e->ignore();
            return true;
        }
        for (const XGDragItem& item : items)
            if (Accept(mods, item.itemRef, item.flavor))
                Drop(where, mods, item.itemRef, item.flavor, item.bytes.data(), int32(item.bytes.size()));
        DropEnd(where, mods);
        e->setDropAction(Qt::CopyAction);
        e->accept();
        return true;
    }
    default:
        return false;
    }
}

void XGDragReceiver::Add(int32 itemRef, FourCharCode flavor, const void* dataP, int32 dataLen) {
    std::string bytes;
    if (dataP && dataLen > 0) bytes.assign(static_cast<const char*>(dataP), size_t(dataLen));
    fItems.push_back({itemRef, flavor, std::move(bytes)});
}

const XGDragItem* XGDragReceiver::Find(FourCharCode flavor) const {
    for (const XGDragItem& item : fItems)
        if (item.flavor == flavor) return &item;
    return nullptr;
}

size_t XGDragReceiver::Count(FourCharCode flavor) const {
    return size_t(std::count_if(fItems.begin(), fItems.end(),
                                [flavor](const XGDragItem& item) { return item.flavor == flavor; }));
}

} // namespace yaaf
