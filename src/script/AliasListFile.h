#pragma once
// The alias list's text file ("als"): two lines per alias (word, expansion), each ended by
// CR LF, no header and no count.
#include "base/TextCut.h"
#include "script/AliasEntry.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw {

class AliasListFile {
public:
    static std::string toText(const AliasList& aliases);

    // Appends an alias for every pair of lines; a pair cut short by the end of the text gets
    // an empty expansion. Nothing is validated.
    // Nothing is appended, and the refusal is returned, when the list would pass what an
    // options file can keep. The coding says how a field's bytes make its 255 characters.
    static std::optional<std::string> appendFromText(std::string_view text, AliasList& aliases,
                                                      TextCoding coding = TextCoding::Bytes);

    // Both return the I/O error text on failure. A failed export leaves an existing file as it
    // was; a failed import appends nothing.
    static std::optional<std::string> exportTo(const std::string& path, const AliasList& aliases);
    static std::optional<std::string> importFrom(const std::string& path, AliasList& aliases,
                                                  TextCoding coding = TextCoding::Bytes);
};

} // namespace tw
