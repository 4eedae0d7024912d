#include "XGSGMLEscapes.h"

#include "XGStringScanner.h"

#include <cctype>
#include <cstring>

namespace yaaf {

namespace {

// The entity names of HTML for ISO 8859-1, in code order, then the four of markup itself.
const XGToken kEntityTable[] = {
    {"nbsp", 160},   {"iexcl", 161},  {"cent", 162},   {"pound", 163},  {"curren", 164}, {"yen", 165},
    {"brvbar", 166}, {"sect", 167},   {"uml", 168},    {"copy", 169},   {"ordf", 170},   {"laquo", 171},
    {"not", 172},    {"shy", 173},    {"reg", 174},    {"macr", 175},   {"deg", 176},    {"plusmn", 177},
    {"sup2", 178},   {"sup3", 179},   {"acute", 180},  {"micro", 181},  {"para", 182},   {"middot", 183},
    {"cedil", 184},  {"sup1", 185},   {"ordm", 186},   {"raquo", 187},  {"frac14", 188}, {"frac12", 189},
    {"frac34", 190}, {"iquest", 191}, {"Agrave", 192}, {"Aacute", 193}, {"Acirc", 194},  {"Atilde", 195},
    {"Auml", 196},   {"Aring", 197},  {"AElig", 198},  {"Ccedil", 199}, {"Egrave", 200}, {"Eacute", 201},
    {"Ecirc", 202},  {"Euml", 203},   {"Igrave", 204}, {"Iacute", 205}, {"Icirc", 206},  {"Iuml", 207},
    {"ETH", 208},    {"Ntilde", 209}, {"Ograve", 210}, {"Oacute", 211}, {"Ocirc", 212},  {"Otilde", 213},
    {"Ouml", 214},   {"times", 215},  {"Oslash", 216}, {"Ugrave", 217}, {"Uacute", 218}, {"Ucirc", 219},
    {"Uuml", 220},   {"Yacute", 221}, {"THORN", 222},  {"szlig", 223},  {"agrave", 224}, {"aacute", 225},
    {"acirc", 226},  {"atilde", 227}, {"auml", 228},   {"aring", 229},  {"aelig", 230},  {"ccedil", 231},
    {"egrave", 232}, {"eacute", 233}, {"ecirc", 234},  {"euml", 235},   {"igrave", 236}, {"iacute", 237},
    {"icirc", 238},  {"iuml", 239},   {"eth", 240},    {"ntilde", 241}, {"ograve", 242}, {"oacute", 243},
    {"ocirc", 244},  {"otilde", 245}, {"ouml", 246},   {"divide", 247}, {"oslash", 248}, {"ugrave", 249},
    {"uacute", 250}, {"ucirc", 251},  {"uuml", 252},   {"yacute", 253}, {"thorn", 254},  {"yuml", 255},
    {"quot", 34},    {"amp", 38},     {"lt", 60},      {"gt", 62},      {nullptr, -1},
};

const XGStringScanner& EntityScanner() {
    static const XGStringScanner sScanner(kEntityTable, false);
    return sScanner;
}

constexpr size_t kMaxReference = 31;

bool IsReferenceChar(char c) {
    return std::isalnum((unsigned char)c) || c == '#';
}

// The code of a numeric reference ("#65", "#x41"), or -1 when the text is not one.
long NumericReference(const char* text) {
    if (text[0] != '#') return -1;
    const bool hex = text[1] == 'x' || text[1] == 'X';
    const char* p = text + (hex ? 2 : 1);
    if (!*p) return -1;
    long value = 0;
    for (; *p; ++p) {
        const unsigned char c = (unsigned char)*p;
        int digit;
        if (std::isdigit(c))
            digit = c - '0';
        else if (hex && std::isxdigit(c))
            digit = std::tolower(c) - 'a' + 10;
        else
            return -1;
        value = ((value * (hex ? 16 : 10)) + digit) & 0xFFFFFF; // only the low 8 bits matter
    }
    return value;
}

} // namespace

int16 XGLookupSGMLEntity(const char* name) {
    return name ? EntityScanner().GetValue(name) : -1;
}

size_t XGCountSGMLEntities() {
    return sizeof kEntityTable / sizeof kEntityTable[0] - 1;
}

size_t ConvertSGMLEscapes(char* out, const char* in, size_t size) {
    if (size == 0) return 0;
    size_t n = 0;
    auto put = [&](char c) {
        if (n + 1 < size) out[n++] = c;
    };
    const char* p = in ? in : "";
    while (*p) {
        if (*p != '&') {
            put(*p++);
            continue;
        }
        char ref[kMaxReference + 1];
        size_t len = 0;
        const char* q = p + 1;
        while (len < kMaxReference && IsReferenceChar(*q))
            ref[len++] = *q++;
        ref[len] = 0;
        const bool terminated = *q == ';';
        int code = -1;
        const long numeric = NumericReference(ref);
        if (numeric >= 0)
            code = int(numeric & 0xFF);
        else if (len > 0)
            code = XGLookupSGMLEntity(ref);
        if (code < 0 && !terminated) {
            put(*p++); // a stray "&": the text after it is ordinary text
            continue;
        }
        if (code > 0) put(char(code));
        p = terminated ? q + 1 : q;
    }
    out[n] = 0;
    return n;
}

std::string ConvertSGMLEscapes(const std::string& in) {
    // Decoding never lengthens the text.
    std::string out(in.size() + 1, '\0');
    out.resize(ConvertSGMLEscapes(out.data(), in.c_str(), out.size()));
    return out;
}

} // namespace yaaf
