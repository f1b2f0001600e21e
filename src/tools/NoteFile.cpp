#include "tools/NoteFile.h"

#include "base/FileIo.h"
#include "base/ListLineReader.h"
#include "base/TextCut.h"
#include "base/Utf8.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

std::string upperAscii(std::string out)
{
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return out;
}

// The next line as the player reads it: UTF-8, or Latin-1 when it is not valid UTF-8. Read as
// Latin-1, every byte is a character: the cut comes again, after the reading.
std::string readText(ListLineReader& lines)
{
    return std::string(cutToCharacters(utf8::validOrLatin1(lines.readLine()), NoteFile::MaxLineLength, TextCoding::Utf8));
}

std::optional<std::string> findIn(ListLineReader& lines, std::string_view keyWord)
{
    const std::string wanted = upperAscii(std::string(keyWord));
    if (wanted.empty())
        return std::nullopt;
    while (!lines.atEnd()) {
        if (upperAscii(readText(lines)).find(wanted) != std::string::npos)
            return readText(lines);
        lines.readLine(); // the text line of a note that does not match
    }
    return std::nullopt;
}

std::string_view cutLine(std::string_view text)
{
    return cutToCharacters(text, NoteFile::MaxLineLength, TextCoding::Utf8);
}

} // namespace

std::optional<std::string> NoteFile::addNote(const std::string& path, std::string_view keyWord,
                                             std::string_view text)
{
    std::string openError;
    const int fd = openRegularFile(path, O_RDWR | O_CREAT | O_APPEND, openError);
    if (fd < 0)
        return openError;
    struct stat st {};
    const off_t oldSize = ::fstat(fd, &st) == 0 ? st.st_size : 0;
    char last = '\n';
    if (oldSize > 0 && ::pread(fd, &last, 1, oldSize - 1) != 1)
        last = '\n';
    std::string bytes;
    if (last != '\n' && last != '\r')
        bytes += "\r\n";
    bytes.append(cutLine(keyWord));
    bytes += "\r\n";
    bytes.append(cutLine(text));
    bytes += "\r\n";
    if (const int error = writeAllBytes(fd, bytes)) {
        // Take back a half-written note, so that the pairs of lines stay pairs.
        [[maybe_unused]] const int undone = ::ftruncate(fd, oldSize);
        ::close(fd);
        return ioErrorText(error);
    }
    if (::close(fd) != 0)
        return ioErrorText(errno);
    return std::nullopt;
}

std::optional<std::string> NoteFile::findNote(std::string_view fileBytes, std::string_view keyWord)
{
    ListLineReader lines(fileBytes, TextCoding::Utf8);
    return findIn(lines, keyWord);
}

NoteFile::Lookup NoteFile::lookUp(const std::string& path, std::string_view keyWord)
{
    if (!pathExists(path))
        return {Lookup::Kind::NoFile, {}};
    ListLineReader lines = ListLineReader::openFile(path, TextCoding::Utf8);
    std::optional<std::string> found = findIn(lines, keyWord);
    if (!lines.error().empty())
        return {Lookup::Kind::Failed, lines.error()};
    if (found)
        return {Lookup::Kind::Found, std::move(*found)};
    return {Lookup::Kind::NotFound, NotFoundText};
}

} // namespace tw
