#include "XGFont.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QString>

#include <cstring>
#include <mutex>
#include <new>

namespace yaaf {

static_assert(sizeof(QFont) <= 16 && alignof(QFont) <= 8, "the QFont fits XGFont's bytes");

namespace {
// Every board item starts with the default font, and setting family, size and style gives
// each its own copy of Qt's font data. The items copy one default instead: Qt shares the data
// until a font is changed. It is made again when the application's font changes, since a new
// QFont takes what it does not set from that.
std::mutex gDefaultFontMutex;
QFont* gDefaultFontP = nullptr;
QFont* gDefaultFontBaseP = nullptr;

// Makes the default font in bytes; false, with nothing made, without an application (every
// QFont is independent then: nothing to share).
bool NewDefaultQFont(void* bytes) {
    if (!QGuiApplication::instance()) return false;
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
    new (bytes) QFont(*gDefaultFontP);
    return true;
}
} // namespace

// The default: 12-point Arial, plain (fStyle starts plain).
XGFont::XGFont() {
    if (!NewDefaultQFont(fFontBytes)) {
        new (fFontBytes) QFont();
        SetName("Arial");
        SetSize(12);
        SetStyle(kXGStyle_Plain);
    }
}

XGFont::XGFont(const std::string& name, int32 size, uint16 style) {
    new (fFontBytes) QFont();
    SetName(name);
    SetSize(size);
    SetStyle(style);
}

XGFont::XGFont(const XGSFontResource& resource) {
    new (fFontBytes) QFont();
    SetFontResource(resource);
}

XGFont::XGFont(const XGFont& other) : fStyle(other.fStyle) {
    new (fFontBytes) QFont(other.Q());
}

XGFont& XGFont::operator=(const XGFont& other) {
    if (this != &other) {
        Q() = other.Q();
        fStyle = other.fStyle;
    }
    return *this;
}

XGFont::~XGFont() {
    Q().~QFont();
}

QFont& XGFont::Q() {
    return *std::launder(reinterpret_cast<QFont*>(fFontBytes));
}

const QFont& XGFont::Q() const {
    return *std::launder(reinterpret_cast<const QFont*>(fFontBytes));
}

const QFont& XGFont::GetQFont() const {
    return Q();
}

std::string XGFont::GetName() const {
    return Q().family().toStdString();
}

void XGFont::SetName(const std::string& name) {
    Q().setFamily(QString::fromStdString(name));
}

int32 XGFont::GetSize() const {
    return Q().pointSize();
}

void XGFont::SetSize(int32 size) {
    // Sizes below 1 point cannot be drawn; keep the current one.
    if (size >= 1) Q().setPointSize(size);
}

uint16 XGFont::GetStyle() const {
    return fStyle;
}

void XGFont::SetStyle(uint16 style) {
    ApplyStyle(style);
}

void XGFont::ApplyStyle(uint16 style) {
    fStyle = style;
    Q().setBold(style & kXGStyle_Bold);
    Q().setItalic(style & kXGStyle_Italic);
    Q().setUnderline(style & kXGStyle_Underline);
    Q().setFixedPitch(style & kXGStyle_Fixed);
    if (style & kXGStyle_Fixed)
        Q().setStyleHint(QFont::TypeWriter);
    else if (style & kXGStyle_Serif)
        Q().setStyleHint(QFont::Serif);
    else
        Q().setStyleHint(QFont::AnyStyle);
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
    return QFontMetrics(Q()).horizontalAdvance(QString::fromStdString(text));
}

int32 XGFont::TextWidthQuick(const std::string& text) const {
    // The advances of the last font asked about: names in a list mostly share one.
    struct AsciiAdvances {
        QFont font;
        qreal advance[128] = {};
        bool valid = false;
    };
    thread_local AsciiAdvances s_cache;
    for (unsigned char c : text)
        if (c < 0x20 || c >= 0x7F) return TextWidth(text);
    if (!s_cache.valid || !(s_cache.font == Q())) {
        s_cache.font = Q();
        const QFontMetricsF metrics(s_cache.font);
        for (int c = 0x20; c < 0x7F; ++c)
            s_cache.advance[c] = metrics.horizontalAdvance(QChar(c));
        s_cache.valid = true;
    }
    qreal width = 0;
    for (unsigned char c : text)
        width += s_cache.advance[c];
    return int32(qRound(width));
}

int32 XGFont::Ascent() const {
    return QFontMetrics(Q()).ascent();
}

int32 XGFont::Descent() const {
    return QFontMetrics(Q()).descent();
}

int32 XGFont::Leading() const {
    return QFontMetrics(Q()).leading();
}

int32 XGFont::LineHeight() const {
    return QFontMetrics(Q()).lineSpacing();
}

bool XGFont::operator==(const XGFont& other) const {
    return Q() == other.Q() && fStyle == other.fStyle;
}

} // namespace yaaf
