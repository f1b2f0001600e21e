#include "core/StartOptions.h"

#include "base/WholeNumber.h"
#include "net/SocketNames.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace tw {

namespace {

struct OptionRow {
    const char* name;
    bool takesValue;
    // Returns the error text, empty when the value is good. Rows without one are Qt's options,
    // handed on to Qt with the value, if any, as the next argument.
    std::function<std::string(StartOptions&, const std::string& value)> apply;
};

std::string askHelp(StartOptions& o, const std::string&)
{
    o.help = true;
    return {};
}

const OptionRow Options[] = {
    {"--help", false, askHelp},
    {"-h", false, askHelp},
    {"--version", false, [](StartOptions& o, const std::string&) { o.version = true; return std::string(); }},
    {"--connect", true,
     [](StartOptions& o, const std::string& value) -> std::string {
         o.connect = StartOptions::parseAddress(value);
         if (o.connect)
             return {};
         return "--connect needs HOST:PORT with a port from 1 to 65535, not '" + value + "'";
     }},
    {"--practice", false, [](StartOptions& o, const std::string&) { o.practice = true; return std::string(); }},
    // The options of Qt's own that a player may want; Qt sees nothing else.
    {"-platform", true, nullptr},
    {"-platformpluginpath", true, nullptr},
    {"-platformtheme", true, nullptr},
    {"-plugin", true, nullptr},
    {"-display", true, nullptr},
    {"-geometry", true, nullptr},
    {"-qwindowgeometry", true, nullptr},
    {"-qwindowicon", true, nullptr},
    {"-qwindowtitle", true, nullptr},
    {"-session", true, nullptr},
    {"-style", true, nullptr},
    {"-stylesheet", true, nullptr},
    {"-reverse", false, nullptr},
    {"-widgetcount", false, nullptr},
};

std::string failure(const std::string& what)
{
    return "tarnwick: " + what + "\n" + StartOptions::Usage;
}

} // namespace

std::string StartOptions::helpText()
{
    return std::string(Usage) + "\n"
           "A client for MUDs, text games played over a plain TCP connection.\n"
           "\n"
           "  FILE.cfg             load this options file instead of the one used last\n"
           "  --connect HOST:PORT  connect to this game at start (tls://HOST:PORT for TLS,\n"
           "                       which needs Options > Modern Server Mode)\n"
           "  --practice           start the practice world and connect to it; it stops\n"
           "                       when Tarnwick ends\n"
           "  -h, --help           print this help and exit\n"
           "  --version            print the version and exit\n"
           "  --                   end of the options: FILE.cfg may then begin with -\n"
           "\n"
           "Qt's own options are handed to Qt: -platform NAME, -display DISPLAY,\n"
           "-style STYLE, -stylesheet FILE, -geometry WxH+X+Y, -reverse, -session ID,\n"
           "-platformtheme NAME, -platformpluginpath DIR, -plugin NAME, -qwindowgeometry,\n"
           "-qwindowicon, -qwindowtitle and -widgetcount.\n"
           "\n"
           "Settings live in ~/.config/tarnwick/TARNWICK.INI; the help pages are under Help.\n";
}

std::string StartOptions::versionText()
{
#ifdef TARNWICK_VERSION
    return std::string("Tarnwick ") + TARNWICK_VERSION;
#else
    return "Tarnwick";
#endif
}

std::optional<GameAddress> StartOptions::parseAddress(const std::string& text)
{
    // A TLS game keeps the scheme before its host, as the MUD list holds it.
    if (const std::optional<std::string> tls = tlsHost(text)) {
        std::optional<GameAddress> game = parsePlainAddress(*tls);
        if (game)
            game->host = "tls://" + game->host;
        return game;
    }
    return parsePlainAddress(text);
}

std::optional<GameAddress> StartOptions::parsePlainAddress(const std::string& text)
{
    std::string host, port;
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != ':')
            return std::nullopt;
        host = text.substr(1, close - 1);
        port = text.substr(close + 2);
    } else {
        const std::size_t colon = text.rfind(':');
        if (colon == std::string::npos || text.find(':') != colon)
            return std::nullopt;
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }
    const bool blank = std::any_of(host.begin(), host.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n';
    });
    if (host.empty() || blank || port.empty() ||
        !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const unsigned long number = leadingNumber(port);
    if (number < 1 || number > 65535)
        return std::nullopt;
    return GameAddress{host, std::uint16_t(number)};
}

StartOptions StartOptions::parse(const std::vector<std::string>& args)
{
    StartOptions result;
    bool optionsEnded = false; // after "--" every argument is a file name
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (arg.empty() || !result.optionsFile.empty()) {
                result.error = failure("unexpected argument '" + arg + "'");
                return result;
            }
            result.optionsFile = arg;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const auto row = std::find_if(std::begin(Options), std::end(Options),
                                      [&](const OptionRow& r) { return name == r.name; });
        if (row == std::end(Options)) {
            result.error = failure("unknown option '" + name + "'");
            return result;
        }
        std::string value;
        if (equals != std::string::npos) {
            if (!row->takesValue) {
                result.error = failure(name + " takes no value");
                return result;
            }
            value = arg.substr(equals + 1);
        } else if (row->takesValue) {
            if (i + 1 >= args.size()) {
                result.error = failure(name + " needs a value");
                return result;
            }
            value = args[++i];
        }
        if (!row->apply) {
            result.toolkitArgs.push_back(name);
            if (row->takesValue)
                result.toolkitArgs.push_back(value);
        } else if (std::string why = row->apply(result, value); !why.empty()) {
            result.error = failure(why);
            return result;
        }
    }
    if (result.practice && result.connect)
        result.error = failure("--practice connects to the practice world; leave out --connect");
    return result;
}

} // namespace tw
