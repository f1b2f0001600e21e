#include "script/TriggerListFile.h"

#include "base/ListFileText.h"

namespace tw {

std::string TriggerListFile::toText(const TriggerList& triggers)
{
    std::string out;
    for (const TriggerEntry& t : triggers) {
        out += t.pattern + "\r\n";
        out += t.response + "\r\n";
        out += t.switches + "\r\n";
    }
    return out;
}

std::optional<std::string> TriggerListFile::appendFromText(std::string_view text, TriggerList& triggers)
{
    return appendListEntries(text, triggers, [](ListLineReader& reader) {
        TriggerEntry t;
        t.pattern = reader.readLine();
        t.response = reader.readLine();
        t.switches = reader.readLine();
        return t;
    });
}

std::optional<std::string> TriggerListFile::exportTo(const std::string& path, const TriggerList& triggers)
{
    return writeFileAtomically(path, toText(triggers));
}

std::optional<std::string> TriggerListFile::importFrom(const std::string& path, TriggerList& triggers)
{
    return importListFile(path, triggers, appendFromText);
}

} // namespace tw
