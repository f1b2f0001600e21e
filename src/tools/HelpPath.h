#pragma once
// Finds the page that a help command line names, such as "EXPLORER.EXE docs\menu_options_gen.html".
// The command lines were written for a system whose file names ignore letter case and use "\",
// so the page is looked up component by component without regard to case.
#include <optional>
#include <string>
#include <vector>

namespace tw {

class HelpPath {
public:
    // The relative path the command line names, split into its components: the leading program
    // name EXPLORER.EXE (any case) is dropped, and "\" and "/" both separate. Empty when the line
    // names nothing, or names something outside the base folder (an absolute path, "..").
    static std::vector<std::string> pageComponents(const std::string& commandLine);

    // The existing file the command line names, searched in each base folder in order (the
    // program's folder, then the current folder); nothing when no base folder holds it.
    static std::optional<std::string> resolve(const std::string& commandLine,
                                              const std::vector<std::string>& baseFolders);

    // Where the page of a command line would be in a base folder, for telling the player which
    // page could not be opened; the command line itself when it names no page.
    static std::string expected(const std::string& commandLine, const std::string& baseFolder);
};

} // namespace tw
