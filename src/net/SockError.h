#pragma once
// The one exception class of every socket failure. A failure carries the platform's error
// number (in the WinSock numbering the program's texts use) and a context number naming the
// operation that failed; the message is built from the two text tables.
#include <stdexcept>
#include <string>
#include <string_view>

namespace tw {

// Error numbers, in the WinSock numbering.
namespace SockErr {
inline constexpr int None = 0;
inline constexpr int Interrupted = 10004;
inline constexpr int BadFile = 10009;
inline constexpr int Access = 10013;
inline constexpr int Fault = 10014;
inline constexpr int Invalid = 10022;
inline constexpr int TooManyFiles = 10024;
inline constexpr int WouldBlock = 10035;
inline constexpr int InProgress = 10036;
inline constexpr int Already = 10037;
inline constexpr int NotSocket = 10038;
inline constexpr int MessageSize = 10040;
inline constexpr int ProtocolOption = 10042;
inline constexpr int ProtocolNotSupported = 10043;
inline constexpr int OperationNotSupported = 10045;
inline constexpr int AddressFamilyNotSupported = 10047;
inline constexpr int AddressInUse = 10048;
inline constexpr int AddressNotAvailable = 10049;
inline constexpr int NetworkDown = 10050;
inline constexpr int NetworkUnreachable = 10051;
inline constexpr int NetworkReset = 10052;
inline constexpr int ConnectionAborted = 10053;
inline constexpr int ConnectionReset = 10054;
inline constexpr int NoBufferSpace = 10055;
inline constexpr int IsConnected = 10056;
inline constexpr int NotConnected = 10057;
inline constexpr int Shutdown = 10058;
inline constexpr int TimedOut = 10060;
inline constexpr int ConnectionRefused = 10061;
inline constexpr int HostDown = 10064;
inline constexpr int HostUnreachable = 10065;
inline constexpr int NotInitialised = 10093;
inline constexpr int Disconnected = 10101;
inline constexpr int HostNotFound = 11001;
inline constexpr int TryAgain = 11002;
inline constexpr int NoRecovery = 11003;
inline constexpr int NoData = 11004;
} // namespace SockErr

// Context numbers: what the socket was doing when it failed.
namespace SockCtx {
inline constexpr int None = 0;
inline constexpr int FindingAddress = 20001;        // "Error %d (%s) finding address for host"
inline constexpr int GetHostByAddr = 20002;
inline constexpr int GetHostByName = 20003;
inline constexpr int GetServByName = 20004;
inline constexpr int GetServByPort = 20005;
inline constexpr int FindingHost = 20006;
inline constexpr int Binding = 20007;
inline constexpr int Connecting = 20008;
inline constexpr int CreatingSocket = 20009;
inline constexpr int GetPeerName = 20010;
inline constexpr int GetSockName = 20011;
inline constexpr int BytesInReceiveBuffer = 20012;
inline constexpr int Listening = 20013;
inline constexpr int Receiving = 20014;
inline constexpr int Sending = 20015;
inline constexpr int StartingUp = 20016;
inline constexpr int NoAddress = 20017;             // "No address specified"
inline constexpr int NotOpen = 20018;               // "Socket not open"
inline constexpr int ReverseLookupOfZero = 20019;
inline constexpr int AlreadyOpened = 20020;         // "Socket Already opened"
inline constexpr int DatagramTooLarge = 20021;
inline constexpr int LibraryAlreadyLoaded = 20022;
inline constexpr int InvalidStreamType = 20023;
inline constexpr int InvalidDatagramType = 20024;
inline constexpr int Peeking = 20025;
inline constexpr int NoSocketClass = 20026;
} // namespace SockCtx

class SockError : public std::runtime_error {
public:
    SockError(int error, int context);

    int error() const { return error_; }
    int context() const { return context_; }

    // The text of an error number: empty for 0, "Unknown Error <n>" for a number without text.
    static std::string errorText(int error);
    // The text of a context number; empty for a number without text.
    static std::string contextText(int context);
    // The message of a failure, as what() reads.
    static std::string messageFor(int error, int context);
    // The message for a given context text: the error text alone when the context text is
    // empty; otherwise the context text with each "%d" (or "%D") replaced by the number and
    // each "%s" (or "%S") by the error text, wherever they stand.
    static std::string buildMessage(std::string_view contextText, int error);

private:
    int error_;
    int context_;
};

// The error number of a system error (an errno value) of connecting or of a connection;
// ConnectionRefused for one without a number of its own.
int sockErrorForErrno(int errnoValue);

// The name the rest of the program knows the class by.
using ESockError = SockError;

} // namespace tw
