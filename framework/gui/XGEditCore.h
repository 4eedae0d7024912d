#pragma once
// The text engine: line layout (with or without word wrap), hit testing, the selection and the
// caret, keyboard movement, scrolling and drawing of a plain text. It edits a text buffer that
// someone else owns (a text document's text, an in-place editor's string). Offsets are byte
// offsets; the bytes are shown as UTF-8, and bytes that are not UTF-8 are shown one by one as
// Latin-1 characters, so any file can be shown and edited without changing its other bytes.

#include "XGDraw.h"
#include "XGFont.h"
#include "XGLineStarts.h"
#include "XGTypes.h"

#include <array>
#include <functional>
#include <string>
#include <unordered_map>

namespace yaaf {

class XGInvalTarget;
class XGHandle;
class XGTextBuffer;

// A selection as the undo records keep it; clipH, when set, owns the bytes of the range.
struct EditSelection {
    bool existsB = false;
    int32 sel_startL = 0;
    int32 sel_endL = 0;
    int32 sel_headL = 0;
    XGHandle* clipH = nullptr;
};

// Mouse flags the engine reads (keyboard state bits plus the click kind).
enum : uint16 {
    kXGEditMouse_Shift = 0x01,
    kXGEditMouse_RightButton = 0x20,
    kXGEditMouse_DoubleClick = 0x1000,
    kXGEditMouse_ButtonDown = 0x2000,
};

// Appends one character, given by its code, as UTF-8.
void XGAppendUtf8(std::string& out, uint32 code);

class XGEditCore {
public:
    // Draws into `view` (may be none) inside `area`, in view coordinates.
    XGEditCore(XGInvalTarget* view, const tagRECT& area, const XGFont& font);
    XGEditCore(const XGEditCore&) = delete;
    XGEditCore& operator=(const XGEditCore&) = delete;
    ~XGEditCore();

    // The text; not owned. Lays it out again and puts the caret at 0.
    void SetText(XGTextBuffer* text);
    XGTextBuffer* GetText() const { return fText; }
    int32 GetTextLength() const;

    void SetArea(const tagRECT& area);
    const tagRECT& GetArea() const { return fSize; }
    // Drawing into a context of someone else's (printing) instead of the view.
    void SetDrawTarget(XGDraw* draw);

    void DoDraw(XGDraw& draw, const tagRECT& updateRect);
    // Draws the lines from firstLine that fit into r (top-aligned, no scrolling, no caret or
    // selection); answers the first line that did not fit, or GetNumLines() when all did.
    int32 DrawLines(XGDraw& draw, const tagRECT& r, int32 firstLine);
    // Blinks the caret.
    void DoIdle();

    // Answers false for a right-button press (the owner shows its context menu).
    bool DoMouseDown(Point where, uint16 flags);
    void DoMouseMove(Point where, uint16 flags);
    void DoMouseUp(Point where, uint16 flags);
    bool IsDragging() const { return fDragging; }

    // Editing keys of a field editor, applied directly (no undo): characters, Backspace,
    // Delete, arrows, Home and End. Answers whether the key was used.
    bool DoKey(uint32 key);

    // Replaces the selection with the bytes; the caret ends after them.
    void DoInsert(int32 length, const char* bytes);
    void DoClear();
    void DoCut();
    bool CanCut() const;
    void CopyToHandle(XGHandle& out) const;
    std::string GetSelectedText() const;
    void DoCopy();
    bool DoPaste();
    void DoSelectAll();

    void DoUpArrow(bool extend);
    void DoDownArrow(bool extend);
    void DoLeftArrow(bool extend);
    void DoRightArrow(bool extend);

    // Puts the caret at the start of a line.
    void SetCurLine(int32 line);
    int32 GetNumLines() const { return fStarts.Count() + 1; }
    int32 GetLineOffset(int32 line) const;
    // Without a final line feed.
    int32 GetLineLength(int32 line) const;
    int32 FindLine(int32 offset) const;
    // The offset nearest to a pixel position in a line; endHit tells that it is the end of a
    // wrapped line (the same offset as the next line's start).
    int32 FindOffset(int32 line, int32 pixel, bool* endHit = nullptr) const;
    // The horizontal pixel position of an offset inside its line.
    int32 FindPixel(int32 offset) const;
    int32 GetMaxWidth() const;
    int32 GetMaxHeight() const;
    int32 GetLineHeight() const { return fFontHeight; }

    // Scroll position, in units of GetPixelStep().
    void SetScrollValue(int32 x, int32 y);
    int32 GetXScroll() const { return fXScroll; }
    int32 GetYScroll() const { return fYScroll; }
    int32 GetPixelStep() const { return fPixelStep; }
    void SetScrollPixels(bool pixels);
    // Scrolls the least amount that shows the offset (the selection's moving end for -1).
    void ScrollInRange(int32 offset = -1);

    void SetFont(const XGFont& font);
    const XGFont& GetFont() const { return fCurFont; }
    void SetWordWrap(bool wrap);
    bool GetWordWrap() const { return fWordWrap; }
    // Tab width in characters; values below 1 are ignored.
    void SetTabStop(int32 tabStop);
    int32 GetTabStop() const { return fTabStop; }
    void SetAutoIndent(bool on) { fAutoIndent = on; }
    bool GetAutoIndent() const { return fAutoIndent; }
    // A one-line field: line feeds typed or pasted become blanks, Return and Tab are the owner's.
    void SetFieldEditor(bool on) { fFieldEditor = on; }
    bool IsFieldEditor() const { return fFieldEditor; }
    void SetPassword(bool on);
    bool IsPassword() const { return fPassword; }
    void SetColors(XGColor fore, XGColor back);

