#include "XGEditCore.h"

#include "XGAssert.h"
#include "XGKeyboard.h"
#include "XGHandle.h"
#include "XGPlatform.h"
#include "XGTextBuffer.h"
#include "XGTextScrap.h"
#include "XGInvalTarget.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace yaaf {

namespace {

constexpr int32 kMaxIndent = 256;

// What a character is shown as: control characters and bytes that are not UTF-8 but lie in
// the C1 range have no glyph of their own.
uint32 ShownCode(uint32 code) {
    if (code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0)) return '?';
    return code;
}

} // namespace

void XGAppendUtf8(std::string& out, uint32 code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

XGEditCore::XGEditCore(XGInvalTarget* view, const tagRECT& area, const XGFont& font)
    : fCurView(view), fCurFont(font), fSize(area) {
    MeasureFont();
    fTickTime = XGGetTime();
}

XGEditCore::~XGEditCore() = default;

// ---------------------------------------------------------------------------------------------
// Characters and measuring

int32 XGEditCore::GetTextLength() const {
    return fText ? fText->GetSize() : 0;
}

uint32 XGEditCore::DecodeAt(int32 offset, int32& length) const {
    const int32 size = fText->GetSize();
    const unsigned char c = fText->UAt(offset);
    length = 1;
    if (c < 0x80) return c;
    int32 need = 0;
    uint32 code = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        need = 1;
        code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        need = 2;
        code = c & 0x0F;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        need = 3;
        code = c & 0x07;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return c; // not UTF-8: shown as the Latin-1 character
    }
    for (int32 i = 1; i <= need; ++i) {
        if (offset + i >= size) return c;
        const unsigned char n = fText->UAt(offset + i);
        if (n < (i == 1 ? lo : 0x80) || n > (i == 1 ? hi : 0xBF)) return c;
        code = (code << 6) | (n & 0x3F);
    }
    length = need + 1;
    return code;
}

int32 XGEditCore::CharLength(int32 offset) const {
    if (!fText || offset < 0 || offset >= fText->GetSize()) return 1;
    int32 length = 1;
    DecodeAt(offset, length);
    return length;
}

int32 XGEditCore::PrevCharOffset(int32 offset) const {
    if (!fText || offset <= 0) return 0;
    // A UTF-8 character is at most four bytes: look back that far for one that ends here.
    for (int32 back = 2; back <= 4 && offset - back >= 0; ++back) {
        if ((fText->UAt(offset - back + 1) & 0xC0) != 0x80) break;
        int32 length = 1;
        DecodeAt(offset - back, length);
        if (length == back) return offset - back;
    }
    return offset - 1;
}

int32 XGEditCore::CodeWidth(uint32 code) const {
    if (fPassword) return fAsciiWidth['*'];
    code = ShownCode(code);
    if (code < 128) return fAsciiWidth[code];
    auto it = fWideWidth.find(code);
    if (it != fWideWidth.end()) return it->second;
    std::string s;
    XGAppendUtf8(s, code);
    const int32 width = fCurFont.TextWidth(s);
    fWideWidth.emplace(code, width);
    return width;
}

int32 XGEditCore::CharWidthAt(int32 offset, int32 x, int32& length) const {
    const unsigned char c = fText->UAt(offset);
    if (c == '\t' && !fPassword) {
        length = 1;
        const int32 tab = std::max(1, fTabStop * fSpaceWidth);
        return (x / tab + 1) * tab - x;
    }
    if (c < 0x80) {
        length = 1;
        return fPassword ? fAsciiWidth['*'] : fAsciiWidth[ShownCode(c)];
    }
    const uint32 code = DecodeAt(offset, length);
    return CodeWidth(code);
}

void XGEditCore::MeasureFont() {
    fFontHeight = int16(std::max(1, fCurFont.LineHeight()));
    fFontAscent = int16(fCurFont.Ascent());
    for (int c = 0; c < 128; ++c)
        fAsciiWidth[size_t(c)] = int16(fCurFont.TextWidth(std::string(1, char(ShownCode(uint32(c))))));
    fWideWidth.clear();
    fSpaceWidth = std::max<int32>(1, fAsciiWidth[' ']);
    fPixelStep = fScrollPixels ? 1 : fFontHeight;
}

