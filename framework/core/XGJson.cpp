#include "XGJson.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace yaaf {

namespace {

const XGJson kNullValue;
const std::string kEmpty;

void AppendUtf8(uint32 cp, std::string& out) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// The length of the UTF-8 sequence at s[i] (overlong forms, surrogates and code points past
// U+10FFFF are not UTF-8), or 0.
size_t Utf8Length(const std::string& s, size_t i) {
    const auto b = [&](size_t k) { return uint8(s[k]); };
    const uint8 c = b(i);
    if (c < 0x80) return 1;
    size_t n;
    uint32 cp;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

} // namespace

class XGJsonReader {
public:
    XGJsonReader(const std::string& text, int32 maxDepth) : fText(text), fMaxDepth(maxDepth) {}

    bool ReadDocument(XGJson& out, std::string& error) {
        SkipSpace();
        if (!ReadValue(out, 0)) {
            error = fError + " at byte " + std::to_string(fPos);
            return false;
        }
        SkipSpace();
        if (fPos != fText.size()) {
            error = "text after the value at byte " + std::to_string(fPos);
            return false;
        }
        return true;
    }

private:
    bool Fail(const char* what) {
        if (fError.empty()) fError = what;
        return false;
    }
    bool AtEnd() const { return fPos >= fText.size(); }
    char Peek() const { return AtEnd() ? '\0' : fText[fPos]; }

    void SkipSpace() {
        while (!AtEnd()) {
            const char c = fText[fPos];
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r') break;
            ++fPos;
        }
    }

    bool Literal(const char* word) {
        const size_t n = std::strlen(word);
        if (fText.compare(fPos, n, word) != 0) return Fail("not a JSON value");
        fPos += n;
        return true;
    }

    bool ReadValue(XGJson& out, int32 depth) {
        if (depth > fMaxDepth) return Fail("nested too deeply");
        switch (Peek()) {
        case '{':
            return ReadObject(out, depth);
        case '[':
            return ReadArray(out, depth);
        case '"': {
            std::string s;
            if (!ReadString(s)) return false;
            out = XGJson(std::move(s));
            return true;
        }
        case 't':
            out = XGJson(true);
            return Literal("true");
        case 'f':
            out = XGJson(false);
            return Literal("false");
        case 'n':
            out = XGJson();
            return Literal("null");
        default:
            return ReadNumber(out);
        }
    }

    bool ReadObject(XGJson& out, int32 depth) {
        ++fPos;
        out = XGJson::Object();
        SkipSpace();
        if (Peek() == '}') {
            ++fPos;
            return true;
        }
        // Names seen so far: a large object is read in linear time, a repeated name keeps its
        // last value.
        std::unordered_map<std::string, size_t> seen;
        for (;;) {
            SkipSpace();
            if (Peek() != '"') return Fail("a member name must be a string");
            std::string name;
            if (!ReadString(name)) return false;
            SkipSpace();
            if (Peek() != ':') return Fail("\":\" expected");
            ++fPos;
            SkipSpace();
            XGJson value;
            if (!ReadValue(value, depth + 1)) return false;
            const auto [at, added] = seen.emplace(name, out.fMembers.size());
            if (added)
                out.fMembers.emplace_back(std::move(name), std::move(value));
            else
                out.fMembers[at->second].second = std::move(value);
            SkipSpace();
            if (Peek() == ',') {
                ++fPos;
                continue;
            }
            if (Peek() == '}') {
                ++fPos;
                return true;
            }
            return Fail("\",\" or \"}\" expected");
        }
    }

    bool ReadArray(XGJson& out, int32 depth) {
        ++fPos;
        out = XGJson::Array();
        SkipSpace();
        if (Peek() == ']') {
            ++fPos;
            return true;
        }
        for (;;) {
            SkipSpace();
            XGJson value;
            if (!ReadValue(value, depth + 1)) return false;
            out.Append(std::move(value));
            SkipSpace();
            if (Peek() == ',') {
                ++fPos;
                continue;
            }
            if (Peek() == ']') {
                ++fPos;
                return true;
            }
            return Fail("\",\" or \"]\" expected");
        }
    }

