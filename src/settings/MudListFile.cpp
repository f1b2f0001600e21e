#include "settings/MudListFile.h"

#include "base/FileIo.h"
#include "base/ListFileText.h"

namespace tw {

namespace {

MudEntry readMud(ListLineReader& reader)
{
    MudEntry m;
    m.name = reader.readLine();
    m.address = reader.readLine();
    m.port = reader.readLine();
    return m;
}

} // namespace

std::string MudListFile::toText(const MudList& muds)
{
    std::string out;
    for (const MudEntry& m : muds) {
        out += m.name + "\r\n";
        out += m.address + "\r\n";
        out += m.port + "\r\n";
    }
    return out;
}

std::optional<std::string> MudListFile::appendFromText(std::string_view text, MudList& muds,
                                                       TextCoding coding)
{
    ListLineReader reader(text, coding);
    return appendListEntries(reader, muds, readMud);
}

std::optional<std::string> MudListFile::exportTo(const std::string& path, const MudList& muds)
{
    return writeFileAtomically(path, toText(muds));
}

std::optional<std::string> MudListFile::importFrom(const std::string& path, MudList& muds,
                                                   TextCoding coding)
{
    return importListFile(path, coding, muds, readMud);
}

} // namespace tw
