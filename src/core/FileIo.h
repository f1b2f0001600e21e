#pragma once
// Whole-file reads and safe whole-file writes for the files the player keeps.
#include <optional>
#include <string>

namespace tw {

// Writes bytes to path through a temporary file in the same folder that is renamed over the
// old file only when every byte was written and flushed; a failure leaves the old file as it
// was. Returns the system's I/O error text on failure.
std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes);

// Reads the whole file; on failure returns nullopt and sets error to the I/O error text.
std::optional<std::string> readWholeFile(const std::string& path, std::string& error);

// The I/O error text for an errno value ("File not found", "File access denied",
// "Disk full", ...).
std::string ioErrorText(int errnoValue);

// The text of a short read: the file ends before its contents say they do.
inline const char* const ReadBeyondEndOfFile = "Read beyond end of file";

bool fileExists(const std::string& path);

} // namespace tw
