#include "XGPicture.h"

#include "XGDraw.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cctype>

namespace yaaf {

namespace {
// Larger pictures are refused rather than decoded into gigabytes.
constexpr int kMaxPictureSide = 32767;

bool EndsWithIco(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail)
        c = char(std::tolower((unsigned char)c));
    return tail == ".ico";
}

// An icon holds several pictures: the one of 32 by 32 if there is one, else the first,
// scaled to 32 by 32.
bool DecodeIcon(QImageReader& reader, QImage& out) {
    reader.setFormat("ico");
    QImage chosen;
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count && i < 64; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) break;
        QImage image;
        if (!reader.read(&image) || image.isNull()) break;
        if (chosen.isNull() || image.size() == QSize(32, 32)) chosen = image;
        if (image.size() == QSize(32, 32)) break;
    }
    if (chosen.isNull()) return false;
    if (chosen.size() != QSize(32, 32))
        chosen = chosen.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out = chosen.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return !out.isNull();
}

bool Decode(QImageReader& reader, QImage& out) {
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)) return false;
    QImage image;
    if (!reader.read(&image) || image.isNull()) return false;
    out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return !out.isNull();
}
} // namespace

XGPicture::XGPicture() : fImage(std::make_unique<QImage>()) {}
XGPicture::~XGPicture() = default;

bool XGPicture::LoadFromFile(const std::string& path) {
    *fImage = QImage();
    if (path.empty()) return false;
    QImageReader reader(QString::fromStdString(path));
    if (EndsWithIco(path)) return DecodeIcon(reader, *fImage);
    return Decode(reader, *fImage);
}

bool XGPicture::LoadFromData(const void* bytes, int32 size, const std::string& nameHint,
                             const std::string& mimeHint) {
    *fImage = QImage();
    if (!bytes || size <= 0) return false;
    QByteArray data = QByteArray::fromRawData(static_cast<const char*>(bytes), size);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (EndsWithIco(nameHint)) return DecodeIcon(reader, *fImage);
    if (!Decode(reader, *fImage) && !mimeHint.empty()) {
        // Some formats (TGA, for one) are not recognised from their bytes: try the named type.
        const QString type = QString::fromStdString(mimeHint).section(QChar(';'), 0, 0).trimmed();
        QByteArray format = type.section(QChar('/'), 1).toLatin1().toLower();
        if (format.startsWith("x-")) format = format.mid(2);
        if (!format.isEmpty()) {
            buffer.seek(0);
            QImageReader named(&buffer, format);
            named.setDecideFormatFromContent(false);
            return Decode(named, *fImage);
        }
        return false;
    }
    return !fImage->isNull();
}

void XGPicture::Fill(uint8 red, uint8 green, uint8 blue, uint8 alpha) {
    if (!fImage->isNull()) fImage->fill(QColor(red, green, blue, alpha));
}

bool XGPicture::IsValid() const {
    return !fImage->isNull();
}
int32 XGPicture::Width() const {
    return fImage->width();
}
int32 XGPicture::Height() const {
    return fImage->height();
}
tagRECT XGPicture::GetSrcFrame() const {
    return tagRECT{0, 0, Width(), Height()};
}

bool XGPicture::Allocate(int32 width, int32 height) {
    *fImage = QImage();
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) return false;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return false;
    image.fill(Qt::transparent);
    *fImage = std::move(image);
    return true;
}

XGDraw* XGPicture::NewDraw() {
    if (fImage->isNull()) return nullptr;
    return new XGDraw(fImage.get());
}

void XGPicture::UpdateDest(void* context, bool isOffs) {
    fDest = context;
    fDestIsOffs = isOffs;
}

void XGPicture::SetDest(void* context, bool isOffs) {
    fSavedDest = fDest;
    fSavedIsOffs = fDestIsOffs;
    fHasSaved = true;
    fDest = context;
    fDestIsOffs = isOffs;
}

bool XGPicture::RestoreDest() {
    if (!fHasSaved) return false;
    fDest = fSavedDest;
    fDestIsOffs = fSavedIsOffs;
    fHasSaved = false;
    return true;
}

} // namespace yaaf