std::string XGEditCore::DisplayText(int32 from, int32 to) const {
    std::string out;
    out.reserve(size_t(to - from));
    for (int32 i = from; i < to;) {
        int32 length = 1;
        const uint32 code = DecodeAt(i, length);
        if (fPassword)
            out += '*';
        else
            XGAppendUtf8(out, ShownCode(code));
        i += length;
    }
    return out;
}

int32 XGEditCore::WrapWidth() const {
    return std::max(20, fSize.Width() - 10);
}

// ---------------------------------------------------------------------------------------------
// Lines

int32 XGEditCore::GetLineOffset(int32 line) const {
    if (line <= 0) return 0;
    if (line > fStarts.Count()) line = fStarts.Count();
    return fStarts.Get(line - 1) + 1;
}

int32 XGEditCore::LineEndOffset(int32 line) const {
    if (line < 0) line = 0;
    if (line >= fStarts.Count()) return GetTextLength();
    const int32 e = fStarts.Get(line);
    return fText->At(e) == '\n' ? e : e + 1;
}

int32 XGEditCore::GetLineLength(int32 line) const {
    return LineEndOffset(line) - GetLineOffset(line);
}

int32 XGEditCore::FindLine(int32 offset) const {
    return fStarts.CountBelow(offset);
}

int32 XGEditCore::WidthBetween(int32 start, int32 end) const {
    int32 x = 0;
    for (int32 i = start; i < end;) {
        int32 length = 1;
        x += CharWidthAt(i, x, length);
        i += length;
    }
    return x;
}

int32 XGEditCore::MeasureLine(int32 line) const {
    return WidthBetween(GetLineOffset(line), LineEndOffset(line));
}

int32 XGEditCore::FindPixel(int32 offset) const {
    if (!fText) return 0;
    offset = std::clamp(offset, 0, GetTextLength());
    int32 line = FindLine(offset);
    // A caret at a wrap point may be shown at the end of the line before.
    if (fPrevLine && offset == fSelHead && line > 0 && GetLineOffset(line) == offset &&
        fText->At(fStarts.Get(line - 1)) != '\n')
        --line;
    return WidthBetween(GetLineOffset(line), offset);
}

int32 XGEditCore::FindOffset(int32 line, int32 pixel, bool* endHit) const {
    if (endHit) *endHit = false;
    if (!fText) return 0;
    line = std::clamp(line, 0, GetNumLines() - 1);
    const int32 end = LineEndOffset(line);
    int32 x = 0;
    for (int32 i = GetLineOffset(line); i < end;) {
        int32 length = 1;
        const int32 w = CharWidthAt(i, x, length);
        if (pixel < x + w / 2) return i;
        x += w;
        i += length;
    }
    // Past the end of a wrapped line: the next line's start, drawn at this line's end.
    if (endHit && line < fStarts.Count() && fText->At(fStarts.Get(line)) != '\n') *endHit = true;
    return end;
}

int32 XGEditCore::GetMaxWidth() const {
    if (fWordWrap) return fSize.Width();
    return fMaxWidth + fXOffset + fSpaceWidth;
}

int32 XGEditCore::GetMaxHeight() const {
    return GetNumLines() * fFontHeight;
}

int32 XGEditCore::WrapEnd(int32 pos) const {
    const int32 size = fText->GetSize();
    const int32 limit = WrapWidth();
    int32 x = 0;
    int32 lastSpace = -1;
    for (int32 i = pos; i < size;) {
        const unsigned char c = fText->UAt(i);
        if (c == '\n') return i;
        int32 length = 1;
        const int32 w = CharWidthAt(i, x, length);
        if (c == ' ' || c == '\t') {
            // Trailing white space does not count towards the width.
            lastSpace = i;
        } else if (x + w > limit) {
            if (lastSpace >= pos) return lastSpace;
            if (i > pos) return i - 1;
            return i + length - 1; // a line keeps at least one character
        }
        x += w;
        i += length;
    }
    return -1;
}

