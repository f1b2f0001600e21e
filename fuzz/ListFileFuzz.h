#pragma once
// The check every list file target makes: arbitrary bytes read as the list file never crash,
// a refused text appends nothing, every field is one line of at most 255 characters, and what
// was read writes and reads back to the same list and the same bytes.
#include "base/ListLineReader.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace tw::fuzz {

inline void checkField(const std::string& field)
{
    if (field.size() > ListLineReader::MaxFieldLength || field.find('\n') != std::string::npos)
        std::abort();
}

// File is the list file's class; List its list; fields(entry, check) calls check on each field.
template <typename File, typename List, typename Fields>
void roundTrip(std::string_view bytes, Fields fields)
{
    List list;
    if (File::appendFromText(bytes, list)) {
        if (!list.empty())
            std::abort();
        return;
    }
    for (const auto& entry : list)
        fields(entry, checkField);
    const std::string text = File::toText(list);
    List again;
    if (File::appendFromText(text, again) || !(again == list) || File::toText(again) != text)
        std::abort();
}

} // namespace tw::fuzz
