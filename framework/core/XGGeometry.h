#pragma once
// Rectangle and point arithmetic. A rectangle is empty unless left < right and top < bottom;
// a point is inside when left <= h < right and top <= v < bottom.

#include "XGTypes.h"

namespace yaaf {

// The tests and the union below run for every item of a board in its walks: inline.
inline bool EmptyRect(const tagRECT& r) {
    return !(r.left < r.right && r.top < r.bottom);
}
// Moves left and right inwards by dh, top and bottom by dv; an empty result becomes all zeros.
void InsetRect(tagRECT& r, int32 dh, int32 dv);
void OffsetRect(tagRECT& r, int32 dh, int32 dv);
// The intersection (out may be a or b); an empty one becomes all zeros and answers false.
bool SectRect(const tagRECT& a, const tagRECT& b, tagRECT& out);
// When one rectangle is empty the other is the result, else the bounding rectangle.
inline void UnionRect(const tagRECT& a, const tagRECT& b, tagRECT& out) {
    if (EmptyRect(a)) {
        out = b;
    } else if (EmptyRect(b)) {
        out = a;
    } else {
        out = tagRECT{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
                      a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
    }
}
inline bool PtInRect(Point pt, const tagRECT& r) {
    return r.left <= pt.h && pt.h < r.right && r.top <= pt.v && pt.v < r.bottom;
}
// The square of 2 * slop around the point, then grown by `direction`: a positive value moves
// the right and bottom edges outwards, zero or a negative one moves the left and top edges
// (by adding the value).
void PointToRect(tagRECT& out, Point pt, int32 slop, int32 direction);
tagRECT MakeRect(int32 left, int32 top, int32 right, int32 bottom);

Point MakePoint(int32 h, int32 v);
Point AddPt(Point a, Point b); // a + b
Point SubPt(Point a, Point b); // a - b
// A point in 32 bits: h in the high half, v in the low half.
uint32 PackPoint(Point pt);
Point UnpackPoint(uint32 packed);

} // namespace yaaf
