#include "script/AliasListFile.h"

#include "base/ListFileText.h"

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

std::optional<std::string> AliasListFile::appendFromText(std::string_view text, AliasList& aliases)
{
    return appendListEntries(text, aliases, [](ListLineReader& reader) {
        AliasEntry a;
        a.word = reader.readLine();
        a.expansion = reader.readLine();
        return a;
    });
}

std::optional<std::string> AliasListFile::exportTo(const std::string& path, const AliasList& aliases)
{
    return writeFileAtomically(path, toText(aliases));
}

std::optional<std::string> AliasListFile::importFrom(const std::string& path, AliasList& aliases)
{
    return importListFile(path, aliases, appendFromText);
}

} // namespace tw
