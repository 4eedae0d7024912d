#include "XGDraw.h"

#include "XGPicture.h"
#include "XGRegion.h"
#include "XGRegionData.h"
#include "XGTextExtents.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace yaaf {

namespace {

QColor ToQColor(XGColor c) {
    return QColor(c.red, c.green, c.blue, c.alpha);
}

QRect ToQRect(const tagRECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool IsVector(QPainter* painter) {
    const QPaintEngine* engine = painter->paintEngine();
    return engine && (engine->type() == QPaintEngine::Pdf || engine->type() == QPaintEngine::SVG);
}

} // namespace

XGDraw::XGDraw(QPainter* painter) : fPainter(painter), fVectorB(IsVector(painter)) {
    fPainter->setFont(fFont.GetQFont());
    fMetrics = std::make_unique<QFontMetrics>(fFont.GetQFont(), fPainter->device());
    ApplyPen();
}

XGDraw::XGDraw(QImage* image) : fOwnedPainter(std::make_unique<QPainter>(image)) {
    fPainter = fOwnedPainter.get();
    fVectorB = IsVector(fPainter);
    fPainter->setFont(fFont.GetQFont());
    fMetrics = std::make_unique<QFontMetrics>(fFont.GetQFont(), fPainter->device());
    ApplyPen();
}

XGDraw::~XGDraw() = default;

QPainter* XGDraw::GetPainter() {
    ApplyClip();
    return fPainter;
}

void XGDraw::ApplyPen() {
    QPen pen(ToQColor(fPenColor));
    pen.setWidth(fPenWidth);
    pen.setCapStyle(Qt::SquareCap);
    // Square corners where a page strokes a rectangle.
    pen.setJoinStyle(Qt::MiterJoin);
    fPainter->setPen(pen);
}

void XGDraw::SetFont(const XGFont& font) {
    if (font == fFont) return;
    fFont = font;
    fPainter->setFont(fFont.GetQFont());
    *fMetrics = QFontMetrics(fFont.GetQFont(), fPainter->device());
    fExtents = nullptr;
}

const XGTextExtent& XGDraw::Extent(const QString& line) {
    if (!fExtents) fExtents = &XGTextExtents::For(fFont, fPainter->device()->logicalDpiY());
    return fExtents->Get(line, *fMetrics);
}

void XGDraw::SetTextColor(XGColor color) {
    fTextColor = color;
}

void XGDraw::SetPenColor(XGColor color) {
    fPenColor = color;
    ApplyPen();
}

void XGDraw::SetPenWidth(int32 width) {
    fPenWidth = width < 1 ? 1 : width;
    ApplyPen();
}

void XGDraw::SetBackColor(XGColor color) {
    fBackColor = color;
}

void XGDraw::DrawText(int32 x, int32 y, const std::string& text) {
    DrawLine(x, y, QString::fromStdString(text));
}

void XGDraw::EraseRect(const tagRECT& r) {
    FillRect(r, fBackColor);
}

void XGDraw::FillRect(const tagRECT& r, XGColor color) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    ApplyClip();
    fPainter->fillRect(ToQRect(r), ToQColor(color));
}

void XGDraw::FrameRect(const tagRECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    const int32 w = fPenWidth;
    const QColor c = ToQColor(fPenColor);
    ApplyClip();
    // Four bands rather than a stroked path, so the border stays inside the rectangle exactly.
    const QRect bands[4] = {
        QRect(r.left, r.top, r.Width(), std::min(w, r.Height())),
        QRect(r.left, std::max(r.top, r.bottom - w), r.Width(), std::min(w, r.Height())),
        QRect(r.left, r.top, std::min(w, r.Width()), r.Height()),
        QRect(std::max(r.left, r.right - w), r.top, std::min(w, r.Width()), r.Height()),
    };
    if (!fVectorB) {
        for (const QRect& band : bands)
            fPainter->fillRect(band, c);
        return;
    }
    // On a page the pen draws the border as one stroked rectangle, its middle half a pen width
    // inside, which covers the bands exactly: fills would write the drawing state around them.
    if (r.Width() > 2 * w && r.Height() > 2 * w) {
        if (fPainter->brush().style() != Qt::NoBrush) fPainter->setBrush(Qt::NoBrush);
        const qreal half = w / 2.0;
        fPainter->drawRect(QRectF(r.left + half, r.top + half, r.Width() - w, r.Height() - w));
        return;
    }
    fPainter->setPen(Qt::NoPen);
    fPainter->setBrush(c);
    fPainter->drawRects(bands, 4);
    fPainter->setBrush(Qt::NoBrush);
    ApplyPen();
}

void XGDraw::InvertRect(const tagRECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    ApplyClip();
    fPainter->save();
    fPainter->setCompositionMode(QPainter::CompositionMode_Difference);
    fPainter->fillRect(ToQRect(r), Qt::white);
    fPainter->restore();
}

