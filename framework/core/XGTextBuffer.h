#pragma once
// The bytes of an edited text, kept with a gap at the place of the last edit so that typing
// in the middle of a large text moves only the bytes between two edit places, not the tail of
// the text. Offsets are byte offsets; the text is not interpreted.

#include "XGTypes.h"

#include <string>
#include <vector>

namespace yaaf {

class XGHandle;

class XGTextBuffer {
public:
    XGTextBuffer() = default;
    XGTextBuffer(const char* data, int32 size) { SetText(data, size); }
    explicit XGTextBuffer(const std::string& text) { SetText(text.data(), int32(text.size())); }

    int32 GetSize() const { return int32(fBuf.size()) - fGapLen; }
    bool IsEmpty() const { return GetSize() == 0; }

    // The byte at an offset inside the text.
    char At(int32 offset) const { return offset < fGapStart ? fBuf[offset] : fBuf[offset + fGapLen]; }
    unsigned char UAt(int32 offset) const { return static_cast<unsigned char>(At(offset)); }

    void SetText(const char* data, int32 size);
    void Clear() { SetText(nullptr, 0); }
    // Both answer false and change nothing when the range lies outside the text.
    bool Insert(int32 offset, const char* data, int32 size);
    bool Remove(int32 offset, int32 size);

    // Copies of a range (clipped to the text).
    std::string Substr(int32 offset, int32 size) const;
    void CopyOut(int32 offset, int32 size, char* dest) const;
    std::string ToString() const { return Substr(0, GetSize()); }
    void ToHandle(XGHandle& out) const;

    // The whole text as one block (the gap is moved to the end); valid until the next edit.
    const char* Contiguous();

    // The first offset >= from where `pattern` starts and fits entirely; -1 when none.
    int32 Find(const char* pattern, int32 size, int32 from) const;
    // The first offset in [from, to) that holds byte c; -1 when none.
    int32 FindByte(char c, int32 from, int32 to) const;

private:
    void MoveGap(int32 offset);
    void GrowGap(int32 needed);

    std::vector<char> fBuf;
    int32 fGapStart = 0;
    int32 fGapLen = 0;
};

} // namespace yaaf
