#include "script/HotkeyFile.h"

#include "base/FileIo.h"
#include "base/ListLineReader.h"

namespace tw {

std::string HotkeyFile::label(int entry)
{
    const int half = HotkeyCount / 2;
    return entry < half ? "F" + std::to_string(entry + 1) : "SF" + std::to_string(entry - half + 1);
}

std::string HotkeyFile::toText(const HotkeyTable& table)
{
    std::string out;
    for (int i = 0; i < HotkeyCount; ++i) {
        const HotkeyEntry& e = table[std::size_t(i)];
        out += label(i) + "\r\n";
        out += e.text + "\r\n";
        out += e.enter ? '1' : '0';
        out += e.add ? '1' : '0';
        out += "\r\n\r\n";
    }
    return out;
}

namespace {

HotkeyTable readTable(ListLineReader& reader)
{
    HotkeyTable table;
    for (HotkeyEntry& e : table) {
        reader.readLine(); // the label
        e.text = reader.readLine();
        const std::string flags = reader.readLine();
        e.enter = flags.size() > 0 && flags[0] == '1';
        e.add = flags.size() > 1 && flags[1] == '1';
        reader.readLine(); // the empty line between records
    }
    return table;
}

} // namespace

HotkeyTable HotkeyFile::fromText(std::string_view text, TextCoding coding)
{
    ListLineReader reader(text, coding);
    return readTable(reader);
}

std::optional<std::string> HotkeyFile::exportTo(const std::string& path, const HotkeyTable& table)
{
    return writeFileAtomically(path, toText(table));
}

std::optional<std::string> HotkeyFile::importFrom(const std::string& path, HotkeyTable& table,
                                                  TextCoding coding)
{
    ListLineReader reader = ListLineReader::openFile(path, coding);
    const HotkeyTable read = readTable(reader);
    if (!reader.error().empty())
        return reader.error();
    table = read;
    return std::nullopt;
}

} // namespace tw
