// Fuzzes the texts a running Vorn takes from outside: the shell command channel's commands and
// the command line handed over by a second start. Besides not crashing, what the command parser
// reads must read back the same when written again in the channel's own quoting.

#include "XGShellCommand.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string Quote(const std::string& arg) {
    std::string out = "\"";
    for (char c : arg)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string Write(const std::vector<yaaf::XGShellCommand>& commands) {
    std::string out;
    for (const auto& command : commands) {
        out += "[" + command.name;
        if (!command.args.empty()) {
            out += "(";
            for (size_t i = 0; i < command.args.size(); ++i)
                out += (i ? "," : "") + Quote(command.args[i]);
            out += ")";
        }
        out += "]";
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    const auto commands = yaaf::XGParseShellCommands(input);
    for (const auto& command : commands) {
        if (command.name.empty() || command.name.size() > yaaf::kXGShellMaxName ||
            command.args.size() > yaaf::kXGShellMaxArgs)
            std::abort();
    }
    if (yaaf::XGParseShellCommands(Write(commands)) != commands) std::abort();

    const auto tokens = yaaf::XGSplitCommandLine(input, 8);
    if (tokens.size() > 8) std::abort();
    // A start hands its arguments over joined; arguments without quotes split back the same.
    bool plain = true;
    for (const auto& token : tokens)
        plain = plain && token.find('"') == std::string::npos && !token.empty();
    if (plain && yaaf::XGSplitCommandLine(yaaf::XGJoinCommandLine(tokens)) != tokens) std::abort();
    yaaf::XGStripOuterQuotes(input);
    return 0;
}
