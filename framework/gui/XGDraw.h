#pragma once
// Drawing on a view (inside its DoDraw) or on an offscreen image. Coordinates are the target's
// own pixels; text is UTF-8 and drawn with its baseline at the given y.

#include "XGFont.h"
#include "XGTypes.h"

#include <memory>
#include <string>

class QPainter;
class QImage;
class QFontMetrics;
class QString;

namespace yaaf {

class XGPicture;
class XGRegion;
class XGTextExtents;
struct XGTextExtent;

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
    // Draws the text into the rectangle from its top-left corner, broken into lines at line
    // ends (LF, CR or CR LF) and between words where a line would pass the right edge; a word
    // longer than the width is broken inside. `length` limits the bytes drawn (-1: all). Lines
    // below the rectangle are not drawn.
    void DrawWrap(const std::string& text, const tagRECT& r, int32 length = -1);
    // The rectangle the text needs in the current font, from `r`'s top-left corner: as wide as
    // its widest line and as high as its lines, each the font's line spacing (an empty text is
    // one line of no width).
    void MeasureText(const std::string& text, tagRECT& r) const;
    int32 TextWidth(const std::string& text) const;
    int32 LineHeight() const;

    // Fills with the background colour.
    void EraseRect(const tagRECT& r);
    void FillRect(const tagRECT& r, XGColor color);
    // A border of the pen width inside the rectangle.
    void FrameRect(const tagRECT& r);
    // Inverts the colours inside the rectangle; twice restores them.
    void InvertRect(const tagRECT& r);
    // Inverts a border of the pen width inside the rectangle (corners once only).
    void InvertFrameRect(const tagRECT& r);
    // Fills with the pen colour.
    void PaintRect(const tagRECT& r);

    // The same for a region (an outline polygon); framing draws its outlines with the pen.
    void EraseRgn(const XGRegion& rgn);
    void PaintRgn(const XGRegion& rgn);
    void FrameRgn(const XGRegion& rgn);
    void InvertRgn(const XGRegion& rgn);

    // Copies the picture's `srcR` (all of it when null) into `dstR`, stretched when the sizes
    // differ; with xorB the picture is combined by exclusive-or instead of replacing.
    void DrawPicture(const XGPicture& picture, const tagRECT& dstR, const tagRECT* srcR = nullptr,
                     bool xorB = false);

    void MoveTo(int32 x, int32 y);
    void LineTo(int32 x, int32 y);

    void SetClip(const tagRECT& r);
    void ClearClip();
    // A clip that every later clip stays inside and that ClearClip returns to, for drawing a
    // part of a picture whose pieces set their own clips.
    void SetBaseClip(const tagRECT& r);
    void ClearBaseClip();

    // Moves what is drawn afterwards by (dh, dv): drawing at (x, y) lands on (x + dh, y + dv).
    void SetOrigin(int32 dh, int32 dv);
    int32 GetOriginH() const { return fOriginH; }
    int32 GetOriginV() const { return fOriginV; }

    int32 GetPenWidth() const { return fPenWidth; }
    XGColor GetTextColor() const { return fTextColor; }

    // For framework code that needs more than this interface (with any clip in force).
    QPainter* GetPainter();

private:
    void ApplyPen();
    // Draws one line of text, measured (when it was) as `extent`.
    void DrawLine(int32 x, int32 y, const QString& line, const XGTextExtent* extent = nullptr);
    // Measures through the remembered extents of the current font.
    const XGTextExtent& Extent(const QString& line);
    // Puts a clip that was set but not yet needed on the painter.
    void ApplyClip();
    // Whether a line of text at (x, y) stays inside the clip that waits (false when unsure).
    bool InsideClip(int32 x, int32 y, const XGTextExtent& extent) const;

    std::unique_ptr<QFontMetrics> fMetrics;
    XGTextExtents* fExtents = nullptr; // of the current font, found when first needed
    QPainter* fPainter;
    std::unique_ptr<QPainter> fOwnedPainter;
    XGFont fFont;
    XGColor fTextColor = XGColor::Black();
    XGColor fPenColor = XGColor::Black();
    XGColor fBackColor = XGColor::White();
    int32 fPenWidth = 1;
    int32 fPenX = 0;
    int32 fPenY = 0;
    int32 fOriginH = 0;
    int32 fOriginV = 0;
    bool fHasBaseClip = false;
    tagRECT fBaseClip;
    // A clip reaches the painter only when something drawn could pass its edges: boards clip
    // every item's text, which nearly always fits, and on a page (PDF, SVG) each clip is written
    // out again with all the drawing state it resets.
    enum class ClipState : uint8 { kNone, kPending, kApplied };
    ClipState fClipState = ClipState::kNone;
    tagRECT fClip;
    // Pages get their drawing state written with every change of pen or brush.
    bool fVectorB = false;
};

} // namespace yaaf