void XGEditCore::RecalcAll() {
    RecalcLines();
    ScrollChanged();
}

void XGEditCore::RecalcLines() {
    fStarts.Clear();
    fMaxWidth = 0;
    if (!fText) return;
    const int32 size = fText->GetSize();
    if (fWordWrap) {
        for (int32 pos = 0;;) {
            const int32 b = WrapEnd(pos);
            if (b < 0) break;
            fStarts.Append(b);
            pos = b + 1;
        }
    } else {
        for (int32 at = fText->FindByte('\n', 0, size); at >= 0; at = fText->FindByte('\n', at + 1, size))
            fStarts.Append(at);
        for (int32 line = 0; line < GetNumLines(); ++line)
            fMaxWidth = std::max(fMaxWidth, MeasureLine(line));
    }
}

// After [start, oldEnd) was replaced by `length` bytes.
void XGEditCore::RecalcStarts(int32 start, int32 oldEnd, int32 length) {
    const int32 delta = length - (oldEnd - start);
    const int32 newEnd = start + length;
    int32 first = fStarts.CountBelow(start);
    // With word wrap the line before may take words from the changed line.
    if (fWordWrap && first > 0 && fText->At(fStarts.Get(first - 1)) != '\n') --first;
    // Entries from `last` on lie behind the change: they move with the bytes.
    const int32 last = fStarts.CountBelow(oldEnd);
    fStarts.Shift(last, delta);
    const int32 pos0 = first == 0 ? 0 : fStarts.Get(first - 1) + 1;
    std::vector<int32> fresh;
    if (!fWordWrap) {
        for (int32 at = fText->FindByte('\n', pos0, newEnd); at >= 0;
             at = fText->FindByte('\n', at + 1, newEnd))
            fresh.push_back(at);
        fStarts.Replace(first, last - first, fresh);
        for (int32 line = first, end = first + int32(fresh.size()); line <= end; ++line)
            fMaxWidth = std::max(fMaxWidth, MeasureLine(line));
        return;
    }
    int32 next = last; // the first old entry that may still hold
    for (int32 pos = pos0;;) {
        const int32 b = WrapEnd(pos);
        if (b < 0) {
            fStarts.Replace(first, fStarts.Count() - first, fresh);
            return;
        }
        while (next < fStarts.Count() && fStarts.Get(next) < b)
            ++next;
        // The old breaks after the change hold from here on: the text after b is unchanged.
        if (next < fStarts.Count() && fStarts.Get(next) == b) {
            fStarts.Replace(first, next - first, fresh);
            return;
        }
        fresh.push_back(b);
        pos = b + 1;
    }
}

// ---------------------------------------------------------------------------------------------
// Text, font and options

void XGEditCore::SetText(XGTextBuffer* text) {
    fText = text;
    fSelStart = fSelEnd = fSelHead = 0;
    fPixelPos = -1;
    fPrevLine = false;
    fXScroll = fYScroll = 0;
    RecalcAll();
    SetCaretShown();
    Inval();
}

void XGEditCore::SetArea(const tagRECT& area) {
    const bool rewrap = fWordWrap && area.Width() != fSize.Width();
    fSize = area;
    if (rewrap) RecalcAll();
    Inval();
}

void XGEditCore::SetDrawTarget(XGDraw* draw) {
    fCurDraw = draw;
    fDrawFlag = draw != nullptr;
}

void XGEditCore::SetFont(const XGFont& font) {
    fCurFont = font;
    MeasureFont();
    RecalcAll();
    Inval();
}

void XGEditCore::SetWordWrap(bool wrap) {
    if (wrap == fWordWrap) return;
    fWordWrap = wrap;
    if (wrap) fXScroll = 0;
    RecalcAll();
    Inval();
}

void XGEditCore::SetTabStop(int32 tabStop) {
    if (tabStop < 1 || tabStop == fTabStop) return;
    fTabStop = tabStop;
    RecalcAll();
    Inval();
}

void XGEditCore::SetPassword(bool on) {
    fPassword = on;
    RecalcAll();
    Inval();
}

