#include "net/SockError.h"

#include <cerrno>

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>
#include <string_view>

namespace tw {

namespace {

struct NumberedText {
    int number;
    std::string_view text;
};

// The program's string table: an error or context number n has its text at n + 5000.
constexpr int TextOffset = 5000;

constexpr std::array StringTable = std::to_array<NumberedText>({
    {15004, "Interrupted system call"},
    {15009, "Bad file number"},
    {15013, "Permission denied"},
    {15014, "Bad address"},
    {15022, "Invalid argument"},
    {15024, "Too many open files"},
    {15035, "Operation would block"},
    {15036, "Operation now in progress"},
    {15037, "Operation, already in progress"},
    {15038, "Socket operation on non-socket"},
    {15039, "Destination address required"},
    {15040, "Message too long"},
    {15041, "Protocol wrong type for socket"},
    {15042, "Bad protocol option"},
    {15043, "Protocol not supported"},
    {15044, "Socket type not supported"},
    {15045, "Operation not supported on socket"},
    {15046, "Protocol family not supported"},
    {15047, "Address family not supported by protocol family"},
    {15048, "Address already in use"},
    {15049, "Can't assign requested address"},
    {15050, "Network is down"},
    {15051, "Network is unreachable"},
    {15052, "Net dropped connection or reset"},
    {15053, "Software caused connection abort"},
    {15054, "Connection reset by peer"},
    {15055, "No buffer space available"},
    {15056, "Socket is already connected"},
    {15057, "Socket is not connected"},
    {15058, "Can't send after socket shutdown"},
    {15059, "Too many references, can't splice"},
    {15060, "Connection timed out"},
    {15061, "Connection refused"},
    {15062, "Too many levels of symbolic links"},
    {15063, "File name too long"},
    {15064, "Host is down"},
    {15065, "No Route to Host"},
    {15066, "Directory not empty"},
    {15067, "Too many processes"},
    {15068, "Too many users"},
    {15069, "Disc Quota Exceeded"},
    {15070, "Stale NFS file handle"},
    {15071, "Too many levels of remote in path"},
    {15091, "Network SubSystem is unavailable"},
    {15092, "WINSOCK DLL Version out of range"},
    {15093, "Successful WSASTARTUP not yet performed"},
    {15101, "Socket Disconnected"},
    {16001, "Host not found"},
    {16002, "Non-Authoritative Host not found"},
    {16003, "Non-Recoverable errors: FORMERR, REFUSED, NOTIMP"},
    {16004, "Valid name, no data record of requested type"},
    {25001, "Error %d (%s) finding address for host"},
    {25002, "Error %d (%s) calling WSAAsyncGetHostByAddr"},
    {25003, "Error %d (%s) calling WSAAsyncGetHostByName"},
    {25004, "Error %d (%s) calling WSAAsyncGetServByName"},
    {25005, "Error %d (%s) calling WSAAsyncGetServByPort"},
    {25006, "Error %d (%s) finding host for address"},
    {25007, "Error %d (%s) Binding Socket"},
    {25008, "Error %d (%s) connecting"},
    {25009, "Error %d (%s) creating new socket"},
    {25010, "Error %d (%s) calling getpeername"},
    {25011, "Error %d (%s) calling getsockname"},
    {25012, "Error %d (%s) getting # of bytes in Receive Buffer"},
    {25013, "Error %d (%s) listining"},
    {25014, "Error %d (%s) recieving"},
    {25015, "Error %d (%s) sending"},
    {25016, "Error %d (%s) starting up WinSock"},
    {25017, "No address specified"},
    {25018, "Socket not open"},
    {25019, "Can't do reverse lookup on address 0.0.0.0"},
    {25020, "Socket Already opened"},
    {25021, "Datagram exceeds Winsock's max UDP packet size"},
    {25022, "Winsock DLL Already Loaded, Cannot change name"},
    {25023, "Invalid type for a Stream socket"},
    {25024, "Invalid type for a Datagram socket"},
    {25025, "Error %d (%s) peeking"},
    {25026, "No Socket Class Defined"},
});

static_assert(std::is_sorted(StringTable.begin(), StringTable.end(),
                             [](const NumberedText& a, const NumberedText& b) {
                                 return a.number < b.number;
                             }));

const std::string_view* findString(int number)
{
    auto it = std::lower_bound(StringTable.begin(), StringTable.end(), number,
                               [](const NumberedText& entry, int n) { return entry.number < n; });
    if (it == StringTable.end() || it->number != number)
        return nullptr;
    return &it->text;
}

// A context number's text lives in the same table; numbers outside the context range
// (error numbers included) have none.
bool isContextNumber(int context)
{
    return context >= SockCtx::FindingAddress && context <= SockCtx::NoSocketClass;
}

bool isPlaceholder(std::string_view text, std::size_t at, char kind)
{
    return at + 1 < text.size() && text[at] == '%'
        && std::tolower(static_cast<unsigned char>(text[at + 1])) == kind;
}

} // namespace

SockError::SockError(int error, int context)
    : std::runtime_error(messageFor(error, context)), error_(error), context_(context)
{
}

std::string SockError::errorText(int error)
{
    if (error == 0)
        return {};
    // Error numbers sit below the context range; a context number is no error.
    if (!isContextNumber(error)) {
        if (const std::string_view* text = findString(error + TextOffset))
            return std::string(*text);
    }
    return "Unknown Error " + std::to_string(error);
}

std::string SockError::contextText(int context)
{
    if (!isContextNumber(context))
        return {};
    const std::string_view* text = findString(context + TextOffset);
    return text ? std::string(*text) : std::string();
}

std::string SockError::messageFor(int error, int context)
{
    return buildMessage(contextText(context), error);
}

std::string SockError::buildMessage(std::string_view ctxText, int error)
{
    const std::string errText = errorText(error);
    if (ctxText.empty())
        return errText;

    // A context without placeholders is the whole message.
    std::string message;
    message.reserve(ctxText.size() + errText.size() + 12);
    for (std::size_t i = 0; i < ctxText.size(); ++i) {
        if (isPlaceholder(ctxText, i, 'd')) {
            message += std::to_string(error);
            ++i;
        } else if (isPlaceholder(ctxText, i, 's')) {
            message += errText;
            ++i;
        } else {
            message += ctxText[i];
        }
    }
    return message;
}

int sockErrorForErrno(int e)
{
    switch (e) {
    case 0: return SockErr::None;
    case ECONNRESET: return SockErr::ConnectionReset;
    case ECONNABORTED: return SockErr::ConnectionAborted;
    case ETIMEDOUT: return SockErr::TimedOut;
    case ENETUNREACH: return SockErr::NetworkUnreachable;
    case ENETDOWN: return SockErr::NetworkDown;
    case EHOSTUNREACH: return SockErr::HostUnreachable;
    case EHOSTDOWN: return SockErr::HostDown;
    case EADDRINUSE: return SockErr::AddressInUse;
    case EADDRNOTAVAIL: return SockErr::AddressNotAvailable;
    case EAFNOSUPPORT: return SockErr::AddressFamilyNotSupported;
    case EACCES:
    case EPERM: return SockErr::Access;
    case EMFILE:
    case ENFILE: return SockErr::TooManyFiles;
    case ENOBUFS:
    case ENOMEM: return SockErr::NoBufferSpace;
    default: return SockErr::ConnectionRefused;
    }
}

} // namespace tw
