#pragma once
// A font: name, size in points and style, with the metrics that text layout needs.

#include "XGTypes.h"

#include <memory>
#include <string>

class QFont;

namespace yaaf {

// Style bits, as in XGSFontResource's packed style word.
enum : uint16 {
    kXGStyle_Plain = 0x0,
    kXGStyle_Bold = 0x1,
    kXGStyle_Italic = 0x2,
    kXGStyle_Underline = 0x4,
    kXGStyle_Fixed = 0x100,
    kXGStyle_Serif = 0x200,
};

class XGFont {
public:
    // The default: 12-point Arial, plain.
    XGFont();
    XGFont(const std::string& name, int32 size, uint16 style = kXGStyle_Plain);
    explicit XGFont(const XGSFontResource& resource);
    XGFont(const XGFont& other);
    XGFont& operator=(const XGFont& other);
    ~XGFont();

    std::string GetName() const;
    void SetName(const std::string& name);
    int32 GetSize() const;
    void SetSize(int32 size);
    uint16 GetStyle() const;
    void SetStyle(uint16 style);

    XGSFontResource GetFontResource() const;
    void SetFontResource(const XGSFontResource& resource);

    // Metrics in pixels; text is UTF-8.
    int32 TextWidth(const std::string& text) const;
    int32 Ascent() const;
    int32 Descent() const;
    int32 Leading() const;
    int32 LineHeight() const;

    // As TextWidth, for text of printable ASCII summed from each character's advance (no
    // kerning, no shaping): lists of many names are measured quickly. Other text is measured
    // as TextWidth does.
    int32 TextWidthQuick(const std::string& text) const;

    bool operator==(const XGFont& other) const;

    // For framework code that draws with Qt.
    const QFont& GetQFont() const;

private:
    void ApplyStyle(uint16 style);
    QFont& Q();
    const QFont& Q() const;

    // The QFont itself, made and destroyed in XGFont.cpp: a font is part of every board item,
    // and a block of its own for each would be made and freed with each item. (Qt's font data
    // behind it is shared between equal fonts.)
    alignas(8) unsigned char fFontBytes[16];
    uint16 fStyle = 0;
};

} // namespace yaaf