void XGEditCore::SetColors(XGColor fore, XGColor back) {
    fForeColor = fore;
    fBackColor = back;
    Inval();
}

void XGEditCore::SetScrollPixels(bool pixels) {
    fScrollPixels = pixels;
    const int32 x = fXScroll * fPixelStep, y = fYScroll * fPixelStep;
    fPixelStep = pixels ? 1 : fFontHeight;
    fXScroll = x / fPixelStep;
    fYScroll = y / fPixelStep;
    Inval();
    ScrollChanged();
}

// ---------------------------------------------------------------------------------------------
// Changes

void XGEditCore::Replace(int32 start, int32 end, const char* bytes, int32 length) {
    if (!fText) return;
    const int32 size = fText->GetSize();
    start = std::clamp(start, 0, size);
    end = std::clamp(end, start, size);
    if (length < 0) length = 0;
    std::string cleaned;
    if (fFieldEditor && length > 0 && std::memchr(bytes, '\n', size_t(length))) {
        cleaned.assign(bytes, size_t(length));
        std::replace(cleaned.begin(), cleaned.end(), '\n', ' ');
        std::replace(cleaned.begin(), cleaned.end(), '\r', ' ');
        bytes = cleaned.data();
    }
    fText->Remove(start, end - start);
    fText->Insert(start, bytes, length);
    RecalcStarts(start, end, length);
    // Keep the selection on the same bytes where it can.
    auto adjust = [&](int32 offset) {
        if (offset <= start) return offset;
        if (offset >= end) return offset + length - (end - start);
        return start + length;
    };
    fSelStart = adjust(fSelStart);
    fSelEnd = adjust(fSelEnd);
    fSelHead = adjust(fSelHead);
    Changed(true);
}

void XGEditCore::Changed(bool textChanged) {
    SetCaretShown();
    Inval();
    if (textChanged && fChangeProc) fChangeProc();
    if (textChanged) ScrollChanged();
}

void XGEditCore::DoInsert(int32 length, const char* bytes) {
    const int32 start = fSelStart;
    Replace(fSelStart, fSelEnd, bytes, length);
    const int32 caret = start + (fText ? std::min(length, fText->GetSize() - start) : 0);
    Select(caret, caret);
    if (length == 1 && bytes[0] == '\n' && fAutoIndent && !fWordWrap) AutoIndent();
    ScrollInRange();
}

int32 XGEditCore::AutoIndent() {
    const int32 caret = fSelStart;
    const int32 line = FindLine(caret);
    if (line == 0) return 0;
    const int32 from = GetLineOffset(line - 1);
    int32 to = from;
    while (to < caret && to - from < kMaxIndent && (fText->At(to) == ' ' || fText->At(to) == '\t'))
        ++to;
    if (to == from) return 0;
    const std::string indent = fText->Substr(from, to - from);
    Replace(caret, caret, indent.data(), int32(indent.size()));
    Select(caret + int32(indent.size()), caret + int32(indent.size()));
    return int32(indent.size());
}

void XGEditCore::DoClear() {
    if (fSelStart == fSelEnd) return;
    const int32 start = fSelStart;
    Replace(fSelStart, fSelEnd, nullptr, 0);
    Select(start, start);
    ScrollInRange();
}

bool XGEditCore::CanCut() const {
    return fSelStart != fSelEnd && !fPassword;
}

void XGEditCore::CopyToHandle(XGHandle& out) const {
    const std::string bytes = GetSelectedText();
    out.SetData(bytes.data(), int32(bytes.size()));
}

std::string XGEditCore::GetSelectedText() const {
    return fText ? fText->Substr(fSelStart, fSelEnd - fSelStart) : std::string();
}

void XGEditCore::DoCopy() {
    if (CanCut()) XGScrapSetText(GetSelectedText());
}

void XGEditCore::DoCut() {
    if (!CanCut()) return;
    DoCopy();
    DoClear();
}

bool XGEditCore::DoPaste() {
    if (!XGScrapHasText()) return false;
    const std::string bytes = XGScrapGetText();
    DoInsert(int32(bytes.size()), bytes.data());
    return true;
}

