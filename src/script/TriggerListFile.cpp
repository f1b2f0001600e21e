#include "script/TriggerListFile.h"

#include "base/FileIo.h"
#include "base/ListLineReader.h"

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

void TriggerListFile::appendFromText(std::string_view text, TriggerList& triggers)
{
    ListLineReader reader(text);
    while (!reader.atEnd()) {
        TriggerEntry t;
        t.pattern = reader.readLine();
        t.response = reader.readLine();
        t.switches = reader.readLine();
        triggers.push_back(std::move(t));
    }
}

std::optional<std::string> TriggerListFile::exportTo(const std::string& path, const TriggerList& triggers)
{
    return writeFileAtomically(path, toText(triggers));
}

std::optional<std::string> TriggerListFile::importFrom(const std::string& path, TriggerList& triggers)
{
    std::string error;
    const std::optional<std::string> text = readWholeFile(path, error, MaxListFileBytes);
    if (!text)
        return error;
    appendFromText(*text, triggers);
    return std::nullopt;
}

} // namespace tw
