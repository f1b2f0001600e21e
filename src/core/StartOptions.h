#pragma once
// The options the program is started with. Each option is one row of a table, so that more
// can stand beside --connect; anything the table does not know ends the start with a message.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

struct GameAddress {
    std::string host;
    std::uint16_t port = 0;
    std::string portText() const { return std::to_string(port); }
    bool operator==(const GameAddress&) const = default;
};

struct StartOptions {
    // A start that cannot go on ends with this exit code and the message on standard error.
    static constexpr int UsageExitCode = 2;
    static constexpr const char* Usage = "Usage: tarnwick [--connect HOST:PORT | --practice] [FILE.cfg]";

    std::optional<GameAddress> connect; // --connect HOST:PORT
    bool practice = false;              // --practice: start the practice world and play it
    std::string optionsFile;            // FILE.cfg: loaded instead of the one used last
    bool help = false;                  // --help, -h: print helpText() and stop
    bool version = false;               // --version: print versionText() and stop
    std::string error;                  // empty when the program may start
    // Qt's own options with their values, in the order given: Qt gets these and nothing else,
    // so that the program's arguments never reach Qt and every mistake is caught before it.
    std::vector<std::string> toolkitArgs;

    bool ok() const { return error.empty(); }
    // The start prints a text and ends without opening a window.
    bool printsOnly() const { return ok() && (help || version); }

    static std::string helpText();
    static std::string versionText(); // "Tarnwick 5.0"

    // args are the arguments after the program's name.
    static StartOptions parse(const std::vector<std::string>& args);
    // "HOST:PORT", "[v6 address]:PORT", either with "tls://" before it (kept in the host); the
    // port a number from 1 to 65535.
    static std::optional<GameAddress> parseAddress(const std::string& text);

private:
    static std::optional<GameAddress> parsePlainAddress(const std::string& text);
};

} // namespace tw
