#include "FormatSize.h"

#include <cstdio>

using yaaf::uint32;
using yaaf::uint64;

char* FormatSize(uint32 bytes, char* out) {
    if (!out) return out;
    constexpr size_t n = kFormatSizeBufferSize;
    if (bytes == 0) {
        std::snprintf(out, n, "0 K");
    } else if (bytes < 1000) {
        std::snprintf(out, n, "%u b", bytes);
    } else if (bytes <= 1024) {
        std::snprintf(out, n, "1 K");
    } else if (bytes <= 9999) {
        std::snprintf(out, n, "%.1f K", bytes / 1024.0);
    } else {
        // 64-bit so that the largest counts do not wrap to zero when rounded up.
        const uint64 k = (uint64(bytes) + 1) / 1024;
        if (k < 1000)
            std::snprintf(out, n, "%u K", unsigned(k));
        else if (k <= 1024)
            std::snprintf(out, n, "1 MB");
        else if (k < 10240)
            std::snprintf(out, n, "%.1f MB", double(k) / 1024.0);
        else
            std::snprintf(out, n, "%u MB", unsigned((k + 1) / 1024));
    }
    return out;
}

std::string FormatSize(uint32 bytes) {
    char buffer[kFormatSizeBufferSize];
    return FormatSize(bytes, buffer);
}
