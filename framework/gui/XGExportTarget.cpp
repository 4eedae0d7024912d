#include "XGExportTarget.h"

#include "XGPicture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cstring>

#include <zlib.h>

namespace yaaf {

namespace {

// Drawing units per inch: the screen's, as the board's fonts are measured there.
constexpr int kUnitsPerInch = 96;

void Take(const QByteArray& bytes, std::vector<uint8>& out) {
    out.assign(reinterpret_cast<const uint8*>(bytes.constData()),
               reinterpret_cast<const uint8*>(bytes.constData()) + bytes.size());
}

void PutBE32(std::vector<uint8>& out, uint32 v) {
    out.push_back(uint8(v >> 24));
    out.push_back(uint8(v >> 16));
    out.push_back(uint8(v >> 8));
    out.push_back(uint8(v));
}

void PutChunk(std::vector<uint8>& out, const char* type, const uint8* data, size_t size) {
    PutBE32(out, uint32(size));
    const size_t at = out.size();
    out.insert(out.end(), type, type + 4);
    if (size) out.insert(out.end(), data, data + size);
    PutBE32(out, uint32(crc32(0, out.data() + at, uInt(size + 4))));
}

// A PNG of the picture's colours (no alpha), written straight through zlib: every row filtered
// by its difference from the row above ("Up"), which turns the flat areas and straight edges of
// a board into runs of zeros, compressed as runs. Several times quicker than the general
// writer at a similar size for such pictures.
bool EncodeFastPNG(const QImage& source, std::vector<uint8>& out, std::string& error) {
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width(), height = image.height();
    const size_t rowBytes = size_t(width) * 3 + 1;
    std::vector<uint8> prev(rowBytes, 0), row(rowBytes), filtered(rowBytes);
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) {
        error = "cannot compress";
        return false;
    }
    std::vector<uint8> idat;
    idat.resize(deflateBound(&z, uLong(rowBytes * size_t(height))));
    z.next_out = idat.data();
    z.avail_out = uInt(idat.size());
    bool ok = true;
    for (int y = 0; y < height && ok; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uint8* p = row.data() + 1;
        for (int x = 0; x < width; ++x) {
            const QRgb c = line[x];
            *p++ = uint8(qRed(c));
            *p++ = uint8(qGreen(c));
            *p++ = uint8(qBlue(c));
        }
        filtered[0] = 2; // Up
        for (size_t i = 1; i < rowBytes; ++i)
            filtered[i] = uint8(row[i] - prev[i]);
        row.swap(prev);
        z.next_in = filtered.data();
        z.avail_in = uInt(rowBytes);
        ok = deflate(&z, y + 1 == height ? Z_FINISH : Z_NO_FLUSH) != Z_STREAM_ERROR && z.avail_in == 0;
    }
    if (height == 0) ok = deflate(&z, Z_FINISH) == Z_STREAM_END;
    const size_t compressed = idat.size() - z.avail_out;
    deflateEnd(&z);
    if (!ok) {
        error = "cannot compress";
        return false;
    }
    static const uint8 kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out.assign(kSignature, kSignature + 8);
    std::vector<uint8> header;
    PutBE32(header, uint32(width));
    PutBE32(header, uint32(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, truecolour, deflate, adaptive, none
    PutChunk(out, "IHDR", header.data(), header.size());
    PutChunk(out, "IDAT", idat.data(), compressed);
    PutChunk(out, "IEND", nullptr, 0);
    return true;
}

} // namespace

bool XGEncodePicture(const XGPicture& picture, const char* format, std::vector<uint8>& out,
                     std::string& error, int32 quality) {
    if (!picture.IsValid()) {
        error = "nothing was drawn";
        return false;
    }
    if (std::strcmp(format, "png") == 0 && quality < 0) return EncodeFastPNG(picture.GetImage(), out, error);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    // A picture of a board has no transparency worth keeping; without the alpha channel the
    // file is smaller and quicker to make.
    const QImage& image = picture.GetImage();
    const bool ok = image.hasAlphaChannel() ? writer.write(image.convertToFormat(QImage::Format_RGB32))
                                            : writer.write(image);
    if (!ok) {
        error = writer.errorString().toStdString();
        return false;
    }
    Take(bytes, out);
    return true;
}

struct XGVectorPage::Impl {
    XGVectorFormat format;
    QByteArray bytes;
    QBuffer buffer{&bytes};
    std::unique_ptr<QPdfWriter> pdf;
    std::unique_ptr<QSvgGenerator> svg;
    QPainter painter;
    bool begun = false;
};

XGVectorPage::XGVectorPage(XGVectorFormat format, int32 width, int32 height, const std::string& title)
    : fImpl(std::make_unique<Impl>()) {
    Impl& d = *fImpl;
    d.format = format;
    if (width <= 0 || height <= 0) return;
    d.buffer.open(QIODevice::WriteOnly);
    const QString name = QString::fromStdString(title);
    if (format == XGVectorFormat::kPDF) {
        d.pdf = std::make_unique<QPdfWriter>(&d.buffer);
        d.pdf->setResolution(kUnitsPerInch);
        d.pdf->setTitle(name);
        d.pdf->setCreator(QStringLiteral("Vorn"));
        // The page is the drawing, without margins: width by height units at 96 to the inch.
        const QSizeF points(width * 72.0 / kUnitsPerInch, height * 72.0 / kUnitsPerInch);
        d.pdf->setPageLayout(
            QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        d.begun = d.painter.begin(d.pdf.get());
    } else {
        d.svg = std::make_unique<QSvgGenerator>();
        d.svg->setOutputDevice(&d.buffer);
        d.svg->setResolution(kUnitsPerInch);
        d.svg->setSize(QSize(width, height));
        d.svg->setViewBox(QRect(0, 0, width, height));
        d.svg->setTitle(name);
        d.begun = d.painter.begin(d.svg.get());
    }
    if (!d.begun) return;
    d.painter.fillRect(QRect(0, 0, width, height), Qt::white);
    fDraw = std::make_unique<XGDraw>(&d.painter);
}

XGVectorPage::~XGVectorPage() {
    fDraw.reset();
    if (fImpl->painter.isActive()) fImpl->painter.end();
}

bool XGVectorPage::Finish(std::vector<uint8>& out, std::string& error) {
    Impl& d = *fImpl;
    fDraw.reset();
    if (!d.begun) {
        error = "the page could not be begun";
        return false;
    }
    if (!d.painter.end()) {
        error = "the page could not be finished";
        return false;
    }
    d.buffer.close();
    if (d.bytes.isEmpty()) {
        error = "nothing was written";
        return false;
    }
    Take(d.bytes, out);
    return true;
}

} // namespace yaaf
