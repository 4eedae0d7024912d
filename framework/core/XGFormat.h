#pragma once
// The template formatter used by messages and assertions. A "#" introduces a directive:
//   #S zero-terminated string, #P length-prefixed string, #L signed 32-bit decimal,
//   #X 32-bit as eight upper-case hex digits, #I four-character code ('.' for unprintables).
// "#n" with n from 1 to 9 before the letter picks argument n and makes n+1 the running one;
// any other character after "#" is written as it stands together with the "#".
// Arguments carry their own count, so a template that names more arguments than were given
// writes nothing for the missing ones instead of reading past the list.

#include "XGTypes.h"

#include <cstddef>
#include <string>
#include <type_traits>

namespace yaaf {

struct YFormatArg {
    enum Kind : uint8 { kNone, kString, kPString, kNumber };

    Kind kind = kNone;
    const char* str = nullptr;
    const unsigned char* pstr = nullptr;
    int64 num = 0;

    YFormatArg() = default;
    YFormatArg(const char* s) : kind(kString), str(s) {}
    YFormatArg(char* s) : kind(kString), str(s) {}
    YFormatArg(const std::string& s) : kind(kString), str(s.c_str()) {}
    // A length-prefixed string: the first byte is the length.
    YFormatArg(const unsigned char* p) : kind(kPString), pstr(p) {}
    YFormatArg(unsigned char* p) : kind(kPString), pstr(p) {}
    template <class T, std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>, int> = 0>
    YFormatArg(T n) : kind(kNumber), num(int64(n)) {}
};

struct YFormatArgs {
    const YFormatArg* args = nullptr;
    size_t count = 0;
};

// Appends the formatted text to `out`.
void vyformat(std::string& out, const char* tmpl, YFormatArgs args);
// Writes into a buffer of `size` bytes; the result is cut to fit and always zero-terminated
// (when size > 0). Answers the length the full result would have had.
size_t vyformat(char* out, size_t size, const char* tmpl, YFormatArgs args);

template <class... A> void yformat(std::string& out, const char* tmpl, const A&... a) {
    if constexpr (sizeof...(A) == 0) {
        vyformat(out, tmpl, YFormatArgs{});
    } else {
        const YFormatArg list[] = {YFormatArg(a)...};
        vyformat(out, tmpl, YFormatArgs{list, sizeof...(A)});
    }
}

template <class... A> size_t yformat(char* out, size_t size, const char* tmpl, const A&... a) {
    if constexpr (sizeof...(A) == 0) {
        return vyformat(out, size, tmpl, YFormatArgs{});
    } else {
        const YFormatArg list[] = {YFormatArg(a)...};
        return vyformat(out, size, tmpl, YFormatArgs{list, sizeof...(A)});
    }
}

// Convenience form answering a new string.
template <class... A> std::string yformatted(const char* tmpl, const A&... a) {
    std::string out;
    yformat(out, tmpl, a...);
    return out;
}

} // namespace yaaf
