#include "tools/EditorCommand.h"

#include <cctype>

namespace tw {

namespace {

const std::string DesktopOpener = "xdg-open";

std::string trimmed(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool endsWithExe(const std::string& s)
{
    if (s.size() <= 4)
        return false;
    std::string tail = s.substr(s.size() - 4);
    for (char& c : tail)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".exe";
}

// A file name that begins with "-" would be read as an option by the started program.
std::string asArgument(const std::string& file)
{
    return !file.empty() && file.front() == '-' ? "./" + file : file;
}

// The program to start for editorName: the name itself when it can be started, else the same
// name without ".exe" (an options file written on Windows may say "gedit.exe"), else nothing.
std::string startableEditor(const std::string& editorName, const EditorCommand::IsOnPath& isOnPath)
{
    if (isOnPath(editorName))
        return editorName;
    if (endsWithExe(editorName)) {
        const std::string stem = editorName.substr(0, editorName.size() - 4);
        if (isOnPath(stem))
            return stem;
    }
    return {};
}

} // namespace

const std::vector<std::string>& EditorCommand::commonEditors()
{
    static const std::vector<std::string> editors = {
        "gnome-text-editor", "gedit", "kate", "kwrite", "mousepad",
        "xed", "pluma", "featherpad", "leafpad"};
    return editors;
}

std::vector<std::string> EditorCommand::build(const std::string& editorName, const std::string& file,
                                              const IsOnPath& isOnPath,
                                              const MakeEmptyTextFile& makeEmptyTextFile)
{
    const std::string name = trimmed(editorName);
    if (name.empty())
        return {};

    std::vector<std::string> args;
    const std::string editor = startableEditor(name, isOnPath);
    if (!editor.empty()) {
        args.push_back(editor);
    } else if (!file.empty() && isOnPath(DesktopOpener)) {
        args.push_back(DesktopOpener);
    } else {
        for (const std::string& candidate : commonEditors()) {
            if (isOnPath(candidate)) {
                args.push_back(candidate);
                break;
            }
        }
    }

    if (args.empty()) {
        // Without any known editor, the desktop's opener still shows an (empty) text file.
        if (!file.empty() || !isOnPath(DesktopOpener) || !makeEmptyTextFile)
            return {};
        const std::string emptyFile = makeEmptyTextFile();
        if (emptyFile.empty())
            return {};
        return {DesktopOpener, asArgument(emptyFile)};
    }
    if (!file.empty())
        args.push_back(asArgument(file));
    return args;
}

} // namespace tw