void XGDraw::MoveTo(int32 x, int32 y) {
    fPenX = x;
    fPenY = y;
}

void XGDraw::LineTo(int32 x, int32 y) {
    ApplyClip();
    fPainter->drawLine(fPenX, fPenY, x, y);
    fPenX = x;
    fPenY = y;
}

void XGDraw::SetClip(const tagRECT& r) {
    tagRECT sect = r;
    if (fHasBaseClip) {
        sect = tagRECT{std::max(r.left, fBaseClip.left), std::max(r.top, fBaseClip.top),
                       std::min(r.right, fBaseClip.right), std::min(r.bottom, fBaseClip.bottom)};
        if (sect.right < sect.left) sect.right = sect.left;
        if (sect.bottom < sect.top) sect.bottom = sect.top;
    }
    // One already on the painter is replaced at once, as what follows may reach past it.
    fClip = sect;
    if (fClipState == ClipState::kNone) fClipState = ClipState::kPending;
    else if (fClipState == ClipState::kApplied) fPainter->setClipRect(ToQRect(sect));
}

void XGDraw::ApplyClip() {
    if (fClipState != ClipState::kPending) return;
    fPainter->setClipRect(ToQRect(fClip));
    fClipState = ClipState::kApplied;
}

void XGDraw::ClearClip() {
    if (fClipState == ClipState::kApplied) {
        if (fHasBaseClip)
            fPainter->setClipRect(ToQRect(fBaseClip));
        else
            fPainter->setClipping(false);
    }
    fClipState = ClipState::kNone;
}

void XGDraw::SetBaseClip(const tagRECT& r) {
    fHasBaseClip = true;
    fBaseClip = r;
    fClipState = ClipState::kNone;
    fPainter->setClipRect(ToQRect(r));
}

void XGDraw::ClearBaseClip() {
    fHasBaseClip = false;
    fClipState = ClipState::kNone;
    fPainter->setClipping(false);
}

bool XGDraw::InsideClip(int32 x, int32 y, const XGTextExtent& extent) const {
    if (!extent.boundedB) return false;
    const QFontMetrics& fm = *fMetrics;
    // A pixel more each way for the smoothing of the edges.
    const int32 left = x - extent.overhangLeft - 1;
    const int32 right = x + extent.advance + extent.overhangRight + 1;
    return left >= fClip.left && right <= fClip.right && y - fm.ascent() >= fClip.top &&
           y + fm.descent() <= fClip.bottom;
}

void XGDraw::DrawLine(int32 x, int32 y, const QString& line, const XGTextExtent* extent) {
    if (fClipState == ClipState::kPending && !InsideClip(x, y, extent ? *extent : Extent(line))) ApplyClip();
    // Text takes the pen's colour; the pen is changed only when the text's differs.
    const bool ownColourB = !(fTextColor == fPenColor);
    if (ownColourB) fPainter->setPen(ToQColor(fTextColor));
    fPainter->drawText(QPoint(x, y), line);
    if (ownColourB) ApplyPen();
}

namespace {
// The paragraphs of a text: split at LF, CR and CR LF.
QStringList Paragraphs(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QChar('\r'), QChar('\n'));
    return t.split(QChar('\n'));
}

// Breaks one paragraph into lines no wider than `width` (at least one character a line).
void WrapParagraph(const QString& para, const QFontMetrics& fm, int width, QStringList& out) {
    if (para.isEmpty() || fm.horizontalAdvance(para) <= width) {
        out.append(para);
        return;
    }
    QString line;
    int at = 0;
    const int n = int(para.size());
    while (at < n) {
        // The next word with the blanks before it.
        int end = at;
        while (end < n && para[end] == QChar(' '))
            ++end;
        while (end < n && para[end] != QChar(' '))
            ++end;
        const QString word = para.mid(at, end - at);
        if (fm.horizontalAdvance(line + word) <= width) {
            line += word;
            at = end;
            continue;
        }
        if (!line.isEmpty()) {
            out.append(line);
            line.clear();
            // The blanks that ended the line are not carried to the next one.
            while (at < n && para[at] == QChar(' '))
                ++at;
            continue;
        }
        // A word wider than the line: break it where it stops fitting.
        int cut = at + 1;
        while (cut < end && fm.horizontalAdvance(para.mid(at, cut + 1 - at)) <= width)
            ++cut;
        out.append(para.mid(at, cut - at));
        at = cut;
    }
    if (!line.isEmpty()) out.append(line);
}
} // namespace

