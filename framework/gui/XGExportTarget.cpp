#include "XGExportTarget.h"

#include "XGPicture.h"
#include "XGPngDeflate.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace yaaf {

namespace {

// Drawing units per inch: the screen's, as the board's fonts are measured there.
constexpr int kUnitsPerInch = 96;

void Take(const QByteArray& bytes, std::vector<uint8>& out) {
    out.assign(reinterpret_cast<const uint8*>(bytes.constData()),
               reinterpret_cast<const uint8*>(bytes.constData()) + bytes.size());
}

// Whether the quick encoder takes the pixels as they are: premultiplied ones only while the
// picture is opaque (as a board's is, which spares a converted copy), so `opaqueOnly` for them.
bool TakenAsTheyAre(QImage::Format format, bool& opaqueOnly) {
    opaqueOnly = format == QImage::Format_ARGB32_Premultiplied;
    return opaqueOnly || format == QImage::Format_RGB32 || format == QImage::Format_ARGB32;
}

// Pictures of boards go through the quick encoder.
bool EncodeFastPNG(const QImage& source, std::vector<uint8>& out, std::string& error) {
    auto encode = [&out](const QImage& image, bool opaqueOnly) {
        return XGEncodeRowsPNG(reinterpret_cast<const uint32*>(image.constBits()), image.width(),
                               image.height(), int32(image.bytesPerLine() / 4), opaqueOnly, out);
    };
    bool opaqueOnly = false;
    if (TakenAsTheyAre(source.format(), opaqueOnly) && encode(source, opaqueOnly)) return true;
    const QImage converted = source.convertToFormat(QImage::Format_RGB32);
    if (converted.isNull()) {
        error = "cannot convert the picture";
        return false;
    }
    return encode(converted, false);
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

// The worker compresses rows as they are handed over, a few at a time. When the drawing ends,
// the rows it has not yet taken are split: it goes on with the upper half while the caller
// compresses the lower half as a second part, and the parts are joined.
struct XGPictureEncoder::Impl {
    // Rows the worker takes at once.
    static constexpr int32 kBatch = 16;
    // Fewer rows left than this are not worth a second part.
    static constexpr int32 kMinSplit = 32;

    const XGPicture& picture;
    std::unique_ptr<XGPngRowEncoder> first; // null when the pixels cannot be taken as they are
    const uint32* pixels = nullptr;
    int32 height = 0;
    int32 stride = 0;
    bool opaqueOnly = false;
    std::mutex mutex;
    std::condition_variable wake;
    int32 ready = 0;      // rows handed over
    int32 taken = 0;      // rows the worker has taken
    int32 limit = 0;      // where the worker's part ends
    bool abortB = false;
    bool failedB = false; // a pixel that could not be taken as it is
    std::thread worker;

    explicit Impl(const XGPicture& p) : picture(p) {}

    const uint32* Line(int32 y) const { return pixels + size_t(y) * size_t(stride); }

    bool Encode(XGPngRowEncoder& part, int32 from, int32 to) const {
        for (int32 y = from; y < to; ++y)
            if (!part.AddRow(Line(y), y ? Line(y - 1) : nullptr)) return false;
        return true;
    }

    void Run() {
        for (;;) {
            int32 from, to;
            {
                std::unique_lock<std::mutex> lock(mutex);
                wake.wait(lock, [&] { return abortB || taken >= limit || ready > taken; });
                if (abortB) return;
                if (taken >= limit) break;
                from = taken;
                to = std::min({ready, limit, taken + kBatch});
                taken = to;
            }
            if (!Encode(*first, from, to)) {
                std::lock_guard<std::mutex> lock(mutex);
                failedB = true;
                return;
            }
        }
        first->End(limit >= height);
    }
};

XGPictureEncoder::XGPictureEncoder(const XGPicture& picture) : fImpl(std::make_unique<Impl>(picture)) {
    Impl& d = *fImpl;
    if (!picture.IsValid()) return;
    const QImage& image = picture.GetImage();
    bool opaqueOnly = false;
    if (!TakenAsTheyAre(image.format(), opaqueOnly)) return;
    d.opaqueOnly = opaqueOnly;
    d.pixels = reinterpret_cast<const uint32*>(image.constBits());
    d.height = d.limit = image.height();
    d.stride = int32(image.bytesPerLine() / 4);
    d.first = std::make_unique<XGPngRowEncoder>(image.width(), image.height(), opaqueOnly);
    d.worker = std::thread([&d] { d.Run(); });
}

XGPictureEncoder::~XGPictureEncoder() {
    Impl& d = *fImpl;
    if (!d.worker.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(d.mutex);
        d.abortB = true;
    }
    d.wake.notify_one();
    d.worker.join();
}

void XGPictureEncoder::RowsDone(int32 rows) {
    Impl& d = *fImpl;
    if (!d.worker.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(d.mutex);
        d.ready = std::clamp(rows, d.ready, d.height);
    }
    d.wake.notify_one();
}

bool XGPictureEncoder::Finish(std::vector<uint8>& out, std::string& error) {
    Impl& d = *fImpl;
    if (!d.worker.joinable()) return XGEncodePicture(d.picture, "png", out, error);
    int32 split;
    {
        std::lock_guard<std::mutex> lock(d.mutex);
        d.ready = d.height;
        const int32 left = d.height - d.taken;
        split = left >= Impl::kMinSplit && !d.failedB ? d.taken + left / 2 : d.height;
        d.limit = split;
    }
    d.wake.notify_one();
    std::unique_ptr<XGPngRowEncoder> second;
    bool failedB = false;
    if (split < d.height) {
        second = std::make_unique<XGPngRowEncoder>(d.picture.GetImage().width(), d.height - split, d.opaqueOnly,
                                                   false);
        failedB = !d.Encode(*second, split, d.height);
        if (!failedB) second->End(true);
    }
    d.worker.join();
    if (failedB || d.failedB) return XGEncodePicture(d.picture, "png", out, error);
    d.first->Join(second ? std::vector<const XGPngRowEncoder*>{second.get()} : std::vector<const XGPngRowEncoder*>{},
                  out);
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
