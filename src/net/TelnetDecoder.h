#pragma once
// Takes telnet commands out of the received bytes and answers the server's option
// negotiation. Options are agreed only when the server asks and answered only when their
// state changes, so two sides can never bounce requests back and forth; an option we do not
// support is refused once per connection. The state survives between reads: a sequence may
// be split anywhere.
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

namespace telnet {
constexpr unsigned char IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250,
                        GA = 249, SE = 240, EOR = 239;
// Options.
constexpr unsigned char Echo = 1, SuppressGoAhead = 3, TerminalType = 24, EndOfRecord = 25,
                        WindowSize = 31, Compress2 = 86, Gmcp = 201;
// The name the client gives when the server asks for its terminal type.
inline constexpr std::string_view TerminalName = "TARNWICK";
// Typed text with every IAC byte doubled, as the protocol sends a data byte 255.
std::string escapeIac(std::string_view text);
} // namespace telnet

class TelnetDecoder {
public:
    // Why decode() returned.
    enum class Stop {
        End,        // the input is used up
        PromptEnd,  // IAC GA or IAC EOR: the text so far ends with a prompt
        Compress,   // the server starts compression: the rest of the input is compressed
        Broken,     // a broken sequence was dropped; the text after it follows
        Gmcp,       // a message of out-of-band game data is complete: takeGmcp() has it
    };
    struct Result {
        std::size_t consumed = 0;
        Stop stop = Stop::End;
    };

    // A subnegotiation that grows beyond this is taken for a broken one: it is dropped and the
    // bytes after it are text again, so that a missing IAC SE cannot swallow the game.
    static constexpr std::size_t MaxSubnegotiation = 1024;
    // Game data messages are JSON and may be long: a room with a long name and many exits, or
    // a game that puts its whole room description in, runs to several kilobytes. 64 KiB is far
    // beyond any real message and still small enough to hold.
    static constexpr std::size_t MaxGmcpSubnegotiation = 64 * 1024;

    // Appends the text found in `in` to `text` and returns how much of `in` was used.
    Result decode(std::string_view in, std::string& text);

    // The answers to send, in order; taking them empties the store.
    std::string takeReplies();
    // The game data message that made decode() stop with Stop::Gmcp: the package name and its
    // JSON, with doubled IAC bytes made single. Taking it empties the store; a message not
    // taken is replaced by the next one, so memory stays at one message.
    std::string takeGmcp();
    // The server echoes what is typed (it said WILL ECHO): the input is a secret.
    bool serverEchoes() const { return him_[telnet::Echo]; }
    // The window size; reported to the server whenever it changes while window size is agreed.
    void setWindowSize(int columns, int rows);
    // A new connection starts with every option off.
    void reset();

private:
    enum class State { Data, Iac, Verb, Sub, SubIac };

    // Ends a broken subnegotiation: the decoder goes on in `next` with the byte after `consumed`.
    Result dropSubnegotiation(State next, std::size_t consumed);
    void command(unsigned char verb, unsigned char option);
    void subnegotiation();
    void reply(unsigned char verb, unsigned char option);
    void sendWindowSize();
    // The subnegotiation being read is game data the server agreed to send.
    bool inGmcp() const;
    std::size_t subnegotiationLimit() const;

    State state_ = State::Data;
    unsigned char verb_ = 0;
    bool afterCr_ = false;
    std::string sub_;
    std::bitset<256> us_, him_;            // options on at our side and at the server's
    std::bitset<256> refusedUs_, refusedHim_;
    std::string replies_;
    std::string gmcp_;
    int columns_ = 80, rows_ = 24;
};

// Notices whether a byte stream holds telnet negotiation (IAC followed by WILL, WONT, DO,
// DONT or SB), also when the pair is split between two reads; it changes nothing.
class TelnetSniffer {
public:
    bool feed(std::string_view bytes);
    void reset() { lastWasIac_ = false; }

private:
    bool lastWasIac_ = false;
};

} // namespace tw
