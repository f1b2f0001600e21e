#pragma once
// Reads the player's list files (triggers, aliases, hotkeys, MUD list) and the note file line
// by line, the way the program has always read them: every field holds at most 255 characters,
// and whatever a line has beyond that is skipped rather than read as the next field. A file is
// read a block at a time, so that neither its size nor the length of a line decides how much
// memory the reading takes.
#include "base/TextCut.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

class ListLineReader {
public:
    static constexpr std::size_t MaxFieldLength = 255;

    // Reads bytes held in memory.
    explicit ListLineReader(std::string_view bytes, TextCoding coding = TextCoding::Bytes);
    // Reads a regular file; error() tells when it cannot be opened.
    static ListLineReader openFile(const std::string& path, TextCoding coding);
    ~ListLineReader();
    ListLineReader(const ListLineReader&) = delete;
    ListLineReader& operator=(const ListLineReader&) = delete;

    bool atEnd() { return !haveBytes(); }

    // The next line without its line end (CR LF or LF; the last line may have none), cut to
    // 255 characters. A carriage return on its own is part of the text. At the end every
    // further read gives an empty line.
    std::string readLine();

    // The I/O error text of a failed open or read, empty while there is none. A failed read
    // ends the bytes.
    const std::string& error() const { return error_; }

private:
    ListLineReader(TextCoding coding, const std::string& path);

    // Whether unread bytes are at hand, reading the next block of a file when needed.
    bool haveBytes();

    std::string_view bytes_; // the bytes not read yet: all of them, or the rest of a block
    std::string block_;
    TextCoding coding_;
    std::string error_;
    int fd_ = -1;
};

} // namespace tw