void XGDraw::DrawWrap(const std::string& text, const tagRECT& r, int32 length) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    const size_t n = length < 0 ? text.size() : std::min(text.size(), size_t(length));
    const QString all = QString::fromUtf8(text.data(), qsizetype(n));
    const QFontMetrics& fm = *fMetrics;
    const int width = r.right - r.left;
    const int ascent = fm.ascent();
    // The usual case: one line that fits.
    if (!all.contains(QChar('\n')) && !all.contains(QChar('\r'))) {
        const XGTextExtent& extent = Extent(all);
        if (extent.advance <= width) {
            DrawLine(r.left, r.top + ascent, all, &extent);
            return;
        }
    }
    ApplyClip();
    QStringList lines;
    for (const QString& para : Paragraphs(all))
        WrapParagraph(para, fm, width, lines);
    const int step = fm.lineSpacing();
    int32 y = r.top;
    fPainter->setPen(ToQColor(fTextColor));
    for (const QString& line : lines) {
        if (y >= r.bottom) break;
        if (!line.isEmpty()) fPainter->drawText(QPoint(r.left, y + ascent), line);
        y += step;
    }
    ApplyPen();
}

void XGDraw::MeasureText(const std::string& text, tagRECT& r) const {
    const QFontMetrics& fm = *fMetrics;
    // One line, the usual case, without splitting: a board lays out every title this way.
    if (text.find_first_of("\r\n") == std::string::npos) {
        r.right = r.left + fm.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
        r.bottom = r.top + fm.lineSpacing();
        return;
    }
    int width = 0;
    const QStringList paras = Paragraphs(QString::fromStdString(text));
    for (const QString& para : paras)
        width = std::max(width, fm.horizontalAdvance(para));
    r.right = r.left + width;
    r.bottom = r.top + int32(paras.size()) * fm.lineSpacing();
}

int32 XGDraw::TextWidth(const std::string& text) const {
    return fMetrics->horizontalAdvance(QString::fromStdString(text));
}

int32 XGDraw::LineHeight() const {
    return fMetrics->lineSpacing();
}

void XGDraw::InvertFrameRect(const tagRECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    const int32 wide = r.right - r.left;
    const int32 high = r.bottom - r.top;
    const int32 w = std::min({fPenWidth, wide, high});
    ApplyClip();
    fPainter->save();
    fPainter->setCompositionMode(QPainter::CompositionMode_Difference);
    // Top and bottom bands across the whole width, the sides between them: no pixel twice.
    fPainter->fillRect(QRect(r.left, r.top, wide, w), Qt::white);
    if (high > w)
        fPainter->fillRect(QRect(r.left, std::max(r.top + w, r.bottom - w), wide, std::min(w, high - w)),
                           Qt::white);
    if (high > 2 * w) {
        fPainter->fillRect(QRect(r.left, r.top + w, w, high - 2 * w), Qt::white);
        if (wide > w)
            fPainter->fillRect(
                QRect(std::max(r.left + w, r.right - w), r.top + w, std::min(w, wide - w), high - 2 * w),
                Qt::white);
    }
    fPainter->restore();
}

void XGDraw::PaintRect(const tagRECT& r) {
    FillRect(r, fPenColor);
}

void XGDraw::EraseRgn(const XGRegion& rgn) {
    ApplyClip();
    fPainter->fillPath(rgn.GetData().Path(), ToQColor(fBackColor));
}

void XGDraw::PaintRgn(const XGRegion& rgn) {
    ApplyClip();
    fPainter->fillPath(rgn.GetData().Path(), ToQColor(fPenColor));
}

void XGDraw::FrameRgn(const XGRegion& rgn) {
    ApplyClip();
    fPainter->save();
    QPen pen(ToQColor(fPenColor));
    pen.setWidth(fPenWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    fPainter->setPen(pen);
    fPainter->setBrush(Qt::NoBrush);
    for (const QPolygonF& poly : rgn.GetData().outlines)
        fPainter->drawPolygon(poly);
    fPainter->restore();
}

void XGDraw::InvertRgn(const XGRegion& rgn) {
    ApplyClip();
    fPainter->save();
    fPainter->setCompositionMode(QPainter::CompositionMode_Difference);
    fPainter->fillPath(rgn.GetData().Path(), Qt::white);
    fPainter->restore();
}

void XGDraw::DrawPicture(const XGPicture& picture, const tagRECT& dstR, const tagRECT* srcR, bool xorB) {
    if (!picture.IsValid() || dstR.right <= dstR.left || dstR.bottom <= dstR.top) return;
    const QRect src = srcR ? ToQRect(*srcR) : picture.GetImage().rect();
    if (src.width() <= 0 || src.height() <= 0) return;
    ApplyClip();
    if (xorB) {
        fPainter->save();
        fPainter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }
    fPainter->drawImage(ToQRect(dstR), picture.GetImage(), src);
    if (xorB) fPainter->restore();
}

void XGDraw::SetOrigin(int32 dh, int32 dv) {
    // A clip is placed where it was given, before the move.
    ApplyClip();
    fPainter->translate(dh - fOriginH, dv - fOriginV);
    fOriginH = dh;
    fOriginV = dv;
}

} // namespace yaaf
