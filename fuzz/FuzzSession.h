#pragma once
// A Host and a socket for the fuzz targets: the host counts boxes and answers every
// box with OK and its socket takes at most acceptLimit bytes per write; the socket is always
// connected and opens nothing.
#include "core/SocketPort.h"
#include "support/QuietHost.h"

#include <cstddef>
#include <string>

namespace tw::fuzz {

struct NullHost : test::QuietHost {
    std::size_t acceptLimit = std::string::npos;
    std::size_t written = 0, statuses = 0, boxes = 0;

    std::size_t socketWrite(std::string_view d) override
    {
        const std::size_t n = d.size() < acceptLimit ? d.size() : acceptLimit;
        written += n;
        return n;
    }
    void setStatus(const std::string&) override { ++statuses; }
    MsgAnswer messageBox(const std::string&, const std::string&, MsgButtons) override
    {
        ++boxes;
        return MsgAnswer::Ok;
    }
};

struct NullSocket : SocketPort {
    void setAddress(const std::string&) override {}
    std::string address() const override { return {}; }
    void setPort(const std::string&) override {}
    int portNumber() const override { return 4000; }
    void open() override {}
    void close() override {}
    bool connected() const override { return true; }
    std::string lastErrorText() const override { return {}; }
};

} // namespace tw::fuzz
