// The whole receive pipeline on arbitrary game text: Session::socketRead with triggers (with
// wildcards, captures, highlights and responses that run script commands), aliases, the
// automapper, the log tap and the clock, and a socket that takes a few bytes per write. No
// crash, the scrollback within its capacity, the text waiting to be sent within its limit.
//
// Input: a flags byte (bit 0 Modern Server Mode, bit 1 the automapper, bits 2-3 the echo
// mode, bit 4 aliases off, bit 5 the colour view on), the read size, the bytes the socket takes per write, then the
// game text. After the bytes FF FE FD, the rest is a trigger list file of further triggers.
#include "FuzzSession.h"
#include "core/Session.h"
#include "script/TriggerListFile.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const tw::TriggerList Triggers = {
    {"%% tells you '%%'", "say %0 said %1", "101501"},
    {"You are hungry", "eat", "100900"},
    {"Alas, %%", "#IF (%0 = 'you cannot go that way.') then look else #DO 'n;;s'", "100000"},
    {"%%> ", "", "100304"},
    {"orc", "#ALIAS k 'kill %0';k", "101000"},
    {"Keep these statistics?", "#DELAY 1 Keep these statistics?", "100000"},
    {"Strength: %% ", "#IF %0 < 12 then n", "100000"},
    {"m", "", "100200"},
};

const tw::AliasList Aliases = {{"k", "kill"}, {"tg", "take gold"}, {"look", "l"}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    static tw::fuzz::NullHost host;
    static tw::fuzz::NullSocket socket;
    const std::uint8_t flags = data[0];
    const std::size_t step = 1 + std::size_t(data[1]) * 16;
    host.acceptLimit = 1 + data[2] % 16;
    std::string_view input(reinterpret_cast<const char*>(data + 3), size - 3);

    tw::Session session(host, socket);
    session.terminal.setColumnCount(80);
    session.terminal.setRowCount(24);
    // Every block lays the whole scrollback out again, which the terminal's own target covers;
    // here the colour view is mostly off (bit 5 switches it on) and the scrollback small, so
    // that runs are quick and the buffer is still cut often.
    session.terminal.replaceBuffer(2048);
    session.terminal.setMirrorOn(flags & 32);
    session.triggers() = Triggers;
    session.aliases() = Aliases;
    const std::size_t extra = input.find("\xff\xfe\xfd");
    if (extra != std::string_view::npos) {
        tw::TriggerListFile::appendFromText(input.substr(extra + 3), session.triggers());
        input = input.substr(0, extra);
    }
    session.script.aliasesOn = !(flags & 16);
    session.setup.EchoCommand = (flags >> 2 & 3) == 0;
    session.setup.EchoEnter = (flags >> 2 & 3) == 1;
    session.map.active = flags & 2;
    std::size_t logged = 0;
    session.LoggingOn = true;
    session.logBlock = [&logged](std::string_view block) { logged += block.size(); };
    session.setModern(flags & 1);
    session.connection.SockConnect();

    for (std::size_t at = 0, reads = 0; at < input.size(); at += step, ++reads) {
        session.socketRead(input.substr(at, step));
        session.send.MudSockWrite();
        if (reads % 4 == 3)
            session.tick();
        if (session.terminal.ScrollbackBuffer().size() > session.terminal.ScrollbackCapacity())
            std::abort();
        if (session.send.PendingOutput && session.send.PendingOutput->size() > tw::SendQueue::PendingLimit)
            std::abort();
    }
    for (int t = 0; t < 2; ++t)
        session.tick();
    // Without Modern Server Mode the log sees every byte once, less the NULs taken out.
    if (!(flags & 1) && logged > input.size())
        std::abort();
    return 0;
}
