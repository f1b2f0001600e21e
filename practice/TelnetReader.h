#pragma once
// The world's side of telnet, for --modern: takes the client's commands out of what it types
// and notes what the client agreed to (end of record, window size, terminal type,
// compression, GMCP) and what its GMCP hello says. The world asks; it never answers a question
// of the client's.
#include <string>
#include <string_view>
#include <vector>

namespace tw::practice {

namespace telnet {
constexpr char IAC = '\xff', DONT = '\xfe', DO = '\xfd', WONT = '\xfc', WILL = '\xfb', SB = '\xfa',
               SE = '\xf0', EOR = '\xef';
constexpr char Echo = 1, TerminalType = 24, EndOfRecord = 25, WindowSize = 31, Compress2 = 86,
               Gmcp = '\xc9';
inline std::string command(char verb, char option) { return {IAC, verb, option}; }
} // namespace telnet

struct TelnetInfo {
    bool endOfRecord = false;
    bool compressing = false;
    int width = 0, height = 0; // 0 until the client tells
    std::string terminalType;
    bool gmcp = false;                     // the client takes out-of-band game data
    std::string gmcpClient;                // its name and version, from its hello
    std::vector<std::string> gmcpSupports; // the packages it asked for
};

class TelnetReader {
public:
    static constexpr std::size_t kMaxSubnegotiation = 64;
    // A client's hello and its list of packages are JSON, far longer than the other options'.
    static constexpr std::size_t kMaxGmcpSubnegotiation = 4096;

    explicit TelnetReader(TelnetInfo& info) : info_(info) {}

    // The client's bytes without its telnet commands.
    std::string feed(std::string_view bytes);
    // What the world says in answer (the question for the terminal type), once.
    std::string takeReplies();
    // The client agreed to compression; true once.
    bool takeCompressionRequest();

private:
    enum class State { Data, Iac, Verb, Sub, SubIac };
    void command(char verb, char option);
    void subnegotiation();
    void keepSubnegotiationByte(char c);

    TelnetInfo& info_;
    State state_ = State::Data;
    char verb_ = 0;
    std::string sub_;
    bool subTooLong_ = false;
    std::string replies_;
    bool compressionRequested_ = false;
    bool compressionOffered_ = true;
};

} // namespace tw::practice