void XGEditCore::DoSelectAll() {
    Select(0, GetTextLength(), GetTextLength());
}

// ---------------------------------------------------------------------------------------------
// Selection

void XGEditCore::Select(int32 start, int32 end, int32 head) {
    const int32 size = GetTextLength();
    start = std::clamp(start, 0, size);
    end = std::clamp(end, 0, size);
    if (start > end) std::swap(start, end);
    if (head != start && head != end) head = end;
    if (start != fSelStart || end != fSelEnd || head != fSelHead) {
        fSelStart = start;
        fSelEnd = end;
        fSelHead = head;
        Inval();
    }
    fPixelPos = -1;
    fPrevLine = false;
    SetCaretShown();
}

void XGEditCore::SetSelection(EditSelection& sel, bool insertB) {
    fLastIndent = 0;
    if (!insertB) {
        Select(sel.sel_startL, sel.sel_endL, sel.sel_headL);
        return;
    }
    if (!sel.clipH) {
        char unit[64];
        XGReportAssertion("selP->clipH", XGUnitName(__FILE__, unit, sizeof(unit)), __LINE__);
        return;
    }
    const int32 start = std::clamp(sel.sel_startL, 0, GetTextLength());
    Select(start, start);
    const int32 length = sel.clipH->GetSize();
    const std::string bytes(sel.clipH->GetData() ? sel.clipH->GetData() : "", size_t(length));
    delete sel.clipH;
    sel.clipH = nullptr;
    Replace(start, start, bytes.data(), length);
    Select(start + length, start + length);
    if (length == 1 && bytes[0] == '\n' && fAutoIndent && !fWordWrap) fLastIndent = AutoIndent();
    const int32 head = std::clamp(sel.sel_headL, 0, GetTextLength());
    if (head == fSelStart || head == fSelEnd) fSelHead = head;
}

void XGEditCore::GetSelection(EditSelection& sel, bool takeB) {
    if (!takeB) {
        sel.sel_startL = fSelStart;
        sel.sel_endL = fSelEnd;
        sel.sel_headL = fSelHead;
        return;
    }
    if (sel.clipH) {
        char unit[64];
        XGReportAssertion("selP->clipH == NULL", XGUnitName(__FILE__, unit, sizeof(unit)), __LINE__);
        delete sel.clipH;
        sel.clipH = nullptr;
    }
    const int32 size = GetTextLength();
    const int32 start = std::clamp(sel.sel_startL, 0, size);
    const int32 end = std::clamp(sel.sel_endL, start, size);
    const std::string bytes = fText ? fText->Substr(start, end - start) : std::string();
    sel.clipH = new XGHandle(bytes.data(), int32(bytes.size()));
    Select(start, end);
    Replace(start, end, nullptr, 0);
    Select(start, start);
}

void XGEditCore::WordAt(int32 offset, int32& start, int32& end) const {
    const int32 size = GetTextLength();
    start = end = std::clamp(offset, 0, size);
    if (!fText || size == 0) return;
    const int32 probe = offset < size ? offset : size - 1;
    const bool word = IsWordByte(fText->UAt(probe));
    if (offset >= size) start = end = probe;
    while (start > 0 && IsWordByte(fText->UAt(start - 1)) == word)
        --start;
    while (end < size && IsWordByte(fText->UAt(end)) == word)
        ++end;
}

bool XGEditCore::IsWordByte(unsigned char c) {
    // Bytes of UTF-8 sequences count as letters so that words in any script select whole.
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80;
}

// ---------------------------------------------------------------------------------------------
// Keys

int32 XGEditCore::CaretLine() const {
    int32 line = FindLine(fSelHead);
    if (fPrevLine && line > 0 && GetLineOffset(line) == fSelHead && fText->At(fStarts.Get(line - 1)) != '\n')
        --line;
    return line;
}