    // insertB false selects the record's range; true puts the caret at its start and inserts
    // (and releases) its bytes. Both take the moving end from sel_headL.
    void SetSelection(EditSelection& sel, bool insertB);
    // takeB false records the selection; true cuts the record's range into a new clipH.
    void GetSelection(EditSelection& sel, bool takeB);
    void Select(int32 start, int32 end, int32 head = -1);
    int32 GetSelStart() const { return fSelStart; }
    int32 GetSelEnd() const { return fSelEnd; }
    int32 GetSelHead() const { return fSelHead; }
    // The bytes of auto-indent inserted by the last SetSelection with insertB.
    int32 GetLastIndent() const { return fLastIndent; }

    // Remembered pixel position of the up and down keys; -1 for none.
    int32 GetPixelPos() const { return fPixelPos; }

    void DoActivate(bool active);
    void DoGainFocus();
    void DoLoseFocus();
    bool HasFocus() const { return fFocus; }
    bool IsCaretShown() const { return fCursorState; }

    // Called after every change of the text made through the engine.
    void SetChangeProc(std::function<void()> proc) { fChangeProc = std::move(proc); }
    // Called when the scroll position or the size of the laid-out text (GetMaxWidth,
    // GetMaxHeight) may have changed, so that scroll bars can follow.
    void SetScrollProc(std::function<void()> proc) { fScrollProc = std::move(proc); }

    // The primitive under every change: replaces [start, end) with the bytes.
    void Replace(int32 start, int32 end, const char* bytes, int32 length);

    // Word selection: the range around offset up to the nearest boundaries, where a boundary
    // lies between two bytes when exactly one of them belongs to a word.
    void WordAt(int32 offset, int32& start, int32& end) const;
    static bool IsWordByte(unsigned char c);

    // Byte length of the character at offset (1 for a byte that is not UTF-8).
    int32 CharLength(int32 offset) const;
    // The offset of the character before offset.
    int32 PrevCharOffset(int32 offset) const;

    // Wrap width in pixels (the area's width minus 10, at least 20).
    int32 WrapWidth() const;

private:
    void RecalcAll();
    void RecalcLines();
    void ScrollChanged() {
        if (fScrollProc) fScrollProc();
    }
    void RecalcStarts(int32 start, int32 oldEnd, int32 length);
    int32 WrapEnd(int32 pos) const;
    int32 MeasureLine(int32 line) const;
    // The width of the bytes [start, end) of one line, tabs included.
    int32 WidthBetween(int32 start, int32 end) const;
    int32 LineEndOffset(int32 line) const; // offset after the line's last shown byte
    // Width of the character at offset when it starts at pixel x of its line.
    int32 CharWidthAt(int32 offset, int32 x, int32& length) const;
    int32 CodeWidth(uint32 code) const;
    uint32 DecodeAt(int32 offset, int32& length) const;
    std::string DisplayText(int32 from, int32 to) const;
    void MeasureFont();
    void Changed(bool textChanged);
    void Inval();
    void InvalCaret();
    void SetCaretShown();
    Point HitPoint(Point where, bool* endHit, int32& offset) const;
    int32 CaretLine() const;
    void DragTo(int32 offset);
    void MoveCaret(int32 offset, bool extend);
    int32 AutoIndent();
    void DrawLine(XGDraw& draw, int32 line, int32 left, int32 baseline, const tagRECT& clip, bool drawSel);

    bool fScrollPixels = false;
    bool fDrawFlag = false;
    XGInvalTarget* fCurView = nullptr;
    XGDraw* fCurDraw = nullptr;
    XGFont fCurFont;
    tagRECT fSize;
    XGTextBuffer* fText = nullptr;
    XGLineStarts fStarts;
    int64 fTickTime = 0;
    int32 fTabStop = 8;
    bool fWordWrap = false;
    bool fAutoIndent = false;
    bool fCursorState = false;
    bool fDragWord = false;
    bool fFieldEditor = false;
    bool fPassword = false;
    bool fFocus = false;
    bool fActive = true;
    bool fDragging = false;
    int32 fXScroll = 0;
    int32 fYScroll = 0;
    int32 fPixelStep = 1;
    int32 fSelHead = 0;
    int32 fSelStart = 0;
    int32 fSelEnd = 0;
    int32 fMaxXVal = 0;
    int32 fDragFrom = 0;
    int32 fDragTo = 0;
    int16 fFontHeight = 0;
    int16 fFontAscent = 0;
    int32 fPixelPos = -1;
    int16 fXOffset = 2;
    bool fPrevLine = false;
    XGColor fForeColor = XGColor::Black();
    XGColor fBackColor = XGColor::White();

    int32 fMaxWidth = 0; // widest line seen since the last full layout (no wrap)
    int32 fLastIndent = 0;
    uint16 fPendingHigh = 0; // first half of a UTF-16 pair typed as two keys
    std::array<int16, 128> fAsciiWidth{};
    mutable std::unordered_map<uint32, int32> fWideWidth;
    int32 fSpaceWidth = 1;
    std::function<void()> fChangeProc;
    std::function<void()> fScrollProc;
};

} // namespace yaaf
