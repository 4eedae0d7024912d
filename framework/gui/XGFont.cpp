#include "XGFont.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QString>

#include <cstring>
#include <mutex>

namespace yaaf {

namespace {
// Every board item starts with the default font, and setting family, size and style gives
// each its own copy of Qt's font data. The items copy one default instead: Qt shares the data
// until a font is changed. It is made again when the application's font changes, since a new
// QFont takes what it does not set from that.
std::mutex gDefaultFontMutex;
QFont* gDefaultFontP = nullptr;
QFont* gDefaultFontBaseP = nullptr;

std::unique_ptr<QFont> NewDefaultQFont() {
    // Without an application every QFont is independent: nothing to share.
    if (!QGuiApplication::instance()) return nullptr;
    const QFont base = QGuiApplication::font();
    std::lock_guard<std::mutex> lock(gDefaultFontMutex);
    if (!gDefaultFontP || !(base == *gDefaultFontBaseP)) {
        // Kept to the end of the process: the font outlives the application's font caches.
        const XGFont made("Arial", 12);
        delete gDefaultFontBaseP;
        delete gDefaultFontP;
        gDefaultFontBaseP = new QFont(base);
        gDefaultFontP = new QFont(made.GetQFont());
    }
    return std::make_unique<QFont>(*gDefaultFontP);
}
} // namespace

// The default: 12-point Arial, plain (fStyle starts plain).
XGFont::XGFont() : fFont(NewDefaultQFont()) {
    if (!fFont) {
        fFont = std::make_unique<QFont>();
        SetName("Arial");
        SetSize(12);
        SetStyle(kXGStyle_Plain);
    }
}

XGFont::XGFont(const std::string& name, int32 size, uint16 style) : fFont(std::make_unique<QFont>()) {
    SetName(name);
    SetSize(size);
    SetStyle(style);
}

XGFont::XGFont(const XGSFontResource& resource) : fFont(std::make_unique<QFont>()) {
    SetFontResource(resource);
}

XGFont::XGFont(const XGFont& other) : fFont(std::make_unique<QFont>(*other.fFont)), fStyle(other.fStyle) {}

XGFont& XGFont::operator=(const XGFont& other) {
    if (this != &other) {
        *fFont = *other.fFont;
        fStyle = other.fStyle;
    }
    return *this;
}

XGFont::~XGFont() = default;

std::string XGFont::GetName() const {
    return fFont->family().toStdString();
}

void XGFont::SetName(const std::string& name) {
    fFont->setFamily(QString::fromStdString(name));
}

int32 XGFont::GetSize() const {
    return fFont->pointSize();
}

void XGFont::SetSize(int32 size) {
    // Sizes below 1 point cannot be drawn; keep the current one.
    if (size >= 1) fFont->setPointSize(size);
}

uint16 XGFont::GetStyle() const {
    return fStyle;
}

void XGFont::SetStyle(uint16 style) {
    ApplyStyle(style);
}

void XGFont::ApplyStyle(uint16 style) {
    fStyle = style;
    fFont->setBold(style & kXGStyle_Bold);
    fFont->setItalic(style & kXGStyle_Italic);
    fFont->setUnderline(style & kXGStyle_Underline);
    fFont->setFixedPitch(style & kXGStyle_Fixed);
    if (style & kXGStyle_Fixed)
        fFont->setStyleHint(QFont::TypeWriter);
    else if (style & kXGStyle_Serif)
        fFont->setStyleHint(QFont::Serif);
    else
        fFont->setStyleHint(QFont::AnyStyle);
}

XGSFontResource XGFont::GetFontResource() const {
    XGSFontResource r;
    r.size = int16(GetSize());
    r.SetStyleWord(fStyle);
    const std::string name = GetName();
    std::strncpy(r.name, name.c_str(), sizeof(r.name) - 1);
    r.name[sizeof(r.name) - 1] = 0;
    return r;
}

void XGFont::SetFontResource(const XGSFontResource& resource) {
    // The name field comes from files and preferences: never read past its end.
    SetName(std::string(resource.name, strnlen(resource.name, sizeof(resource.name))));
    SetSize(resource.size > 0 ? resource.size : 12);
    SetStyle(resource.GetStyleWord());
}

int32 XGFont::TextWidth(const std::string& text) const {
    return QFontMetrics(*fFont).horizontalAdvance(QString::fromStdString(text));
}

int32 XGFont::Ascent() const {
    return QFontMetrics(*fFont).ascent();
}

int32 XGFont::Descent() const {
    return QFontMetrics(*fFont).descent();
}

int32 XGFont::Leading() const {
    return QFontMetrics(*fFont).leading();
}

int32 XGFont::LineHeight() const {
    return QFontMetrics(*fFont).lineSpacing();
}

bool XGFont::operator==(const XGFont& other) const {
    return *fFont == *other.fFont && fStyle == other.fStyle;
}

} // namespace yaaf
