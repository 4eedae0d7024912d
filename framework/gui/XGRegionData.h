#pragma once
// Framework-internal: what an XGRegion holds.

#include <QList>
#include <QPainterPath>
#include <QPolygonF>

namespace yaaf {

struct XGRegionData {
    // Closed outlines (rectangles become four-point outlines) in drawing coordinates.
    QList<QPolygonF> outlines;

    // The area: each outline filled by the even-odd rule, all of them united.
    QPainterPath Path() const {
        QPainterPath all;
        all.setFillRule(Qt::WindingFill);
        for (const QPolygonF& poly : outlines) {
            QPainterPath one;
            one.setFillRule(Qt::OddEvenFill);
            one.addPolygon(poly);
            one.closeSubpath();
            all = all.united(one);
        }
        return all;
    }
};

} // namespace yaaf
