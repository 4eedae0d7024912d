#pragma once
// Reading pixels of a drawn picture in tests.

#include <QImage>
#include <QRect>

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

} // namespace vorntest
