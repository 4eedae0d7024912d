#pragma once
// Drawing on a view (inside its DoDraw) or on an offscreen image. Coordinates are the target's
// own pixels; text is UTF-8 and drawn with its baseline at the given y.

#include "XGFont.h"
#include "XGTypes.h"

#include <memory>
#include <string>

class QPainter;
class QImage;

namespace yaaf {

struct XGColor {
    uint8 red = 0;
    uint8 green = 0;
    uint8 blue = 0;
    uint8 alpha = 255;

    bool operator==(const XGColor&) const = default;

    static constexpr XGColor Black() { return {0, 0, 0, 255}; }
    static constexpr XGColor White() { return {255, 255, 255, 255}; }
    static constexpr XGColor RGB(uint8 r, uint8 g, uint8 b) { return {r, g, b, 255}; }
};

class XGDraw {
public:
    // Draws with a painter that someone else owns (a view's paint pass).
    explicit XGDraw(QPainter* painter);
    // Draws on an image until this object is destroyed.
    explicit XGDraw(QImage* image);
    XGDraw(const XGDraw&) = delete;
    XGDraw& operator=(const XGDraw&) = delete;
    ~XGDraw();

    void SetFont(const XGFont& font);
    const XGFont& GetFont() const { return fFont; }

    void SetTextColor(XGColor color);
    void SetPenColor(XGColor color);
    void SetPenWidth(int32 width);
    void SetBackColor(XGColor color);
    XGColor GetBackColor() const { return fBackColor; }

    void DrawText(int32 x, int32 y, const std::string& text);

    // Fills with the background colour.
    void EraseRect(const tagRECT& r);
    void FillRect(const tagRECT& r, XGColor color);
    // A border of the pen width inside the rectangle.
    void FrameRect(const tagRECT& r);
    // Inverts the colours inside the rectangle; twice restores them.
    void InvertRect(const tagRECT& r);

    void MoveTo(int32 x, int32 y);
    void LineTo(int32 x, int32 y);

    void SetClip(const tagRECT& r);
    void ClearClip();

    // For framework code that needs more than this interface.
    QPainter* GetPainter() const { return fPainter; }

private:
    void ApplyPen();

    QPainter* fPainter;
    std::unique_ptr<QPainter> fOwnedPainter;
    XGFont fFont;
    XGColor fTextColor = XGColor::Black();
    XGColor fPenColor = XGColor::Black();
    XGColor fBackColor = XGColor::White();
    int32 fPenWidth = 1;
    int32 fPenX = 0;
    int32 fPenY = 0;
};

} // namespace yaaf
