#include "script/TriggerListFile.h"

#include "base/FileIo.h"
#include "base/ListFileText.h"

namespace tw {

namespace {

TriggerEntry readTrigger(ListLineReader& reader)
{
    TriggerEntry t;
    t.pattern = reader.readLine();
    t.response = reader.readLine();
    t.switches = reader.readLine();
    return t;
}

} // namespace

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

std::optional<std::string> TriggerListFile::appendFromText(std::string_view text, TriggerList& triggers,
                                                           TextCoding coding)
{
    ListLineReader reader(text, coding);
    return appendListEntries(reader, triggers, readTrigger);
}

std::optional<std::string> TriggerListFile::exportTo(const std::string& path, const TriggerList& triggers)
{
    return writeFileAtomically(path, toText(triggers));
}

std::optional<std::string> TriggerListFile::importFrom(const std::string& path, TriggerList& triggers,
                                                       TextCoding coding)
{
    return importListFile(path, coding, triggers, readTrigger);
}

} // namespace tw