    bool Hex4(uint32& out) {
        if (fPos + 4 > fText.size()) return Fail("cut short");
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = fText[fPos++];
            out <<= 4;
            if (c >= '0' && c <= '9')
                out |= uint32(c - '0');
            else if (c >= 'a' && c <= 'f')
                out |= uint32(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                out |= uint32(c - 'A' + 10);
            else
                return Fail("bad \\u escape");
        }
        return true;
    }

    bool ReadString(std::string& out) {
        ++fPos; // the quote
        for (;;) {
            if (AtEnd()) return Fail("string not closed");
            const char c = fText[fPos];
            if (c == '"') {
                ++fPos;
                return true;
            }
            if (uint8(c) < 0x20) return Fail("control character in a string");
            if (c != '\\') {
                const size_t n = Utf8Length(fText, fPos);
                if (n == 0) return Fail("not UTF-8");
                out.append(fText, fPos, n);
                fPos += n;
                continue;
            }
            ++fPos;
            if (AtEnd()) return Fail("string not closed");
            const char e = fText[fPos++];
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                uint32 cp;
                if (!Hex4(cp)) return false;
                if (cp >= 0xD800 && cp <= 0xDBFF && fText.compare(fPos, 2, "\\u") == 0) {
                    const size_t back = fPos;
                    fPos += 2;
                    uint32 low;
                    if (!Hex4(low)) return false;
                    if (low >= 0xDC00 && low <= 0xDFFF) {
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    } else {
                        fPos = back; // a lone high half; the next escape stands alone
                        cp = 0xFFFD;
                    }
                } else if (cp >= 0xD800 && cp <= 0xDFFF) {
                    cp = 0xFFFD;
                }
                AppendUtf8(cp, out);
                break;
            }
            default:
                return Fail("bad escape");
            }
        }
    }

    bool ReadNumber(XGJson& out) {
        const size_t start = fPos;
        bool integer = true;
        if (Peek() == '-') ++fPos;
        if (Peek() == '0') {
            ++fPos;
        } else if (Peek() >= '1' && Peek() <= '9') {
            while (Peek() >= '0' && Peek() <= '9')
                ++fPos;
        } else {
            return Fail("not a JSON value");
        }
        if (Peek() == '.') {
            integer = false;
            ++fPos;
            if (!(Peek() >= '0' && Peek() <= '9')) return Fail("digit expected");
            while (Peek() >= '0' && Peek() <= '9')
                ++fPos;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            integer = false;
            ++fPos;
            if (Peek() == '+' || Peek() == '-') ++fPos;
            if (!(Peek() >= '0' && Peek() <= '9')) return Fail("digit expected");
            while (Peek() >= '0' && Peek() <= '9')
                ++fPos;
        }
        const char* first = fText.data() + start;
        const char* last = fText.data() + fPos;
        if (integer) {
            int64 v = 0;
            const auto r = std::from_chars(first, last, v);
            if (r.ec == std::errc() && r.ptr == last) {
                out = XGJson(v);
                return true;
            }
        }
        double d = 0;
        const auto r = std::from_chars(first, last, d);
        if (r.ec != std::errc() || r.ptr != last || !std::isfinite(d)) return Fail("number out of range");
        out = XGJson(d);
        return true;
    }

    const std::string& fText;
    const int32 fMaxDepth;
    size_t fPos = 0;
    std::string fError;
};

namespace {

void Indent(std::string& out, int depth) {
    out += '\n';
    out.append(size_t(depth) * 2, ' ');
}

} // namespace

int64 XGJson::GetInt(int64 fallback) const {
    if (fKind != kNumber) return fallback;
    if (fIsInt) return fInt;
    // Whole numbers written with a fraction or exponent ("2.0", "1e3") count as integers too.
    if (std::trunc(fDouble) == fDouble && std::fabs(fDouble) < 9.2e18) return int64(fDouble);
    return fallback;
}

const std::string& XGJson::GetString() const {
    return fKind == kString ? fString : kEmpty;
}

