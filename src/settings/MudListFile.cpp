#include "settings/MudListFile.h"

#include "base/FileIo.h"
#include "base/ListLineReader.h"

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

void MudListFile::appendFromText(std::string_view text, MudList& muds)
{
    ListLineReader reader(text);
    while (!reader.atEnd()) {
        MudEntry m;
        m.name = reader.readLine();
        m.address = reader.readLine();
        m.port = reader.readLine();
        muds.push_back(std::move(m));
    }
}

std::optional<std::string> MudListFile::exportTo(const std::string& path, const MudList& muds)
{
    return writeFileAtomically(path, toText(muds));
}

std::optional<std::string> MudListFile::importFrom(const std::string& path, MudList& muds)
{
    std::string error;
    const std::optional<std::string> text = readWholeFile(path, error, MaxListFileBytes);
    if (!text)
        return error;
    appendFromText(*text, muds);
    return std::nullopt;
}

} // namespace tw
