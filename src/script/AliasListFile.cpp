#include "script/AliasListFile.h"

#include "base/FileIo.h"
#include "base/ListLineReader.h"

namespace tw {

std::string AliasListFile::toText(const AliasList& aliases)
{
    std::string out;
    for (const AliasEntry& a : aliases) {
        out += a.word + "\r\n";
        out += a.expansion + "\r\n";
    }
    return out;
}

void AliasListFile::appendFromText(std::string_view text, AliasList& aliases)
{
    ListLineReader reader(text);
    while (!reader.atEnd()) {
        AliasEntry a;
        a.word = reader.readLine();
        a.expansion = reader.readLine();
        aliases.push_back(std::move(a));
    }
}

std::optional<std::string> AliasListFile::exportTo(const std::string& path, const AliasList& aliases)
{
    return writeFileAtomically(path, toText(aliases));
}

std::optional<std::string> AliasListFile::importFrom(const std::string& path, AliasList& aliases)
{
    std::string error;
    const std::optional<std::string> text = readWholeFile(path, error, MaxListFileBytes);
    if (!text)
        return error;
    appendFromText(*text, aliases);
    return std::nullopt;
}

} // namespace tw
