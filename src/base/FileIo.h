#pragma once
// Whole-file reads and safe whole-file writes for the files the player keeps.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Writes bytes to path through a temporary file in the same folder that is renamed over the
// old file only when every byte was written and flushed; a failure leaves the old file as it
// was. A symbolic link is written through to its target. A read-only file and anything that
// is not a regular file (a device, a folder, a pipe) are refused. Where the folder takes no
// new file but the file itself is writable, the file is written in place, once the disk has
// given room for all of it. Temporary files that earlier saves of the same file left behind
// (the program was killed while saving) are removed. Returns the error text on failure.
std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes);
inline const char* const ReadOnlyFileText = "File is read-only";
inline const char* const NotRegularFileText = "Not a regular file";

// Reads the whole file; on failure returns nullopt and sets error to the I/O error text. A
// file larger than maxBytes is refused with FileTooLarge before anything is read, so a stray
// huge file cannot exhaust memory.
inline constexpr std::size_t MaxListFileBytes = 4u << 20;
inline const char* const FileTooLarge = "File too large";
std::optional<std::string> readWholeFile(const std::string& path, std::string& error,
                                         std::size_t maxBytes = MaxListFileBytes);
// The first bytes of a file, at most n (fewer when the file is shorter).
std::optional<std::string> readFileHead(const std::string& path, std::size_t n, std::string& error);

// Opens a file with the access flags given (O_RDONLY, O_RDWR | O_CREAT | O_APPEND, ...) and
// returns its descriptor, or -1 with error set. Anything but a regular file (a folder, a
// device, a pipe) is refused with NotRegularFileText, without waiting for a pipe's other end,
// so that no open blocks and no read or write goes on for ever. Every file the program reads
// or adds to opens here.
int openRegularFile(const std::string& path, int accessFlags, std::string& error);

// The I/O error text for an errno value ("File not found", "File access denied",
// "Disk full", ...).
std::string ioErrorText(int errnoValue);

// The text of a short read: the file ends before its contents say they do.
inline const char* const ReadBeyondEndOfFile = "Read beyond end of file";

// A regular file is there (through links).
bool fileExists(const std::string& path);
// Anything is there (through links): a file that is not a regular one is no missing file.
bool pathExists(const std::string& path);

// Writes every byte to an open file descriptor, going on after partial writes. Returns 0, or
// the errno value of the failure (ENOSPC when the system took nothing without saying why).
int writeAllBytes(int fd, std::string_view bytes);

} // namespace tw
