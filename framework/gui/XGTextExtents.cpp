#include "XGTextExtents.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>
#include <memory>
#include <vector>

namespace yaaf {

namespace {

// Bounds on what one thread keeps: a few boards' fonts and titles.
constexpr size_t kMaxFonts = 32;
constexpr qsizetype kMaxTexts = 32768;

// A font by its description, not the font itself: what a thread keeps outlives the application
// object that fonts need.
struct FontEntry {
    QString font;
    int32 dpi;
    std::unique_ptr<XGTextExtents> extents;
};

XGTextExtent Measure(const QString& text, const QFontMetrics& fm) {
    XGTextExtent e;
    e.advance = fm.horizontalAdvance(text);
    e.boundedB = std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x0300; });
    if (e.boundedB && !text.isEmpty()) {
        e.overhangLeft = std::max(0, -fm.leftBearing(text.front()));
        e.overhangRight = std::max(0, -fm.rightBearing(text.back()));
    }
    return e;
}

} // namespace

XGTextExtents& XGTextExtents::For(const XGFont& font, int32 dpi) {
    thread_local std::vector<FontEntry> fonts;
    const QString key = font.GetQFont().key();
    for (FontEntry& f : fonts)
        if (f.dpi == dpi && f.font == key) return *f.extents;
    if (fonts.size() >= kMaxFonts) fonts.clear();
    fonts.push_back({key, dpi, std::make_unique<XGTextExtents>()});
    return *fonts.back().extents;
}

const XGTextExtent& XGTextExtents::Get(const QString& text, const QFontMetrics& metrics) {
    const auto found = fExtents.constFind(text);
    if (found != fExtents.constEnd()) return *found;
    if (fExtents.size() >= kMaxTexts) fExtents.clear();
    return *fExtents.insert(text, Measure(text, metrics));
}

} // namespace yaaf
