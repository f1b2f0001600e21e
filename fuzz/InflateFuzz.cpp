// Arbitrary bytes after the server starts compression, through the session's modern receive
// path (inflate, telnet, the pipeline, the terminal), with an odd first byte the switch turned
// off after the first read: no crash, no unbounded memory, the scrollback within its capacity.
#include "FuzzSession.h"
#include "core/Session.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static tw::fuzz::NullHost host;
    static tw::fuzz::NullSocket socket;
    tw::Session session(host, socket);
    session.terminal.setColumnCount(80);
    session.terminal.setRowCount(24);
    session.setModern(true);
    session.connection.SockConnect();
    const std::size_t step = 1 + data[0] * 64;
    // The server offers compression and starts it; everything the fuzzer gives is the stream.
    std::string input = "\xff\xfb\x56\xff\xfa\x56\xff\xf0";
    input.append(reinterpret_cast<const char*>(data + 1), size - 1);
    for (std::size_t at = 0; at < input.size(); at += step) {
        session.socketRead(std::string_view(input).substr(at, step));
        if (at == 0 && (data[0] & 1))
            session.setModern(false);
    }
    if (session.terminal.ScrollbackBuffer().size() > session.terminal.ScrollbackCapacity())
        std::abort();
    return 0;
}
