#pragma once
// The debug output channel: standard error on this platform.

namespace yaaf {

// Formats like printf, appends "\n" and writes the line to the debug output.
void YAAFDebugError(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

} // namespace yaaf

using yaaf::YAAFDebugError;
