#include "tools/HelpPath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace tw {

namespace fs = std::filesystem;

namespace {

const std::string ProgramName = "EXPLORER.EXE";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string trimmed(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::string upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && upper(a) == upper(b);
}

// The entry of folder whose name equals name without regard to case; an exact match wins over
// one that differs only in case, so two entries "Docs" and "docs" resolve predictably.
std::optional<fs::path> entryIgnoringCase(const fs::path& folder, const std::string& name)
{
    std::error_code ec;
    if (fs::exists(folder / name, ec))
        return folder / name;
    std::optional<fs::path> found;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (sameIgnoringCase(candidate, name)) {
            // Directory order is arbitrary; take the smallest name so the choice is stable.
            if (!found || candidate < found->filename().string())
                found = it->path();
        }
    }
    return found;
}

} // namespace

std::vector<std::string> HelpPath::pageComponents(const std::string& commandLine)
{
    std::string rest = trimmed(commandLine);
    if (upper(rest.substr(0, ProgramName.size())) == ProgramName
        && (rest.size() == ProgramName.size() || isBlank(rest[ProgramName.size()])))
        rest = trimmed(rest.substr(ProgramName.size()));
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
        rest = rest.substr(1, rest.size() - 2);
    if (rest.empty() || rest.front() == '\\' || rest.front() == '/'
        || (rest.size() >= 2 && rest[1] == ':'))
        return {};

    std::vector<std::string> parts;
    std::string part;
    auto flush = [&] {
        if (!part.empty())
            parts.push_back(part);
        part.clear();
    };
    for (char c : rest) {
        if (c == '\\' || c == '/')
            flush();
        else
            part += c;
    }
    flush();
    // The pages live below the base folder; a name that climbs out of it names no page.
    for (const std::string& p : parts)
        if (p == "." || p == ".." || p.find('\0') != std::string::npos)
            return {};
    return parts;
}

std::optional<std::string> HelpPath::resolve(const std::string& commandLine,
                                             const std::vector<std::string>& baseFolders)
{
    const std::vector<std::string> parts = pageComponents(commandLine);
    if (parts.empty())
        return std::nullopt;
    for (const std::string& base : baseFolders) {
        if (base.empty())
            continue;
        std::optional<fs::path> at = fs::path(base);
        for (const std::string& part : parts) {
            at = entryIgnoringCase(*at, part);
            if (!at)
                break;
        }
        std::error_code ec;
        if (at && fs::is_regular_file(*at, ec))
            return at->string();
    }
    return std::nullopt;
}

std::string HelpPath::expected(const std::string& commandLine, const std::string& baseFolder)
{
    const std::vector<std::string> parts = pageComponents(commandLine);
    if (parts.empty())
        return commandLine;
    fs::path at = fs::path(baseFolder);
    for (const std::string& part : parts)
        at /= part;
    return at.string();
}

} // namespace tw
