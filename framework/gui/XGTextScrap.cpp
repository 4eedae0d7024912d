#include "XGTextScrap.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace yaaf {

namespace {
const char* const kBytesType = "application/x-vorn-TEXT";

QClipboard* Board() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                        : nullptr;
}
} // namespace

bool XGScrapHasText() {
    QClipboard* board = Board();
    if (!board) return false;
    const QMimeData* data = board->mimeData();
    return data && (data->hasFormat(kBytesType) || data->hasText());
}

std::string XGScrapGetText() {
    QClipboard* board = Board();
    if (!board) return {};
    const QMimeData* data = board->mimeData();
    if (!data) return {};
    if (data->hasFormat(kBytesType)) {
        const QByteArray bytes = data->data(kBytesType);
        return std::string(bytes.constData(), size_t(bytes.size()));
    }
    if (data->hasText()) return data->text().toStdString();
    return {};
}

void XGScrapSetText(const std::string& bytes) {
    QClipboard* board = Board();
    if (!board) return;
    auto* data = new QMimeData;
    data->setData(kBytesType, QByteArray(bytes.data(), qsizetype(bytes.size())));
    data->setText(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
    board->setMimeData(data);
}

} // namespace yaaf
