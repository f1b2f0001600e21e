#include "net/TelnetDecoder.h"

namespace tw {

using namespace telnet;

namespace {

bool weOffer(unsigned char option)
{
    return option == WindowSize || option == TerminalType || option == SuppressGoAhead;
}

bool weAccept(unsigned char option)
{
    return option == Echo || option == SuppressGoAhead || option == EndOfRecord ||
           option == Compress2 || option == Gmcp;
}

// What the client tells a game that agrees to send game data: who it is, and which packages
// it reads.
constexpr std::string_view GmcpHello = R"(Core.Hello {"client":"Tarnwick","version":"5.0"})";
constexpr std::string_view GmcpSupports =
    R"(Core.Supports.Set ["Char 1","Char.Vitals 1","Room 1","Comm.Channel 1"])";

void appendEscaped(std::string& out, unsigned char byte)
{
    out += char(byte);
    if (byte == IAC)
        out += char(IAC);
}

} // namespace

std::string telnet::escapeIac(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        appendEscaped(out, static_cast<unsigned char>(c));
    return out;
}

TelnetDecoder::Result TelnetDecoder::decode(std::string_view in, std::string& text)
{
    std::size_t i = 0;
    while (i < in.size()) {
        const auto byte = static_cast<unsigned char>(in[i++]);
        switch (state_) {
        case State::Data:
            if (byte == IAC) {
                state_ = State::Iac;
            } else if (byte == 0 && afterCr_) {
                // CR NUL is how the protocol sends a carriage return alone.
                afterCr_ = false;
            } else {
                afterCr_ = byte == '\r';
                text += char(byte);
            }
            break;
        case State::Iac:
            afterCr_ = false;
            state_ = State::Data;
            if (byte == IAC) {
                text += char(IAC);
            } else if (byte >= WILL) {
                verb_ = byte;
                state_ = State::Verb;
            } else if (byte == SB) {
                sub_.clear();
                state_ = State::Sub;
            } else if (byte == GA || byte == EOR) {
                return {i, Stop::PromptEnd};
            }
            // Every other command (NOP, data mark, break ...) means nothing to us.
            break;
        case State::Verb:
            state_ = State::Data;
            command(verb_, byte);
            break;
        case State::Sub:
            if (byte == IAC) {
                state_ = State::SubIac;
            } else if (sub_.size() < subnegotiationLimit()) {
                sub_ += char(byte);
            } else {
                // Too long: the byte is read again as text.
                return dropSubnegotiation(State::Data, i - 1);
            }
            break;
        case State::SubIac:
            if (byte == IAC && sub_.size() < subnegotiationLimit()) {
                // A doubled IAC inside a subnegotiation is a data byte 255.
                state_ = State::Sub;
                sub_ += char(IAC);
            } else if (byte == IAC) {
                return dropSubnegotiation(State::Iac, i - 1); // read as a data byte 255
            } else if (byte == SE) {
                state_ = State::Data;
                if (inGmcp()) {
                    gmcp_.assign(sub_, 1);
                    sub_.clear();
                    return {i, Stop::Gmcp};
                }
                const bool compress = sub_.size() == 1 &&
                                      static_cast<unsigned char>(sub_[0]) == Compress2 &&
                                      him_[Compress2];
                subnegotiation();
                if (compress)
                    return {i, Stop::Compress};
            } else {
                // No IAC SE: the byte is read again as the command it is.
                return dropSubnegotiation(State::Iac, i - 1);
            }
            break;
        }
    }
    return {i, Stop::End};
}

TelnetDecoder::Result TelnetDecoder::dropSubnegotiation(State next, std::size_t consumed)
{
    sub_.clear();
    state_ = next;
    return {consumed, Stop::Broken};
}

void TelnetDecoder::command(unsigned char verb, unsigned char option)
{
    switch (verb) {
    case WILL:
        if (!weAccept(option)) {
            if (!refusedHim_[option]) {
                refusedHim_.set(option);
                reply(DONT, option);
            }
        } else if (!him_[option]) {
            him_.set(option);
            reply(DO, option);
            if (option == Gmcp) {
                for (const std::string_view message : {GmcpHello, GmcpSupports}) {
                    replies_ += {char(IAC), char(SB), char(Gmcp)};
                    replies_ += message;
                    replies_ += {char(IAC), char(SE)};
                }
            }
        }
        break;
    case WONT:
        if (him_[option]) {
            him_.reset(option);
            reply(DONT, option);
        }
        break;
    case DO:
        if (!weOffer(option)) {
            if (!refusedUs_[option]) {
                refusedUs_.set(option);
                reply(WONT, option);
            }
        } else if (!us_[option]) {
            us_.set(option);
            reply(WILL, option);
            if (option == WindowSize)
                sendWindowSize();
        }
        break;
    case DONT:
        if (us_[option]) {
            us_.reset(option);
            reply(WONT, option);
        }
        break;
    default:
        break;
    }
}

void TelnetDecoder::subnegotiation()
{
    // The server asks for our terminal type: IAC SB TTYPE SEND IAC SE.
    if (sub_.size() == 2 && static_cast<unsigned char>(sub_[0]) == TerminalType && sub_[1] == 1 &&
        us_[TerminalType]) {
        replies_ += {char(IAC), char(SB), char(TerminalType), char(0)};
        replies_ += TerminalName;
        replies_ += {char(IAC), char(SE)};
    }
}

void TelnetDecoder::reply(unsigned char verb, unsigned char option)
{
    replies_ += {char(IAC), char(verb), char(option)};
}

void TelnetDecoder::setWindowSize(int columns, int rows)
{
    if (columns == columns_ && rows == rows_)
        return;
    columns_ = columns;
    rows_ = rows;
    if (us_[WindowSize])
        sendWindowSize();
}

void TelnetDecoder::sendWindowSize()
{
    const auto clamp = [](int v) { return v < 0 ? 0 : v > 65535 ? 65535 : v; };
    const int w = clamp(columns_), h = clamp(rows_);
    replies_ += {char(IAC), char(SB), char(WindowSize)};
    for (const int v : {w >> 8, w & 255, h >> 8, h & 255})
        appendEscaped(replies_, static_cast<unsigned char>(v));
    replies_ += {char(IAC), char(SE)};
}

bool TelnetDecoder::inGmcp() const
{
    return !sub_.empty() && static_cast<unsigned char>(sub_[0]) == Gmcp && him_[Gmcp];
}

std::size_t TelnetDecoder::subnegotiationLimit() const
{
    return inGmcp() ? MaxGmcpSubnegotiation : MaxSubnegotiation;
}

std::string TelnetDecoder::takeGmcp()
{
    std::string out;
    out.swap(gmcp_);
    return out;
}

std::string TelnetDecoder::takeReplies()
{
    std::string out;
    out.swap(replies_);
    return out;
}

void TelnetDecoder::reset()
{
    state_ = State::Data;
    afterCr_ = false;
    sub_.clear();
    us_.reset();
    him_.reset();
    refusedUs_.reset();
    refusedHim_.reset();
    replies_.clear();
    gmcp_.clear();
}

bool TelnetSniffer::feed(std::string_view bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (lastWasIac_ && ((byte >= WILL && byte <= DONT) || byte == SB))
            return true;
        // IAC IAC is a data byte 255, after which nothing is a command.
        lastWasIac_ = byte == IAC && !lastWasIac_;
    }
    return false;
}

} // namespace tw
