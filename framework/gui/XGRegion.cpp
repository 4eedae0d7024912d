#include "XGRegion.h"

#include "XGRegionData.h"

#include <QRectF>
#include <QTransform>

#include <cmath>

namespace yaaf {

namespace {
QPolygonF RectOutline(const tagRECT& r) {
    QPolygonF poly;
    poly << QPointF(r.left, r.top) << QPointF(r.right, r.top) << QPointF(r.right, r.bottom)
         << QPointF(r.left, r.bottom);
    return poly;
}

QRectF OutlineBounds(const QList<QPolygonF>& outlines) {
    QRectF bounds;
    bool first = true;
    for (const QPolygonF& poly : outlines) {
        if (poly.isEmpty()) continue;
        const QRectF b = poly.boundingRect();
        bounds = first ? b : bounds.united(b);
        first = false;
    }
    return bounds;
}
} // namespace

XGRegion::XGRegion() : fData(std::make_unique<XGRegionData>()) {}

XGRegion::XGRegion(const tagRECT& r) : XGRegion() {
    Union(r);
}

XGRegion::XGRegion(const XGRegion& other) : fData(std::make_unique<XGRegionData>(*other.fData)) {}

XGRegion& XGRegion::operator=(const XGRegion& other) {
    if (this != &other) *fData = *other.fData;
    return *this;
}

XGRegion::~XGRegion() = default;

void XGRegion::SetFromPolyLine(const Point* points, int32 count) {
    fData->outlines.clear();
    if (!points || count <= 0) return;
    QPolygonF poly;
    for (int32 i = 0; i < count; ++i)
        poly << QPointF(points[i].h, points[i].v);
    fData->outlines.append(poly);
}

void XGRegion::Map(const tagRECT& from, const tagRECT& to) {
    if (from.right <= from.left || from.bottom <= from.top) return;
    const double sx = double(to.right - to.left) / double(from.right - from.left);
    const double sy = double(to.bottom - to.top) / double(from.bottom - from.top);
    QTransform t;
    t.translate(to.left, to.top);
    t.scale(sx, sy);
    t.translate(-from.left, -from.top);
    for (QPolygonF& poly : fData->outlines)
        poly = t.map(poly);
}

void XGRegion::Map(const tagRECT& to) {
    const tagRECT from = GetBounds();
    Map(from, to);
}

void XGRegion::Union(const XGRegion& other) {
    if (&other == this) return;
    fData->outlines.append(other.fData->outlines);
}

void XGRegion::Union(const tagRECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    fData->outlines.append(RectOutline(r));
}

void XGRegion::Offset(int32 dh, int32 dv) {
    for (QPolygonF& poly : fData->outlines)
        poly.translate(dh, dv);
}

void XGRegion::SetEmpty() {
    fData->outlines.clear();
}

bool XGRegion::IsEmpty() const {
    for (const QPolygonF& poly : fData->outlines) {
        const QRectF b = poly.boundingRect();
        if (b.width() > 0 && b.height() > 0) return false;
    }
    return true;
}

bool XGRegion::Contains(Point pt) const {
    return Contains(pt.h, pt.v);
}

bool XGRegion::Contains(int32 h, int32 v) const {
    // The pixel's centre decides, as when the area is filled.
    const QPointF p(h + 0.5, v + 0.5);
    for (const QPolygonF& poly : fData->outlines)
        if (poly.containsPoint(p, Qt::OddEvenFill)) return true;
    return false;
}

tagRECT XGRegion::GetBounds() const {
    const QRectF b = OutlineBounds(fData->outlines);
    if (b.isNull()) return {};
    return tagRECT{int32(std::floor(b.left())), int32(std::floor(b.top())), int32(std::ceil(b.right())),
                   int32(std::ceil(b.bottom()))};
}

} // namespace yaaf
