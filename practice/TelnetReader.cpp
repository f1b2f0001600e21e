#include "TelnetReader.h"

#include "Gmcp.h"

namespace tw::practice {

using namespace telnet;

std::string TelnetReader::feed(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes) {
        switch (state_) {
        case State::Data:
            if (c == IAC)
                state_ = State::Iac;
            else
                text += c;
            break;
        case State::Iac:
            state_ = State::Data;
            if (c == IAC) {
                text += c;
            } else if (c == WILL || c == WONT || c == DO || c == DONT) {
                verb_ = c;
                state_ = State::Verb;
            } else if (c == SB) {
                sub_.clear();
                subTooLong_ = false;
                state_ = State::Sub;
            }
            break;
        case State::Verb:
            state_ = State::Data;
            command(verb_, c);
            break;
        case State::Sub:
            if (c == IAC)
                state_ = State::SubIac;
            else
                keepSubnegotiationByte(c);
            break;
        case State::SubIac:
            if (c == SE) {
                subnegotiation();
                state_ = State::Data;
            } else {
                if (c == IAC)
                    keepSubnegotiationByte(c);
                state_ = c == IAC ? State::Sub : State::Data;
            }
            break;
        }
    }
    return text;
}

void TelnetReader::keepSubnegotiationByte(char c)
{
    const std::size_t limit = !sub_.empty() && sub_[0] == Gmcp ? kMaxGmcpSubnegotiation : kMaxSubnegotiation;
    if (sub_.size() < limit)
        sub_ += c;
    else
        subTooLong_ = true;
}

void TelnetReader::command(char verb, char option)
{
    if (option == Gmcp && (verb == DO || verb == DONT))
        info_.gmcp = verb == DO;
    if (option == EndOfRecord && (verb == DO || verb == DONT))
        info_.endOfRecord = verb == DO;
    if (option == Compress2 && verb == DO && compressionOffered_) {
        compressionOffered_ = false;
        compressionRequested_ = true;
    }
    if (option == TerminalType && verb == WILL)
        replies_ += std::string{IAC, SB, TerminalType, 1, IAC, SE};
}

void TelnetReader::subnegotiation()
{
    const auto byte = [this](std::size_t i) { return static_cast<unsigned char>(sub_[i]); };
    if (sub_.size() == 5 && sub_[0] == WindowSize) {
        info_.width = byte(1) * 256 + byte(2);
        info_.height = byte(3) * 256 + byte(4);
    }
    if (sub_.size() >= 2 && sub_[0] == TerminalType && sub_[1] == 0)
        info_.terminalType = sub_.substr(2);
    // A cut GMCP message is no JSON any more; it is dropped whole.
    if (!sub_.empty() && sub_[0] == Gmcp && !subTooLong_)
        gmcp::readClientMessage(std::string_view(sub_).substr(1), info_);
}

std::string TelnetReader::takeReplies()
{
    std::string out;
    out.swap(replies_);
    return out;
}

bool TelnetReader::takeCompressionRequest()
{
    const bool requested = compressionRequested_;
    compressionRequested_ = false;
    return requested;
}

} // namespace tw::practice
