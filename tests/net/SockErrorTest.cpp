#include "net/SockError.h"
#include "net/SocketNames.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <string>

namespace tw {
namespace {

struct MessageCase {
    int error;
    int context;
    const char* message;
};

class SockErrorMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(SockErrorMessage, IsBuiltFromBothTables)
{
    const MessageCase& c = GetParam();
    EXPECT_EQ(SockError::messageFor(c.error, c.context), c.message);
    SockError thrown(c.error, c.context);
    EXPECT_STREQ(thrown.what(), c.message);
    EXPECT_EQ(thrown.error(), c.error);
    EXPECT_EQ(thrown.context(), c.context);
}

INSTANTIATE_TEST_SUITE_P(
    ClientPath, SockErrorMessage,
    ::testing::Values(
        MessageCase{11001, 20001, "Error 11001 (Host not found) finding address for host"},
        MessageCase{11004, 20001,
                    "Error 11004 (Valid name, no data record of requested type) finding address for host"},
        MessageCase{10060, 20001, "Error 10060 (Connection timed out) finding address for host"},
        MessageCase{10055, 20003, "Error 10055 (No buffer space available) calling WSAAsyncGetHostByName"},
        MessageCase{10022, 20004, "Error 10022 (Invalid argument) calling WSAAsyncGetServByName"},
        MessageCase{10022, 20005, "Error 10022 (Invalid argument) calling WSAAsyncGetServByPort"},
        MessageCase{10061, 20008, "Error 10061 (Connection refused) connecting"},
        MessageCase{10024, 20009, "Error 10024 (Too many open files) creating new socket"},
        MessageCase{10038, 20012,
                    "Error 10038 (Socket operation on non-socket) getting # of bytes in Receive Buffer"},
        MessageCase{10054, 20014, "Error 10054 (Connection reset by peer) recieving"},
        MessageCase{10058, 20015, "Error 10058 (Can't send after socket shutdown) sending"},
        MessageCase{10092, 20016, "Error 10092 (WINSOCK DLL Version out of range) starting up WinSock"},
        MessageCase{10037, 20013, "Error 10037 (Operation, already in progress) listining"},
        MessageCase{10065, 20025, "Error 10065 (No Route to Host) peeking"},
        // Contexts without placeholders are the whole message, whatever the error.
        MessageCase{0, 20017, "No address specified"},
        MessageCase{10057, 20018, "Socket not open"},
        MessageCase{10056, 20020, "Socket Already opened"},
        MessageCase{0, 20022, "Winsock DLL Already Loaded, Cannot change name"},
        MessageCase{0, 20023, "Invalid type for a Stream socket"},
        MessageCase{0, 20026, "No Socket Class Defined"},
        MessageCase{0, 20021, "Datagram exceeds Winsock's max UDP packet size"},
        // Without a context text the error text stands alone.
        MessageCase{10093, 0, "Successful WSASTARTUP not yet performed"},
        MessageCase{16003 - 5000, 0, "Non-Recoverable errors: FORMERR, REFUSED, NOTIMP"},
        MessageCase{10101, 19999, "Socket Disconnected"},
        MessageCase{10061, 20027, "Connection refused"},
        // Unknown and empty error texts inside a context.
        MessageCase{12345, 20014, "Error 12345 (Unknown Error 12345) recieving"},
        MessageCase{0, 20015, "Error 0 () sending"},
        MessageCase{-1, 0, "Unknown Error -1"},
        MessageCase{0, 0, ""}));

TEST(SockErrorText, NumbersWithoutTextAreUnknownAndZeroIsEmpty)
{
    EXPECT_EQ(SockError::errorText(0), "");
    EXPECT_EQ(SockError::errorText(10000), "Unknown Error 10000");
    EXPECT_EQ(SockError::errorText(10072), "Unknown Error 10072");
    // Text numbers and context numbers are not error numbers.
    EXPECT_EQ(SockError::errorText(15061), "Unknown Error 15061");
    EXPECT_EQ(SockError::errorText(20001), "Unknown Error 20001");
    EXPECT_EQ(SockError::contextText(10061), "");
    EXPECT_EQ(SockError::contextText(25001), "");
}

TEST(SockErrorText, SpellingIsKept)
{
    EXPECT_EQ(SockError::errorText(10037), "Operation, already in progress");
    EXPECT_EQ(SockError::errorText(10069), "Disc Quota Exceeded");
    EXPECT_EQ(SockError::errorText(10049), "Can't assign requested address");
    EXPECT_EQ(SockError::contextText(20013), "Error %d (%s) listining");
    EXPECT_EQ(SockError::contextText(20014), "Error %d (%s) recieving");
}

TEST(SockErrorText, PlaceholdersAreFilledInTheOrderTheyStand)
{
    const struct {
        const char* context;
        int error;
        const char* message;
    } cases[] = {
        {"Error %d (%s) x", 10061, "Error 10061 (Connection refused) x"},
        {"%s is error %d", 10061, "Connection refused is error 10061"},
        {"Error %D (%S)", 10054, "Error 10054 (Connection reset by peer)"},
        {"only %d", 10060, "only 10060"},
        {"only %S", 10060, "only Connection timed out"},
        {"no placeholder", 10060, "no placeholder"},
        {"100% sure %x %", 10060, "100% sure %x %"},
        {"%d%s", 12, "12Unknown Error 12"},
        {"", 11001, "Host not found"},
        {"", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SockError::buildMessage(c.context, c.error), c.message) << c.context;
}

TEST(SockErrorText, EveryContextWithPlaceholdersNamesNumberThenText)
{
    for (int context = 20001; context <= 20026; ++context) {
        const std::string text = SockError::contextText(context);
        ASSERT_FALSE(text.empty()) << context;
        const std::string message = SockError::messageFor(10061, context);
        if (text.rfind("Error %d (%s) ", 0) == 0)
            EXPECT_EQ(message, "Error 10061 (Connection refused) " + text.substr(14)) << context;
        else
            EXPECT_EQ(message, text) << context;
    }
}

struct ProtocolCase {
    const char* text;
    std::optional<int> number;
};

TEST(SocketNames, ProtocolNumbers)
{
    const ProtocolCase cases[] = {
        {"IP", 0},   {"icmp", 1},     {"Ggp", 2},        {"tcp", 6},      {"TCP", 6},
        {"PUP", 12}, {"udp", 17},     {"IDP", 22},       {"nd", 77},      {"RAW", 255},
        {"6", 6},    {"1000", 1000},  {"", std::nullopt}, {"tcpx", std::nullopt},
        {"-6", std::nullopt}, {"99999999999999999999", std::nullopt},
    };
    for (const ProtocolCase& c : cases)
        EXPECT_EQ(protocolNumber(c.text), c.number) << c.text;
    EXPECT_EQ(protocolName(17), "udp");
    EXPECT_EQ(protocolName(3), "");
}

TEST(SocketNames, DottedAddresses)
{
    for (const char* dotted : {"127.0.0.1", "0.0.0.0", "255.255.255.255", "10.0.0.01"})
        EXPECT_TRUE(isDottedAddress(dotted)) << dotted;
    for (const char* other : {"", "localhost", "127.0.0", "127.0.0.1.", ".127.0.0.1", "1.2.3.4.5",
                              "256.1.1.1", "1.2.3.1000", "1..2.3", "1.2.3.4 ", "a.b.c.d", "::1",
                              "127.0.0.1x", "0001.2.3.4"})
        EXPECT_FALSE(isDottedAddress(other)) << other;
}

TEST(SocketNames, UnknownServicesHaveNoPort)
{
    EXPECT_EQ(servicePort("no-such-service-here", "tcp"), std::nullopt);
    EXPECT_EQ(servicePort("", "tcp"), std::nullopt);
    EXPECT_EQ(serviceName(1, "no-such-protocol"), "");
    // Where the system knows telnet, both directions agree.
    if (auto telnet = servicePort("telnet", "tcp")) {
        EXPECT_EQ(*telnet, 23);
        EXPECT_EQ(servicePort("telnet", "6"), telnet);
        EXPECT_EQ(serviceName(23, "TCP"), "telnet");
    }
}

// Port texts as the socket reads them: decimal numbers up to 65535 (five digits at most),
// else a service name; a number beyond 16 bits names no port rather than a wrapped one.
TEST(SocketNames, PortTexts)
{
    struct Case {
        const char* text;
        std::uint16_t number;
    } cases[] = {{"4000", 4000}, {"65535", 65535}, {"0", 0}, {"65536", 0}, {"99999", 0},
                 {"000023", 0}, {"4294967296", 0}, {"no-such-service-here", 0}, {"", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(parsePort(c.text, "tcp").number, c.number) << c.text;
    EXPECT_EQ(parsePort("no-such-service-here", "tcp").service, "no-such-service-here");
    EXPECT_EQ(parsePort("70000", "tcp").service, "");
    if (servicePort("telnet", "tcp")) {
        EXPECT_EQ(parsePort("telnet", "tcp").number, 23);
        EXPECT_EQ(parsePort("23", "tcp").service, "telnet");
    }
}

TEST(SockError, SystemErrorsOfAConnection)
{
    EXPECT_EQ(sockErrorForErrno(0), SockErr::None);
    EXPECT_EQ(sockErrorForErrno(ECONNRESET), SockErr::ConnectionReset);
    EXPECT_EQ(sockErrorForErrno(ETIMEDOUT), SockErr::TimedOut);
    EXPECT_EQ(sockErrorForErrno(EHOSTUNREACH), SockErr::HostUnreachable);
    EXPECT_EQ(sockErrorForErrno(ENETUNREACH), SockErr::NetworkUnreachable);
    EXPECT_EQ(sockErrorForErrno(EACCES), SockErr::Access);
    EXPECT_EQ(sockErrorForErrno(EMFILE), SockErr::TooManyFiles);
    EXPECT_EQ(sockErrorForErrno(ECONNREFUSED), SockErr::ConnectionRefused);
    EXPECT_EQ(sockErrorForErrno(EIO), SockErr::ConnectionRefused);
}

} // namespace
} // namespace tw
