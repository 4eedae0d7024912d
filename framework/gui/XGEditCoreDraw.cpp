// The engine's mouse handling, scrolling, caret and drawing.

#include "XGEditCore.h"

#include "XGPlatform.h"
#include "XGTextBuffer.h"
#include "XGInvalTarget.h"

#include <algorithm>
#include <cstdlib>

namespace yaaf {

// ---------------------------------------------------------------------------------------------
// Mouse

Point XGEditCore::HitPoint(Point where, bool* endHit, int32& offset) const {
    const int32 x = where.h - fSize.left - fXOffset + fXScroll * fPixelStep;
    const int32 y = where.v - fSize.top + fYScroll * fPixelStep;
    const int32 line = y < 0 ? 0 : std::min(GetNumLines() - 1, y / fFontHeight);
    offset = FindOffset(line, x, endHit);
    return where;
}

bool XGEditCore::DoMouseDown(Point where, uint16 flags) {
    if (flags & kXGEditMouse_RightButton) return false;
    if (!fText) return true;
    bool endHit = false;
    int32 offset = 0;
    HitPoint(where, &endHit, offset);
    fMaxXVal = GetMaxWidth();
    fDragging = true;
    fDragWord = (flags & kXGEditMouse_DoubleClick) != 0;
    if (fDragWord) {
        int32 start = 0, end = 0;
        WordAt(offset, start, end);
        fDragFrom = start;
        fDragTo = end;
        Select(start, end, end);
    } else if (flags & kXGEditMouse_Shift) {
        // Extend from the end farther from the click.
        const int32 far = std::abs(offset - fSelStart) >= std::abs(fSelEnd - offset) ? fSelStart : fSelEnd;
        fDragFrom = fDragTo = far;
        DragTo(offset);
    } else {
        fDragFrom = fDragTo = offset;
        Select(offset, offset);
        fPrevLine = endHit;
    }
    return true;
}

void XGEditCore::DragTo(int32 offset) {
    if (fDragWord) {
        int32 start = 0, end = 0;
        WordAt(offset, start, end);
        if (offset < fDragFrom)
            Select(start, fDragTo, start);
        else
            Select(fDragFrom, std::max(end, fDragTo), std::max(end, fDragTo));
    } else {
        Select(std::min(fDragFrom, offset), std::max(fDragFrom, offset), offset);
    }
    ScrollInRange(offset);
}

void XGEditCore::DoMouseMove(Point where, uint16 flags) {
    if (!fText || !fDragging || !(flags & kXGEditMouse_ButtonDown)) return;
    int32 offset = 0;
    HitPoint(where, nullptr, offset);
    DragTo(offset);
}

void XGEditCore::DoMouseUp(Point where, uint16 flags) {
    if (fDragging && fText) {
        int32 offset = 0;
        bool endHit = false;
        HitPoint(where, &endHit, offset);
        if (fSelStart != fSelEnd || fDragWord) DragTo(offset);
    }
    fDragging = false;
    fDragWord = false;
}

// ---------------------------------------------------------------------------------------------
// Scrolling, focus and the caret

void XGEditCore::SetScrollValue(int32 x, int32 y) {
    if (fWordWrap) x = 0;
    x = std::max(0, x);
    y = std::max(0, y);
    if (x == fXScroll && y == fYScroll) return;
    fXScroll = x;
    fYScroll = y;
    Inval();
    ScrollChanged();
}

void XGEditCore::ScrollInRange(int32 offset) {
    if (!fText) return;
    if (offset < 0) offset = fSelHead;
    const int32 step = std::max<int32>(1, fPixelStep);
    const int32 line = offset == fSelHead ? CaretLine() : FindLine(offset);
    const int32 top = line * fFontHeight;
    const int32 height = std::max(0, fSize.Height());
    int32 y = fYScroll;
    if (top < fYScroll * step)
        y = top / step;
    else if (top + fFontHeight > fYScroll * step + height)
        y = (top + fFontHeight - height + step - 1) / step;
    int32 x = 0;
    if (!fWordWrap) {
        const int32 px = FindPixel(offset) + fXOffset;
        const int32 width = std::max(0, fSize.Width());
        x = fXScroll;
        if (px < fXScroll * step)
            x = std::max(0, px - fXOffset) / step;
        else if (px + 2 > fXScroll * step + width)
            x = (px + 2 - width + step - 1) / step;
    }
    SetScrollValue(x, std::max(0, y));
}

void XGEditCore::DoActivate(bool active) {
    fActive = active;
    SetCaretShown();
    Inval();
}

void XGEditCore::DoGainFocus() {
    fFocus = true;
    SetCaretShown();
    Inval();
}

void XGEditCore::DoLoseFocus() {
    fFocus = false;
    fCursorState = false;
    fDragging = false;
    Inval();
}

void XGEditCore::SetCaretShown() {
    fTickTime = XGGetTime();
    const bool shown = fFocus && fActive;
    if (shown != fCursorState) {
        fCursorState = shown;
        InvalCaret();
    }
}

void XGEditCore::DoIdle() {
    if (!fFocus || !fActive) return;
    const int64 now = XGGetTime();
    if (now - fTickTime < XGGetCursorBlink()) return;
    fTickTime = now;
    fCursorState = !fCursorState;
    InvalCaret();
}

void XGEditCore::Inval() {
    if (fCurView && !fDrawFlag) fCurView->InvalRect(fSize);
}

void XGEditCore::InvalCaret() {
    if (!fCurView || fDrawFlag || !fText) return;
    const int32 line = CaretLine();
    const int32 x = fSize.left + fXOffset + FindPixel(fSelHead) - fXScroll * fPixelStep;
    const int32 y = fSize.top + line * fFontHeight - fYScroll * fPixelStep;
    fCurView->InvalRect(tagRECT{x - 2, y, x + 3, y + fFontHeight});
}

// ---------------------------------------------------------------------------------------------
// Drawing

void XGEditCore::DrawLine(XGDraw& draw, int32 line, int32 left, int32 baseline, const tagRECT& clip,
                          bool drawSel) {
    const int32 start = GetLineOffset(line);
    const int32 end = LineEndOffset(line);
    const int32 top = baseline - fFontAscent;
    if (drawSel && fSelStart != fSelEnd && fSelStart <= end && fSelEnd >= start) {
        const int32 from = std::max(fSelStart, start);
        const int32 to = std::min(fSelEnd, end);
        int32 x0 = left, x1 = left;
        int32 x = 0;
        for (int32 i = start; i < to;) {
            if (i == from) x0 = left + x;
            int32 length = 1;
            x += CharWidthAt(i, x, length);
            i += length;
        }
        if (from == to) x0 = left + x;
        x1 = left + x;
        // A selected line feed shows as a little room after the line.
        if (fSelEnd > end && end < GetTextLength()) x1 += fSpaceWidth;
        const XGColor mark = (fFocus && fActive) ? XGColor::RGB(173, 205, 245) : XGColor::RGB(215, 215, 215);
        if (x1 > x0) draw.FillRect(tagRECT{x0, top, x1, top + fFontHeight}, mark);
    }
    // Runs between tabs, each placed by the engine's own measure so that hit testing and
    // drawing agree; characters outside the clip are not drawn.
    int32 x = 0;
    int32 runStart = start, runX = 0;
    int32 i = start;
    while (i < end) {
        if (left + x > clip.right) break;
        int32 length = 1;
        const int32 w = CharWidthAt(i, x, length);
        if (fText->At(i) == '\t' && !fPassword) {
            if (i > runStart) draw.DrawText(left + runX, baseline, DisplayText(runStart, i));
            runStart = i + 1;
            runX = x + w;
        } else if (left + x + w < clip.left) {
            runStart = i + length;
            runX = x + w;
        }
        x += w;
        i += length;
    }
    if (i > runStart) draw.DrawText(left + runX, baseline, DisplayText(runStart, i));
}

void XGEditCore::DoDraw(XGDraw& draw, const tagRECT& updateRect) {
    tagRECT clip{std::max(updateRect.left, fSize.left), std::max(updateRect.top, fSize.top),
                 std::min(updateRect.right, fSize.right), std::min(updateRect.bottom, fSize.bottom)};
    if (clip.right <= clip.left || clip.bottom <= clip.top) return;
    draw.SetClip(clip);
    draw.FillRect(clip, fBackColor);
    if (fText) {
        draw.SetFont(fCurFont);
        draw.SetTextColor(fForeColor);
        const int32 scrollY = fYScroll * fPixelStep;
        const int32 left = fSize.left + fXOffset - fXScroll * fPixelStep;
        const int32 firstLine = std::max(0, (clip.top - fSize.top + scrollY) / fFontHeight);
        const int32 lastLine = std::min(GetNumLines() - 1, (clip.bottom - fSize.top + scrollY) / fFontHeight);
        for (int32 line = firstLine; line <= lastLine; ++line) {
            const int32 top = fSize.top + line * fFontHeight - scrollY;
            DrawLine(draw, line, left, top + fFontAscent, clip, true);
        }
        if (fCursorState && fFocus && fActive && fSelStart == fSelEnd) {
            const int32 line = CaretLine();
            const int32 x = left + FindPixel(fSelHead);
            const int32 y = fSize.top + line * fFontHeight - scrollY;
            draw.FillRect(tagRECT{x, y, x + 1, y + fFontHeight}, fForeColor);
        }
    }
    draw.ClearClip();
}

int32 XGEditCore::DrawLines(XGDraw& draw, const tagRECT& r, int32 firstLine) {
    if (!fText) return GetNumLines();
    draw.SetFont(fCurFont);
    draw.SetTextColor(fForeColor);
    int32 line = std::max(0, firstLine);
    for (int32 top = r.top; line < GetNumLines() && top + fFontHeight <= r.bottom; ++line, top += fFontHeight)
        DrawLine(draw, line, r.left, top + fFontAscent, r, false);
    // A page always takes at least one line, so printing ends.
    if (line == firstLine && line < GetNumLines()) {
        DrawLine(draw, line, r.left, r.top + fFontAscent, r, false);
        ++line;
    }
    return line;
}

} // namespace yaaf
