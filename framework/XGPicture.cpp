#include "XGPicture.h"

#include "XGDraw.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

namespace yaaf {

namespace {
// Larger pictures are refused rather than decoded into gigabytes.
constexpr int kMaxPictureSide = 32767;

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
    return Decode(reader, *fImage);
}

bool XGPicture::LoadFromData(const void* bytes, int32 size) {
    *fImage = QImage();
    if (!bytes || size <= 0) return false;
    QByteArray data(static_cast<const char*>(bytes), size);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return Decode(reader, *fImage);
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