const XGJson& XGJson::At(size_t index) const {
    return fKind == kArray && index < fItems.size() ? fItems[index] : kNullValue;
}

XGJson& XGJson::Append(XGJson value) {
    if (fKind == kNull) fKind = kArray;
    fItems.push_back(std::move(value));
    return fItems.back();
}

const XGJson* XGJson::Find(const std::string& name) const {
    if (fKind != kObject) return nullptr;
    for (const Member& m : fMembers)
        if (m.first == name) return &m.second;
    return nullptr;
}

const XGJson& XGJson::operator[](const std::string& name) const {
    const XGJson* v = Find(name);
    return v ? *v : kNullValue;
}

XGJson& XGJson::Set(const std::string& name, XGJson value) {
    if (fKind == kNull) fKind = kObject;
    for (Member& m : fMembers)
        if (m.first == name) {
            m.second = std::move(value);
            return m.second;
        }
    fMembers.emplace_back(name, std::move(value));
    return fMembers.back().second;
}

bool XGJson::operator==(const XGJson& o) const {
    if (fKind != o.fKind) return false;
    switch (fKind) {
    case kNull:
        return true;
    case kBool:
        return fBool == o.fBool;
    case kNumber:
        return fIsInt && o.fIsInt ? fInt == o.fInt : fDouble == o.fDouble;
    case kString:
        return fString == o.fString;
    case kArray:
        return fItems == o.fItems;
    case kObject:
        // Members in any order.
        if (fMembers.size() != o.fMembers.size()) return false;
        for (const Member& m : fMembers) {
            const XGJson* other = o.Find(m.first);
            if (!other || !(*other == m.second)) return false;
        }
        return true;
    }
    return false;
}

bool XGJson::Parse(const std::string& text, XGJson& out, std::string& error, int32 maxDepth) {
    XGJsonReader reader(text, maxDepth);
    XGJson value;
    if (!reader.ReadDocument(value, error)) return false;
    out = std::move(value);
    return true;
}

void XGJsonQuote(const std::string& text, std::string& out) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (size_t i = 0; i < text.size();) {
        const uint8 c = uint8(text[i]);
        if (c >= 0x80) {
            const size_t n = Utf8Length(text, i);
            if (n == 0) {
                out += "\xEF\xBF\xBD";
                ++i;
            } else {
                out.append(text, i, n);
                i += n;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            } else {
                out += char(c);
            }
        }
        ++i;
    }
    out += '"';
}

void XGJson::WriteTo(std::string& out, bool indented, int depth) const {
    switch (fKind) {
    case kNull:
        out += "null";
        return;
    case kBool:
        out += fBool ? "true" : "false";
        return;
    case kNumber: {
        char buf[40];
        std::to_chars_result r;
        if (fIsInt) {
            r = std::to_chars(buf, buf + sizeof buf, fInt);
        } else if (!std::isfinite(fDouble)) {
            out += "null";
            return;
        } else {
            r = std::to_chars(buf, buf + sizeof buf, fDouble);
        }
        out.append(buf, r.ptr);
        return;
    }
    case kString:
        XGJsonQuote(fString, out);
        return;
    case kArray:
        out += '[';
        for (size_t i = 0; i < fItems.size(); ++i) {
            if (i) out += ',';
            if (indented) Indent(out, depth + 1);
            fItems[i].WriteTo(out, indented, depth + 1);
        }
        if (indented && !fItems.empty()) Indent(out, depth);
        out += ']';
        return;
    case kObject:
        out += '{';
        for (size_t i = 0; i < fMembers.size(); ++i) {
            if (i) out += ',';
            if (indented) Indent(out, depth + 1);
            XGJsonQuote(fMembers[i].first, out);
            out += indented ? ": " : ":";
            fMembers[i].second.WriteTo(out, indented, depth + 1);
        }
        if (indented && !fMembers.empty()) Indent(out, depth);
        out += '}';
        return;
    }
}

std::string XGJson::Write(bool indented) const {
    std::string out;
    WriteTo(out, indented, 0);
    if (indented) out += '\n';
    return out;
}

} // namespace yaaf
