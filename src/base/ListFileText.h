#pragma once
// What the list files of triggers, aliases and MUDs share: entries of a fixed number of lines,
// appended all or none, and lists that never grow past what the options file can count.
#include "base/FileIo.h"
#include "base/ListLineReader.h"

#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The options file counts each list's entries in 16 bits; a longer list could not be saved.
inline constexpr std::size_t MaxListEntries = 65535;
inline constexpr const char* ListFullText =
    "The list is full: an options file can keep at most 65535 entries.";
// An import that would take a list of `have` entries past the limit.
std::string importTooLargeText(std::size_t have);

// Reads one entry after another with readEntry(ListLineReader&) until the text ends, and
// appends them all, or none when the list would pass MaxListEntries (the error text is then
// returned).
template <typename Entry, typename ReadEntry>
std::optional<std::string> appendListEntries(std::string_view text, std::vector<Entry>& list,
                                             ReadEntry readEntry)
{
    std::vector<Entry> read;
    ListLineReader reader(text);
    while (!reader.atEnd()) {
        if (list.size() + read.size() >= MaxListEntries)
            return importTooLargeText(list.size());
        read.push_back(readEntry(reader));
    }
    list.insert(list.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    return std::nullopt;
}

// Reads a list file and appends what appendFromText(text, list) takes from it; returns the
// I/O error text or the refusal.
template <typename List, typename AppendFromText>
std::optional<std::string> importListFile(const std::string& path, List& list,
                                          AppendFromText appendFromText)
{
    std::string error;
    const std::optional<std::string> text = readWholeFile(path, error, MaxListFileBytes);
    if (!text)
        return error;
    return appendFromText(*text, list);
}

} // namespace tw