void XGEditCore::MoveCaret(int32 offset, bool extend) {
    const int32 anchor = fSelHead == fSelStart ? fSelEnd : fSelStart;
    if (extend)
        Select(std::min(anchor, offset), std::max(anchor, offset), offset);
    else
        Select(offset, offset);
    ScrollInRange(offset);
}

void XGEditCore::DoUpArrow(bool extend) {
    if (!fText) return;
    const int32 pixel = fPixelPos >= 0 ? fPixelPos : FindPixel(fSelHead);
    const int32 line = CaretLine();
    bool endHit = false;
    const int32 offset = line == 0 ? 0 : FindOffset(line - 1, pixel, &endHit);
    MoveCaret(offset, extend);
    fPixelPos = pixel;
    fPrevLine = endHit;
}

void XGEditCore::DoDownArrow(bool extend) {
    if (!fText) return;
    const int32 pixel = fPixelPos >= 0 ? fPixelPos : FindPixel(fSelHead);
    const int32 line = CaretLine();
    bool endHit = false;
    const int32 offset = line + 1 >= GetNumLines() ? GetTextLength() : FindOffset(line + 1, pixel, &endHit);
    MoveCaret(offset, extend);
    fPixelPos = pixel;
    fPrevLine = endHit;
}

void XGEditCore::DoLeftArrow(bool extend) {
    if (!fText) return;
    if (!extend && fSelStart != fSelEnd)
        MoveCaret(fSelStart, false);
    else
        MoveCaret(PrevCharOffset(fSelHead), extend);
}

void XGEditCore::DoRightArrow(bool extend) {
    if (!fText) return;
    if (!extend && fSelStart != fSelEnd)
        MoveCaret(fSelEnd, false);
    else
        MoveCaret(std::min(GetTextLength(), fSelHead + CharLength(fSelHead)), extend);
}

void XGEditCore::SetCurLine(int32 line) {
    const int32 offset = GetLineOffset(std::clamp(line, 0, GetNumLines() - 1));
    Select(offset, offset);
    ScrollInRange(offset);
}

bool XGEditCore::DoKey(uint32 key) {
    if (!fText) return false;
    const bool shift = (key >> 16) & 0x01;
    if (key & 0x80000000u) {
        switch (key & 0xFFFF) {
        case 0x80:
            DoUpArrow(shift);
            return true;
        case 0x81:
            DoDownArrow(shift);
            return true;
        case 0x82:
            DoLeftArrow(shift);
            return true;
        case 0x83:
            DoRightArrow(shift);
            return true;
        case 0x86:
            MoveCaret(0, shift);
            return true;
        case 0x87:
            MoveCaret(GetTextLength(), shift);
            return true;
        case 0x85:
            if (fSelStart == fSelEnd && fSelEnd < GetTextLength())
                Select(fSelStart, fSelStart + CharLength(fSelStart));
            DoClear();
            return true;
        default:
            return false;
        }
    }
    if ((key >> 16) & 0x0A) return false; // Control and Alt keys are commands
    const uint32 ch = key & 0xFFFF;
    if (ch == kXGChar_Backspace) {
        if (fSelStart == fSelEnd && fSelStart > 0) Select(PrevCharOffset(fSelStart), fSelStart);
        DoClear();
        return true;
    }
    if (ch == '\r' || ch == '\n') {
        if (fFieldEditor) return false;
        DoInsert(1, "\n");
        return true;
    }
    if (ch == '\t') {
        if (fFieldEditor) return false;
        DoInsert(1, "\t");
        return true;
    }
    if (ch < 0x20 || ch == 0x7F || ch == 0xFFFF) return false;
    if (ch >= 0xD800 && ch <= 0xDBFF) {
        fPendingHigh = uint16(ch);
        return true;
    }
    uint32 code = ch;
    if (ch >= 0xDC00 && ch <= 0xDFFF) {
        if (!fPendingHigh) return true;
        code = 0x10000 + ((uint32(fPendingHigh) - 0xD800) << 10) + (ch - 0xDC00);
    }
    fPendingHigh = 0;
    std::string bytes;
    XGAppendUtf8(bytes, code);
    DoInsert(int32(bytes.size()), bytes.data());
    return true;
}

} // namespace yaaf
