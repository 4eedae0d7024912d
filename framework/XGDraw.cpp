#include "XGDraw.h"

#include <QImage>
#include <QPainter>

namespace yaaf {

namespace {

QColor ToQColor(XGColor c) {
    return QColor(c.red, c.green, c.blue, c.alpha);
}

QRect ToQRect(const tagRECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

} // namespace

XGDraw::XGDraw(QPainter* painter) : fPainter(painter) {
    fPainter->setFont(fFont.GetQFont());
    ApplyPen();
}

XGDraw::XGDraw(QImage* image) : fOwnedPainter(std::make_unique<QPainter>(image)) {
    fPainter = fOwnedPainter.get();
    fPainter->setFont(fFont.GetQFont());
    ApplyPen();
}

XGDraw::~XGDraw() = default;

void XGDraw::ApplyPen() {
    QPen pen(ToQColor(fPenColor));
    pen.setWidth(fPenWidth);
    pen.setCapStyle(Qt::SquareCap);
    fPainter->setPen(pen);
}

void XGDraw::SetFont(const XGFont& font) {
    fFont = font;
    fPainter->setFont(fFont.GetQFont());
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
    fPainter->save();
    fPainter->setPen(ToQColor(fTextColor));
    fPainter->drawText(QPoint(x, y), QString::fromStdString(text));
    fPainter->restore();
}

void XGDraw::EraseRect(const tagRECT& r) {
    FillRect(r, fBackColor);
}

void XGDraw::FillRect(const tagRECT& r, XGColor color) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    fPainter->fillRect(ToQRect(r), ToQColor(color));
}

void XGDraw::FrameRect(const tagRECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    const int32 w = fPenWidth;
    const QColor c = ToQColor(fPenColor);
    // Four bands rather than a stroked path, so the border stays inside the rectangle exactly.
    fPainter->fillRect(QRect(r.left, r.top, r.Width(), std::min(w, r.Height())), c);
    fPainter->fillRect(QRect(r.left, std::max(r.top, r.bottom - w), r.Width(), std::min(w, r.Height())), c);
    fPainter->fillRect(QRect(r.left, r.top, std::min(w, r.Width()), r.Height()), c);
    fPainter->fillRect(QRect(std::max(r.left, r.right - w), r.top, std::min(w, r.Width()), r.Height()), c);
}

void XGDraw::InvertRect(const tagRECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
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
    fPainter->drawLine(fPenX, fPenY, x, y);
    fPenX = x;
    fPenY = y;
}

void XGDraw::SetClip(const tagRECT& r) {
    fPainter->setClipRect(ToQRect(r));
}

void XGDraw::ClearClip() {
    fPainter->setClipping(false);
}

} // namespace yaaf
