#include "base/ListLineReader.h"

#include "base/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tw {

namespace {
constexpr std::size_t BlockSize = 64 * 1024;
} // namespace

ListLineReader::ListLineReader(std::string_view bytes, TextCoding coding) : bytes_(bytes), coding_(coding) {}

ListLineReader::ListLineReader(TextCoding coding, const std::string& path)
    : coding_(coding), fd_(openRegularFile(path, O_RDONLY, error_))
{
}

ListLineReader ListLineReader::openFile(const std::string& path, TextCoding coding)
{
    return ListLineReader(coding, path);
}

ListLineReader::~ListLineReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool ListLineReader::haveBytes()
{
    while (bytes_.empty() && fd_ >= 0) {
        block_.resize(BlockSize);
        const ssize_t n = ::read(fd_, block_.data(), block_.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n < 0)
                error_ = ioErrorText(errno);
            ::close(fd_);
            fd_ = -1;
            break;
        }
        bytes_ = std::string_view(block_.data(), std::size_t(n));
    }
    return !bytes_.empty();
}

std::string ListLineReader::readLine()
{
    // Enough bytes for the characters a field keeps; the rest of the line is only passed over.
    const std::size_t kept = bytesForCharacters(MaxFieldLength, coding_);
    std::string field;
    std::size_t lineBytes = 0;
    bool endsWithCr = false, endedByLf = false;
    while (!endedByLf && haveBytes()) {
        const std::size_t lf = bytes_.find('\n');
        const std::string_view piece = bytes_.substr(0, lf);
        if (!piece.empty()) {
            field.append(piece.substr(0, kept - field.size()));
            lineBytes += piece.size();
            endsWithCr = piece.back() == '\r';
        }
        endedByLf = lf != std::string_view::npos;
        bytes_.remove_prefix(endedByLf ? lf + 1 : bytes_.size());
    }
    // The CR of a CR LF belongs to the line end, not to the text.
    if (endedByLf && endsWithCr && lineBytes <= kept)
        field.pop_back();
    return std::string(cutToCharacters(field, MaxFieldLength, coding_));
}

} // namespace tw
