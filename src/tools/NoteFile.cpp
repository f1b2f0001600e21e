#include "tools/NoteFile.h"

#include "base/FileIo.h"
#include "base/ListLineReader.h"
#include "base/TextCut.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return out;
}

} // namespace

std::optional<std::string> NoteFile::addNote(const std::string& path, std::string_view keyWord,
                                             std::string_view text)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return ioErrorText(errno);
    struct stat st {};
    ::fstat(fd, &st); // on failure st stays zero: no regular file, nothing to look at
    const off_t oldSize = S_ISREG(st.st_mode) ? st.st_size : 0;
    char last = '\n';
    if (oldSize > 0 && ::pread(fd, &last, 1, oldSize - 1) != 1)
        last = '\n';
    std::string bytes;
    if (last != '\n' && last != '\r')
        bytes += "\r\n";
    bytes.append(cutToBytes(keyWord, MaxLineLength));
    bytes += "\r\n";
    bytes.append(cutToBytes(text, MaxLineLength));
    bytes += "\r\n";
    if (const int error = writeAllBytes(fd, bytes)) {
        // Take back a half-written note, so that the pairs of lines stay pairs.
        if (S_ISREG(st.st_mode)) {
            [[maybe_unused]] const int undone = ::ftruncate(fd, oldSize);
        }
        ::close(fd);
        return ioErrorText(error);
    }
    if (::close(fd) != 0)
        return ioErrorText(errno);
    return std::nullopt;
}

std::optional<std::string> NoteFile::findNote(std::string_view fileBytes, std::string_view keyWord)
{
    const std::string wanted = upperAscii(keyWord);
    if (wanted.empty())
        return std::nullopt;
    ListLineReader lines(fileBytes);
    while (!lines.atEnd()) {
        if (upperAscii(lines.readLine()).find(wanted) != std::string::npos)
            return lines.readLine();
        lines.readLine(); // the text line of a note that does not match
    }
    return std::nullopt;
}

NoteFile::Lookup NoteFile::lookUp(const std::string& path, std::string_view keyWord)
{
    if (!fileExists(path))
        return {Lookup::Kind::NoFile, {}};
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(path, error);
    if (!bytes)
        return {Lookup::Kind::Failed, error};
    if (auto found = findNote(*bytes, keyWord))
        return {Lookup::Kind::Found, std::move(*found)};
    return {Lookup::Kind::NotFound, NotFoundText};
}

} // namespace tw
