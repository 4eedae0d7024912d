#include "XGClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace yaaf {

namespace {
QClipboard* SystemClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                        : nullptr;
}

const QMimeData* Contents() {
    QClipboard* board = SystemClipboard();
    return board ? board->mimeData() : nullptr;
}
} // namespace

XGClipboard::XGClipboard() = default;

XGClipboard::~XGClipboard() {
    delete fPending;
}

std::string XGClipboard::MimeTypeFor(const std::string& registeredName) {
    return "application/x-vorn-" + registeredName;
}

void XGClipboard::Open() {
    delete fPending;
    fPending = new QMimeData;
    if (QClipboard* board = SystemClipboard()) board->clear();
}

void XGClipboard::AddText(const std::string& utf8) {
    if (!fPending) return;
    fPending->setText(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

void XGClipboard::AddData(const std::string& registeredName, const std::string& bytes) {
    if (!fPending) return;
    fPending->setData(QString::fromStdString(MimeTypeFor(registeredName)),
                      QByteArray(bytes.data(), qsizetype(bytes.size())));
}

void XGClipboard::Close() {
    QMimeData* data = fPending;
    fPending = nullptr;
    if (!data) return;
    QClipboard* board = SystemClipboard();
    if (!board) {
        delete data;
        return;
    }
    board->setMimeData(data); // the clipboard takes it
}

bool XGClipboard::HasText() {
    const QMimeData* data = Contents();
    return data && data->hasText();
}

bool XGClipboard::HasData(const std::string& registeredName) {
    const QMimeData* data = Contents();
    return data && data->hasFormat(QString::fromStdString(MimeTypeFor(registeredName)));
}

bool XGClipboard::GetText(std::string& utf8) {
    utf8.clear();
    const QMimeData* data = Contents();
    if (!data || !data->hasText()) return false;
    const QByteArray bytes = data->text().toUtf8();
    utf8.assign(bytes.constData(), size_t(bytes.size()));
    return true;
}

bool XGClipboard::GetData(const std::string& registeredName, std::string& bytes) {
    bytes.clear();
    const QMimeData* data = Contents();
    const QString type = QString::fromStdString(MimeTypeFor(registeredName));
    if (!data || !data->hasFormat(type)) return false;
    const QByteArray raw = data->data(type);
    bytes.assign(raw.constData(), size_t(raw.size()));
    return true;
}

} // namespace yaaf
