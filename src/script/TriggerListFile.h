#pragma once
// The trigger list's text file ("trg"): three lines per trigger (pattern, response, switch
// string), each ended by CR LF, no header and no count.
#include "base/TextCut.h"
#include "script/TriggerEntry.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw {

class TriggerListFile {
public:
    static std::string toText(const TriggerList& triggers);

    // Appends a trigger for every group of three lines; a group cut short by the end of the
    // text is completed with empty lines. Nothing is validated.
    // Nothing is appended, and the refusal is returned, when the list would pass what an
    // options file can keep. The coding says how a field's bytes make its 255 characters.
    static std::optional<std::string> appendFromText(std::string_view text, TriggerList& triggers,
                                                      TextCoding coding = TextCoding::Bytes);

    // Both return the I/O error text on failure. A failed export leaves an existing file as it
    // was; a failed import appends nothing.
    static std::optional<std::string> exportTo(const std::string& path, const TriggerList& triggers);
    static std::optional<std::string> importFrom(const std::string& path, TriggerList& triggers,
                                                  TextCoding coding = TextCoding::Bytes);
};

} // namespace tw
