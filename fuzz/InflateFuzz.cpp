// Arbitrary bytes after the server starts compression, through the session's modern receive
// path (inflate, telnet, the pipeline, the terminal): no crash, no unbounded memory, the
// scrollback within its capacity.
#include "base/Host.h"
#include "core/Session.h"
#include "core/SocketPort.h"

#include <cstdlib>
#include <string>

namespace {

struct NullHost : tw::Host {
    bool socketConnected() const override { return true; }
    std::size_t socketWrite(std::string_view d) override { return d.size(); }
    void setStatus(const std::string&) override {}
    void setMudName(const std::string&) override {}
    tw::MsgAnswer messageBox(const std::string&, const std::string&, tw::MsgButtons) override
    {
        return tw::MsgAnswer::Ok;
    }
    void terminalChanged() override {}
    void runHelp(const std::string&) override {}
    void runEditor(const std::string&, const std::string&) override {}
    void playSound(const std::string&) override {}
    void stopSound() override {}
    void showStatRoller() override {}
};

struct NullSocket : tw::SocketPort {
    void setAddress(const std::string&) override {}
    std::string address() const override { return {}; }
    void setPort(const std::string&) override {}
    int portNumber() const override { return 4000; }
    void open() override {}
    void close() override {}
    bool connected() const override { return true; }
    std::string lastErrorText() const override { return {}; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static NullHost host;
    static NullSocket socket;
    tw::Session session(host, socket);
    session.terminal.setColumnCount(80);
    session.terminal.setRowCount(24);
    session.setModern(true);
    session.connection.SockConnect();
    const std::size_t step = 1 + data[0] * 64;
    // The server offers compression and starts it; everything the fuzzer gives is the stream.
    std::string input = "\xff\xfb\x56\xff\xfa\x56\xff\xf0";
    input.append(reinterpret_cast<const char*>(data + 1), size - 1);
    for (std::size_t at = 0; at < input.size(); at += step)
        session.socketRead(std::string_view(input).substr(at, step));
    if (session.terminal.ScrollbackBuffer().size() > session.terminal.ScrollbackCapacity())
        std::abort();
    return 0;
}
