#pragma once
// The shell command channel's text: each command stands in square brackets, a name ending at
// "(" or "]", then optionally "(" arguments ")". Arguments are separated by ","; an argument in
// double quotes may contain a doubled quote for one quote. Text that does not follow these rules
// yields the commands read before the fault and nothing after it.

#include <string>
#include <vector>

namespace yaaf {

struct XGShellCommand {
    std::string name; // as written; compare without regard to case
    std::vector<std::string> args;
    bool operator==(const XGShellCommand&) const = default;
};

constexpr size_t kXGShellMaxName = 255;
constexpr size_t kXGShellMaxArgs = 20;

std::vector<XGShellCommand> XGParseShellCommands(const std::string& text);

// The command line of a start as one text: the arguments joined by blanks, an argument with
// white space (a blank, a tab or a line end) or an empty one in double quotes.
std::string XGJoinCommandLine(const std::vector<std::string>& args);

// Removes a pair of double quotes that stands first and last.
std::string XGStripOuterQuotes(const std::string& text);

// Splits a command line: white space separates; a token that begins with a double quote runs to
// the next double quote (the quotes removed). At most maxTokens tokens.
std::vector<std::string> XGSplitCommandLine(const std::string& text, size_t maxTokens = 32);

} // namespace yaaf
