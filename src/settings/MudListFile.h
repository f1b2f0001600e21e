#pragma once
// The MUD list's text file ("lst"): three lines per entry (name, address, port), each ended by
// CR LF, no header and no count.
#include "base/TextCut.h"
#include "settings/MudEntry.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw {

class MudListFile {
public:
    static std::string toText(const MudList& muds);

    // Appends an entry for every group of three lines; an entry cut short by the end of the
    // text gets empty remaining fields. Ports are kept as they are, however long.
    // Nothing is appended, and the refusal is returned, when the list would pass what an
    // options file can keep. The coding says how a field's bytes make its 255 characters.
    static std::optional<std::string> appendFromText(std::string_view text, MudList& muds,
                                                      TextCoding coding = TextCoding::Bytes);

    // Both return the I/O error text on failure. A failed export leaves an existing file as it
    // was; a failed import appends nothing.
    static std::optional<std::string> exportTo(const std::string& path, const MudList& muds);
    static std::optional<std::string> importFrom(const std::string& path, MudList& muds,
                                                  TextCoding coding = TextCoding::Bytes);
};

} // namespace tw
