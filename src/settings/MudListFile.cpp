#include "settings/MudListFile.h"

#include "base/ListFileText.h"

namespace tw {

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

std::optional<std::string> MudListFile::appendFromText(std::string_view text, MudList& muds)
{
    return appendListEntries(text, muds, [](ListLineReader& reader) {
        MudEntry m;
        m.name = reader.readLine();
        m.address = reader.readLine();
        m.port = reader.readLine();
        return m;
    });
}

std::optional<std::string> MudListFile::exportTo(const std::string& path, const MudList& muds)
{
    return writeFileAtomically(path, toText(muds));
}

std::optional<std::string> MudListFile::importFrom(const std::string& path, MudList& muds)
{
    return importListFile(path, muds, appendFromText);
}

} // namespace tw
