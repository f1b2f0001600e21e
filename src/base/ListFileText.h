#pragma once
// What the list files of triggers, aliases and MUDs share: entries of a fixed number of lines,
// appended all or none, and lists that never grow past what the options file can count.
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

// Reads one entry after another with readEntry(ListLineReader&) until the lines end, and
// appends them all, or none when the list would pass MaxListEntries or the file cannot be read
// (the error text is then returned).
template <typename Entry, typename ReadEntry>
std::optional<std::string> appendListEntries(ListLineReader& reader, std::vector<Entry>& list,
                                             ReadEntry readEntry)
{
    std::vector<Entry> read;
    while (!reader.atEnd()) {
        if (list.size() + read.size() >= MaxListEntries)
            return importTooLargeText(list.size());
        read.push_back(readEntry(reader));
    }
    if (!reader.error().empty())
        return reader.error();
    list.insert(list.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    return std::nullopt;
}

// The same for a list file, read line by line whatever its size.
template <typename Entry, typename ReadEntry>
std::optional<std::string> importListFile(const std::string& path, TextCoding coding,
                                          std::vector<Entry>& list, ReadEntry readEntry)
{
    ListLineReader reader = ListLineReader::openFile(path, coding);
    if (!reader.error().empty())
        return reader.error();
    return appendListEntries(reader, list, readEntry);
}

} // namespace tw
