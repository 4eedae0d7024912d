#pragma once
// How far lines of text reach in a font, remembered per thread: a board draws the same titles
// in the same few fonts on every pass, and measuring a line shapes it as drawing it does.

#include "XGFont.h"
#include "XGTypes.h"

#include <QHash>
#include <QString>

class QFontMetrics;

namespace yaaf {

struct XGTextExtent {
    int32 advance = 0;
    // How far the ink may reach past the pen's start and end (0 or more); only with `boundedB`,
    // which is false for text whose ink those cannot bound (marks stacked on letters, scripts
    // whose glyphs join).
    int32 overhangLeft = 0;
    int32 overhangRight = 0;
    bool boundedB = false;
};

class XGTextExtents {
public:
    // The extents of text in `font` measured by `metrics` on a device of `dpi` dots per inch
    // (the current thread's, created on first use).
    static XGTextExtents& For(const XGFont& font, int32 dpi);

    const XGTextExtent& Get(const QString& text, const QFontMetrics& metrics);

private:
    QHash<QString, XGTextExtent> fExtents;
};

} // namespace yaaf
