#pragma once
// Reading pixels of a drawn picture in tests, and writing picture files of one colour.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

namespace vorntest {

// The pixel's colour without its alpha.
inline QRgb At(const QImage& image, int x, int y) {
    Q_ASSERT(image.valid(x, y));
    return image.pixel(x, y) & 0xFFFFFF;
}

// The pixels of the area (clipped to the image) whose colour passes the test.
template <typename Test> int CountPixels(const QImage& image, const QRect& area, Test&& test) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += bool(test(At(image, x, y)));
    return n;
}

// The pixels of the area darker than middle grey.
inline int DarkPixels(const QImage& image, const QRect& area) {
    return CountPixels(image, area, [](QRgb c) { return qGray(c) < 128; });
}

// A picture file of one colour; false when it cannot be written.
inline bool SavePicture(const QString& path, int width, int height, const QColor& colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image.save(path);
}

} // namespace vorntest
