#include "XGMenuResource.h"

#include "XGResources.h"

#include <cctype>
#include <sstream>

namespace yaaf {

namespace {

// Splits a line into words; a quoted word keeps its blanks and decodes \t, \" and \\.
bool SplitLine(const std::string& line, std::vector<std::string>& words, std::vector<bool>& quoted) {
    words.clear();
    quoted.clear();
    size_t i = 0;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            std::string word;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\' && i < line.size()) {
                    char e = line[i++];
                    word += e == 't' ? '\t' : e;
                } else {
                    word += c;
                }
            }
            if (!closed) return false;
            words.push_back(word);
            quoted.push_back(true);
        } else {
            size_t start = i;
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
                ++i;
            words.push_back(line.substr(start, i - start));
            quoted.push_back(false);
        }
    }
    return true;
}

bool ParseId(const std::string& text, int32& out) {
    if (text.empty() || text.size() > 9) return false;
    int32 value = 0;
    size_t i = 0;
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex) i = 2;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && std::isxdigit(static_cast<unsigned char>(c)))
            digit = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        else
            return false;
        value = value * (hex ? 16 : 10) + digit;
    }
    out = value;
    return true;
}

template <class Fn> bool ForEachLine(const std::string& text, std::string* error, Fn fn) {
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    std::vector<std::string> words;
    std::vector<bool> quoted;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        if (!SplitLine(line, words, quoted) || !fn(words, quoted)) {
            if (error) *error = "line " + std::to_string(lineNo) + ": " + line;
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<XGMenuBarRecord> XGParseMenuBar(const std::string& text, std::string* error) {
    XGMenuBarRecord bar;
    // The menus being filled, outermost first.
    std::vector<XGMenuItemRecord*> open;
    bool ok = ForEachLine(text, error, [&](const std::vector<std::string>& w, const std::vector<bool>& q) {
        const std::string& op = w[0];
        if (op == "menu") {
            if (!open.empty() || w.size() != 2 || !q[1]) return false;
            bar.menus.push_back({XGMenuItemRecord::kSubmenu, 0, w[1], {}});
            open.push_back(&bar.menus.back());
            return true;
        }
        if (open.empty()) return false;
        auto& items = open.back()->items;
        if (op == "end") {
            if (w.size() != 1) return false;
            open.pop_back();
            return true;
        }
        if (op == "item") {
            XGMenuItemRecord r;
            if (w.size() != 3 || !q[2] || !ParseId(w[1], r.id)) return false;
            r.title = w[2];
            items.push_back(r);
            return true;
        }
        if (op == "separator" && w.size() == 1) {
            items.push_back({XGMenuItemRecord::kSeparator, 0, {}, {}});
            return true;
        }
        if (op == "submenu" && w.size() == 2 && q[1]) {
            items.push_back({XGMenuItemRecord::kSubmenu, 0, w[1], {}});
            open.push_back(&items.back());
            return true;
        }
        if (op == "fonts" && w.size() == 2) {
            XGMenuItemRecord r{XGMenuItemRecord::kFontList, 0, {}, {}};
            if (!ParseId(w[1], r.id)) return false;
            items.push_back(r);
            return true;
        }
        if (op == "recent" && w.size() == 2) {
            XGMenuItemRecord r{XGMenuItemRecord::kRecentList, 0, {}, {}};
            if (!ParseId(w[1], r.id)) return false;
            items.push_back(r);
            return true;
        }
        if (op == "windows" && w.size() == 1) {
            items.push_back({XGMenuItemRecord::kWindowList, 0, {}, {}});
            return true;
        }
        return false;
    });
    if (ok && !open.empty()) {
        if (error) *error = "missing end";
        ok = false;
    }
    if (!ok) return std::nullopt;
    return bar;
}

std::optional<XGAcceleratorRecord> XGParseAcceleratorKey(const std::string& text) {
    XGAcceleratorRecord r;
    std::string rest = text;
    // Modifier prefixes; a lone "+" or "-" after them is the key itself.
    for (;;) {
        size_t plus = rest.find('+');
        if (plus == std::string::npos || plus == 0 || plus + 1 >= rest.size()) break;
        std::string mod = rest.substr(0, plus);
        if (mod == "Ctrl")
            r.modifiers |= kXGAccel_Ctrl;
        else if (mod == "Alt")
            r.modifiers |= kXGAccel_Alt;
        else if (mod == "Shift")
            r.modifiers |= kXGAccel_Shift;
        else
            return std::nullopt;
        rest = rest.substr(plus + 1);
    }
    if (rest.size() == 1) {
        unsigned char c = static_cast<unsigned char>(rest[0]);
        if (c <= ' ' || c >= 0x7F) return std::nullopt;
        r.key = std::toupper(c);
        return r;
    }
    if (rest == "Return") {
        r.key = kXGAccelKey_Return;
    } else if (rest == "Tab") {
        r.key = kXGAccelKey_Tab;
    } else if (rest == "Delete") {
        r.key = kXGAccelKey_Delete;
    } else if (rest.size() >= 2 && rest.size() <= 3 && rest[0] == 'F') {
        int32 n = 0;
        if (!ParseId(rest.substr(1), n) || n < 1 || n > 12) return std::nullopt;
        r.key = kXGAccelKey_F1 + n - 1;
    } else {
        return std::nullopt;
    }
    return r;
}

std::optional<std::vector<XGAcceleratorRecord>> XGParseAccelerators(const std::string& text,
                                                                    std::string* error) {
    std::vector<XGAcceleratorRecord> table;
    bool ok = ForEachLine(text, error, [&](const std::vector<std::string>& w, const std::vector<bool>&) {
        if (w.size() != 3 || w[0] != "accel") return false;
        auto key = XGParseAcceleratorKey(w[1]);
        if (!key || !ParseId(w[2], key->command)) return false;
        table.push_back(*key);
        return true;
    });
    if (!ok) return std::nullopt;
    return table;
}

std::optional<std::vector<XGToolbarItemRecord>> XGParseToolbar(const std::string& text, std::string* error) {
    std::vector<XGToolbarItemRecord> items;
    bool ok = ForEachLine(text, error, [&](const std::vector<std::string>& w, const std::vector<bool>& q) {
        if (w[0] == "separator" && w.size() == 1) {
            items.push_back({true, 0, {}, {}});
            return true;
        }
        XGToolbarItemRecord r;
        if (w[0] != "button" || w.size() != 4 || !q[3] || !ParseId(w[1], r.id)) return false;
        r.icon = w[2];
        r.tip = w[3];
        items.push_back(r);
        return true;
    });
    if (!ok) return std::nullopt;
    return items;
}

const XGAcceleratorRecord* XGFindAccelerator(const std::vector<XGAcceleratorRecord>& table, uint16 modifiers,
                                             int32 key) {
    if (key > 0 && key < 0x80) key = std::toupper(key);
    const bool punctuation = key > ' ' && key < 0x80 && !std::isalnum(key);
    for (const XGAcceleratorRecord& r : table) {
        if (r.key != key) continue;
        uint16 want = r.modifiers, have = modifiers;
        if (punctuation) {
            want &= uint16(~kXGAccel_Shift);
            have &= uint16(~kXGAccel_Shift);
        }
        if (want == have) return &r;
    }
    return nullptr;
}

namespace {
std::optional<std::string> LoadText(uint32 type, int16 id) {
    std::vector<uint8> bytes;
    if (!XGGetResource(type, id, bytes)) return std::nullopt;
    return std::string(bytes.begin(), bytes.end());
}
} // namespace

std::optional<XGMenuBarRecord> XGLoadMenuBar(uint32 type, int16 id) {
    auto text = LoadText(type, id);
    if (!text) return std::nullopt;
    return XGParseMenuBar(*text);
}

std::optional<std::vector<XGAcceleratorRecord>> XGLoadAccelerators(int16 id) {
    auto text = LoadText(kXGResType_Accelerators, id);
    if (!text) return std::nullopt;
    return XGParseAccelerators(*text);
}

std::optional<std::vector<XGToolbarItemRecord>> XGLoadToolbar(int16 id) {
    auto text = LoadText(kXGResType_Toolbar, id);
    if (!text) return std::nullopt;
    return XGParseToolbar(*text);
}

} // namespace yaaf
