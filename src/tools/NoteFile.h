#pragma once
// The note file: pairs of lines, a key word line and its text line, each ended by CR LF.
// Notes are appended at the end and found by a part of their key word. The program writes the
// lines in UTF-8; a line that is not valid UTF-8 was written by an older program in Latin-1.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

class NoteFile {
public:
    static constexpr std::size_t MaxLineLength = 255;

    static constexpr const char* NoteAddedText = "Note added";
    static constexpr const char* NotFoundText = "[note not found]";
    static constexpr const char* NoFileText = "Note file not specified.";

    // Appends the key word and the text (UTF-8, each cut to 255 characters) as two lines,
    // creating the file when it is missing.
    // A file whose last line has no line end gets one first, so that the new key word does
    // not join that line. Returns the I/O error text on failure; the file is then as it was.
    static std::optional<std::string> addNote(const std::string& path, std::string_view keyWord,
                                              std::string_view text);

    struct Lookup {
        enum class Kind { Found, NotFound, NoFile, Failed };
        Kind kind;
        std::string text; // the note's text, "[note not found]", or the I/O error text
    };
    // Reads the file line by line, whatever its size. The found text is UTF-8.
    static Lookup lookUp(const std::string& path, std::string_view keyWord);

    // The search over the file's bytes: the text line after the first key word line that
    // contains keyWord (UTF-8; letters a to z compared in upper case); nothing when none does
    // or keyWord is empty.
    static std::optional<std::string> findNote(std::string_view fileBytes, std::string_view keyWord);
};

} // namespace tw
