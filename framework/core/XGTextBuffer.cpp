#include "XGTextBuffer.h"

#include "XGHandle.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace yaaf {

namespace {
constexpr int32 kMinGap = 256;
constexpr int64 kMaxText = 0x7FFFFFF0; // offsets are 32-bit
} // namespace

void XGTextBuffer::SetText(const char* data, int32 size) {
    if (size < 0) size = 0;
    std::vector<char> fresh(size_t(size) + kMinGap);
    if (size > 0) std::memcpy(fresh.data(), data, size_t(size));
    fBuf.swap(fresh);
    fGapStart = size;
    fGapLen = kMinGap;
}

void XGTextBuffer::MoveGap(int32 offset) {
    if (offset == fGapStart) return;
    char* base = fBuf.data();
    if (offset < fGapStart) {
        // The bytes [offset, gapStart) move up behind the gap.
        std::memmove(base + offset + fGapLen, base + offset, size_t(fGapStart - offset));
    } else {
        std::memmove(base + fGapStart, base + fGapStart + fGapLen, size_t(offset - fGapStart));
    }
    fGapStart = offset;
}

void XGTextBuffer::GrowGap(int32 needed) {
    if (fGapLen >= needed) return;
    const int64 size = GetSize();
    if (size + needed > kMaxText) throw std::length_error("XGTextBuffer: text too large");
    // Grow by a share of the text so that a long run of insertions stays linear.
    const int64 gap = std::min<int64>(kMaxText - size, std::max<int64>({needed, size / 8, kMinGap}));
    std::vector<char> fresh(size_t(size + gap));
    if (fGapStart > 0) std::memcpy(fresh.data(), fBuf.data(), size_t(fGapStart));
    const int32 tail = int32(size) - fGapStart;
    if (tail > 0)
        std::memcpy(fresh.data() + fGapStart + gap, fBuf.data() + fGapStart + fGapLen, size_t(tail));
    fBuf.swap(fresh);
    fGapLen = int32(gap);
}

bool XGTextBuffer::Insert(int32 offset, const char* data, int32 size) {
    if (offset < 0 || offset > GetSize() || size < 0) return false;
    if (size == 0) return true;
    MoveGap(offset);
    GrowGap(size);
    std::memcpy(fBuf.data() + fGapStart, data, size_t(size));
    fGapStart += size;
    fGapLen -= size;
    return true;
}

bool XGTextBuffer::Remove(int32 offset, int32 size) {
    if (offset < 0 || size < 0 || offset > GetSize() || size > GetSize() - offset) return false;
    if (size == 0) return true;
    MoveGap(offset);
    fGapLen += size;
    return true;
}

void XGTextBuffer::CopyOut(int32 offset, int32 size, char* dest) const {
    const int32 total = GetSize();
    offset = std::clamp(offset, 0, total);
    size = std::clamp(size, 0, total - offset);
    if (size == 0) return;
    const char* base = fBuf.data();
    if (offset + size <= fGapStart) {
        std::memcpy(dest, base + offset, size_t(size));
    } else if (offset >= fGapStart) {
        std::memcpy(dest, base + offset + fGapLen, size_t(size));
    } else {
        const int32 first = fGapStart - offset;
        std::memcpy(dest, base + offset, size_t(first));
        std::memcpy(dest + first, base + fGapStart + fGapLen, size_t(size - first));
    }
}

std::string XGTextBuffer::Substr(int32 offset, int32 size) const {
    const int32 total = GetSize();
    offset = std::clamp(offset, 0, total);
    size = std::clamp(size, 0, total - offset);
    std::string out(size_t(size), '\0');
    CopyOut(offset, size, out.data());
    return out;
}

void XGTextBuffer::ToHandle(XGHandle& out) const {
    const int32 size = GetSize();
    out.SetSize(size);
    if (size > 0) CopyOut(0, size, out.GetData());
}

const char* XGTextBuffer::Contiguous() {
    MoveGap(GetSize());
    return fBuf.data();
}

int32 XGTextBuffer::FindByte(char c, int32 from, int32 to) const {
    from = std::max(from, 0);
    to = std::min(to, GetSize());
    if (from >= to) return -1;
    const char* base = fBuf.data();
    if (from < fGapStart) {
        const int32 end = std::min(to, fGapStart);
        if (const void* p = std::memchr(base + from, c, size_t(end - from)))
            return int32(static_cast<const char*>(p) - base);
        from = end;
    }
    if (from < to) {
        const char* tail = base + fGapLen;
        if (const void* p = std::memchr(tail + from, c, size_t(to - from)))
            return int32(static_cast<const char*>(p) - tail);
    }
    return -1;
}

int32 XGTextBuffer::Find(const char* pattern, int32 size, int32 from) const {
    const int32 total = GetSize();
    if (size <= 0 || from < 0 || size > total) return -1;
    const int32 last = total - size;
    for (int32 at = FindByte(pattern[0], from, last + 1); at >= 0;
         at = FindByte(pattern[0], at + 1, last + 1)) {
        int32 i = 1;
        while (i < size && At(at + i) == pattern[i])
            ++i;
        if (i == size) return at;
    }
    return -1;
}

} // namespace yaaf
