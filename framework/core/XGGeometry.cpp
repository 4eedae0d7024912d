#include "XGGeometry.h"

#include <algorithm>
#include <limits>

namespace yaaf {

namespace {
// Edges are computed wide and brought back into range, so that extreme values cannot overflow.
int32 Clamp32(int64 value) {
    return int32(
        std::clamp<int64>(value, std::numeric_limits<int32>::min(), std::numeric_limits<int32>::max()));
}
} // namespace

void InsetRect(tagRECT& r, int32 dh, int32 dv) {
    r.left = Clamp32(int64(r.left) + dh);
    r.right = Clamp32(int64(r.right) - dh);
    r.top = Clamp32(int64(r.top) + dv);
    r.bottom = Clamp32(int64(r.bottom) - dv);
    if (EmptyRect(r)) r = tagRECT{};
}

void OffsetRect(tagRECT& r, int32 dh, int32 dv) {
    r.left = Clamp32(int64(r.left) + dh);
    r.right = Clamp32(int64(r.right) + dh);
    r.top = Clamp32(int64(r.top) + dv);
    r.bottom = Clamp32(int64(r.bottom) + dv);
}

bool SectRect(const tagRECT& a, const tagRECT& b, tagRECT& out) {
    const tagRECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
    if (EmptyRect(r)) {
        out = tagRECT{};
        return false;
    }
    out = r;
    return true;
}

void PointToRect(tagRECT& out, Point pt, int32 slop, int32 direction) {
    out.left = Clamp32(int64(pt.h) - slop);
    out.top = Clamp32(int64(pt.v) - slop);
    out.right = Clamp32(int64(pt.h) + slop);
    out.bottom = Clamp32(int64(pt.v) + slop);
    if (direction > 0) {
        out.right = Clamp32(int64(out.right) + direction);
        out.bottom = Clamp32(int64(out.bottom) + direction);
    } else {
        out.left = Clamp32(int64(out.left) + direction);
        out.top = Clamp32(int64(out.top) + direction);
    }
}

tagRECT MakeRect(int32 left, int32 top, int32 right, int32 bottom) {
    return tagRECT{left, top, right, bottom};
}

Point MakePoint(int32 h, int32 v) {
    Point pt;
    pt.h = int16(h);
    pt.v = int16(v);
    return pt;
}

// Sums wrap around in 16 bits like the records they come from.
Point AddPt(Point a, Point b) {
    return MakePoint(int32(a.h) + b.h, int32(a.v) + b.v);
}

Point SubPt(Point a, Point b) {
    return MakePoint(int32(a.h) - b.h, int32(a.v) - b.v);
}

uint32 PackPoint(Point pt) {
    return (uint32(uint16(pt.h)) << 16) | uint32(uint16(pt.v));
}

Point UnpackPoint(uint32 packed) {
    return MakePoint(int16(uint16(packed >> 16)), int16(uint16(packed & 0xFFFF)));
}

} // namespace yaaf
