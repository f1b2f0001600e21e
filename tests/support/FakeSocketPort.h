#pragma once
#include "core/SocketPort.h"

#include <cstdlib>

namespace tw::test {

// A socket port that records what the session asks of it and reports nothing back.
struct FakeSocketPort : SocketPort {
    std::string addr, port, error;
    bool isConnected = false;
    int opens = 0, closes = 0;
    void setAddress(const std::string& a) override { addr = a; }
    std::string address() const override { return addr; }
    void setPort(const std::string& p) override { port = p; }
    int portNumber() const override { return port.empty() ? 0 : std::atoi(port.c_str()); }
    void open() override { ++opens; }
    void close() override { ++closes; }
    bool connected() const override { return isConnected; }
    std::string lastErrorText() const override { return error; }
};

} // namespace tw::test
