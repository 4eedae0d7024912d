#pragma once
// An area of the drawing surface: a union of rectangles and closed polygons. The outlines are
// kept beside the pixel area so that a region can be framed as well as filled.

#include "XGTypes.h"

#include <memory>

namespace yaaf {

struct XGRegionData;

class XGRegion {
public:
    XGRegion();
    explicit XGRegion(const tagRECT& r);
    XGRegion(const XGRegion& other);
    XGRegion& operator=(const XGRegion& other);
    ~XGRegion();

    // Replaces the region by the polygon through the points, closed from the last point back to
    // the first and filled by the even-odd rule. Points are (v, h).
    void SetFromPolyLine(const Point* points, int32 count);
    // Maps the region from the rectangle `from` onto `to` (scaled and moved), as a picture drawn
    // in `from` would be stretched into `to`. An empty `from` leaves the region as it is.
    void Map(const tagRECT& from, const tagRECT& to);
    // Maps the region from its own bounds onto `to`.
    void Map(const tagRECT& to);
    void Union(const XGRegion& other);
    void Union(const tagRECT& r);
    void Offset(int32 dh, int32 dv);
    void SetEmpty();

    bool IsEmpty() const;
    bool Contains(Point pt) const;
    bool Contains(int32 h, int32 v) const;
    // The smallest rectangle around the region's outlines (all zeros when there are none).
    tagRECT GetBounds() const;

    // For framework code that draws.
    const XGRegionData& GetData() const { return *fData; }

private:
    std::unique_ptr<XGRegionData> fData;
};

} // namespace yaaf
