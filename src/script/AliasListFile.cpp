#include "script/AliasListFile.h"

#include "base/FileIo.h"
#include "base/ListFileText.h"

namespace tw {

namespace {

AliasEntry readAlias(ListLineReader& reader)
{
    AliasEntry a;
    a.word = reader.readLine();
    a.expansion = reader.readLine();
    return a;
}

} // namespace

std::string AliasListFile::toText(const AliasList& aliases)
{
    std::string out;
    for (const AliasEntry& a : aliases) {
        out += a.word + "\r\n";
        out += a.expansion + "\r\n";
    }
    return out;
}

std::optional<std::string> AliasListFile::appendFromText(std::string_view text, AliasList& aliases,
                                                         TextCoding coding)
{
    ListLineReader reader(text, coding);
    return appendListEntries(reader, aliases, readAlias);
}

std::optional<std::string> AliasListFile::exportTo(const std::string& path, const AliasList& aliases)
{
    return writeFileAtomically(path, toText(aliases));
}

std::optional<std::string> AliasListFile::importFrom(const std::string& path, AliasList& aliases,
                                                     TextCoding coding)
{
    return importListFile(path, coding, aliases, readAlias);
}

} // namespace tw
