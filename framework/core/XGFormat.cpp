#include "XGFormat.h"

#include <cstring>

namespace yaaf {

namespace {

constexpr size_t kMaxArgs = 9;

void AppendArg(std::string& out, char letter, const YFormatArg* a) {
    if (!a) return; // the template names an argument that was not given
    switch (letter) {
    case 'S':
        if (a->kind == YFormatArg::kString && a->str) out += a->str;
        break;
    case 'P':
        if (a->kind == YFormatArg::kPString && a->pstr)
            out.append(reinterpret_cast<const char*>(a->pstr + 1), a->pstr[0]);
        break;
    case 'L':
        if (a->kind == YFormatArg::kNumber) out += std::to_string(int32(uint32(uint64(a->num))));
        break;
    case 'X':
        if (a->kind == YFormatArg::kNumber) {
            static const char kHex[] = "0123456789ABCDEF";
            uint32 v = uint32(uint64(a->num));
            for (int shift = 28; shift >= 0; shift -= 4)
                out += kHex[(v >> shift) & 0xF];
        }
        break;
    case 'I':
        if (a->kind == YFormatArg::kNumber) {
            uint32 v = uint32(uint64(a->num));
            for (int shift = 24; shift >= 0; shift -= 8) {
                unsigned char c = (unsigned char)((v >> shift) & 0xFF);
                out += (c >= 0x20 && c <= 0x7E) ? char(c) : '.';
            }
        }
        break;
    default:
        break;
    }
}

bool IsDirectiveLetter(char c) {
    return c == 'S' || c == 'P' || c == 'L' || c == 'X' || c == 'I';
}

} // namespace

void vyformat(std::string& out, const char* tmpl, YFormatArgs args) {
    if (!tmpl) return;
    const size_t usable = args.count < kMaxArgs ? args.count : kMaxArgs;
    auto argAt = [&](size_t index) -> const YFormatArg* {
        return (args.args && index < usable) ? &args.args[index] : nullptr;
    };
    size_t running = 0;
    for (const char* p = tmpl; *p; ++p) {
        if (*p != '#') {
            out += *p;
            continue;
        }
        const char next = p[1];
        if (next >= '1' && next <= '9' && IsDirectiveLetter(p[2])) {
            size_t index = size_t(next - '1');
            AppendArg(out, p[2], argAt(index));
            running = index + 1;
            p += 2;
        } else if (IsDirectiveLetter(next)) {
            AppendArg(out, next, argAt(running));
            ++running;
            p += 1;
        } else if (next == '\0') {
            out += '#';
        } else {
            out += '#';
            out += next;
            p += 1;
        }
    }
}

size_t vyformat(char* out, size_t size, const char* tmpl, YFormatArgs args) {
    std::string full;
    vyformat(full, tmpl, args);
    if (out && size > 0) {
        size_t n = full.size() < size - 1 ? full.size() : size - 1;
        std::memcpy(out, full.data(), n);
        out[n] = '\0';
    }
    return full.size();
}

} // namespace yaaf
