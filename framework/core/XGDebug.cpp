#include "XGDebug.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace yaaf {

void YAAFDebugError(const char* fmt, ...) {
    if (!fmt) return;
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string line;
    if (n > 0) {
        line.resize(size_t(n) + 1);
        std::vsnprintf(line.data(), line.size(), fmt, ap2);
        line.resize(size_t(n));
    }
    va_end(ap2);
    line += '\n';
    // One write per message so that lines from different threads do not interleave.
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace yaaf
