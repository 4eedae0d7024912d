#include "XGShellCommand.h"

#include <algorithm>
#include <cctype>

namespace yaaf {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
} // namespace

std::vector<XGShellCommand> XGParseShellCommands(const std::string& text) {
    std::vector<XGShellCommand> out;
    size_t i = 0;
    const size_t n = text.size();
    for (;;) {
        while (i < n && IsBlank(text[i]))
            ++i;
        if (i >= n || text[i] != '[') break;
        ++i;
        XGShellCommand cmd;
        while (i < n && text[i] != '(' && text[i] != ']') {
            if (cmd.name.size() >= kXGShellMaxName) return out;
            cmd.name += text[i++];
        }
        if (i >= n) return out;
        if (text[i] == '(') {
            ++i;
            bool closed = false;
            while (i < n && !closed) {
                while (i < n && IsBlank(text[i]))
                    ++i;
                std::string arg;
                if (i < n && text[i] == '"') {
                    ++i;
                    bool ended = false;
                    while (i < n) {
                        if (text[i] == '"') {
                            if (i + 1 < n && text[i + 1] == '"') {
                                arg += '"';
                                i += 2;
                                continue;
                            }
                            ++i;
                            ended = true;
                            break;
                        }
                        arg += text[i++];
                    }
                    if (!ended) return out;
                    while (i < n && IsBlank(text[i]))
                        ++i;
                } else {
                    while (i < n && text[i] != ',' && text[i] != ')')
                        arg += text[i++];
                    while (!arg.empty() && IsBlank(arg.back()))
                        arg.pop_back();
                }
                if (i >= n) return out;
                if (cmd.args.size() < kXGShellMaxArgs) cmd.args.push_back(arg);
                if (text[i] == ')')
                    closed = true;
                else if (text[i] != ',')
                    return out;
                ++i;
            }
            if (!closed) return out;
            while (i < n && IsBlank(text[i]))
                ++i;
            if (i >= n || text[i] != ']') return out;
        }
        ++i; // the "]"
        if (cmd.name.empty()) return out;
        out.push_back(std::move(cmd));
    }
    return out;
}

std::string XGJoinCommandLine(const std::vector<std::string>& args) {
    std::string out;
    for (const std::string& a : args) {
        if (!out.empty()) out += ' ';
        // Every byte the splitter takes for white space, or the argument comes back in pieces.
        if (a.empty() || std::any_of(a.begin(), a.end(), IsBlank))
            out += '"' + a + '"';
        else
            out += a;
    }
    return out;
}

std::string XGStripOuterQuotes(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
    return text;
}

std::vector<std::string> XGSplitCommandLine(const std::string& text, size_t maxTokens) {
    std::vector<std::string> tokens;
    size_t i = 0;
    const size_t n = text.size();
    while (tokens.size() < maxTokens) {
        while (i < n && IsBlank(text[i]))
            ++i;
        if (i >= n) break;
        std::string token;
        if (text[i] == '"') {
            ++i;
            while (i < n && text[i] != '"')
                token += text[i++];
            if (i < n) ++i;
        } else {
            while (i < n && !IsBlank(text[i]))
                token += text[i++];
        }
        tokens.push_back(token);
    }
    return tokens;
}

} // namespace yaaf
