#pragma once
// Decides how the external editor is started: the program and its arguments, handed to the
// system as a list and never through a shell.
#include <functional>
#include <string>
#include <vector>

namespace tw {

class EditorCommand {
public:
    // Whether a program (a bare name looked up on the PATH, or a path) can be started.
    using IsOnPath = std::function<bool(const std::string& program)>;
    // Creates an empty text file and returns its name, or an empty text when it cannot.
    using MakeEmptyTextFile = std::function<std::string()>;

    // Editors tried, in this order, when the named editor is missing and no file is given.
    static const std::vector<std::string>& commonEditors();

    // The argument list that starts editorName with file (empty: the editor starts empty).
    // The stored start value "notepad.exe" names no program on most systems, so a missing
    // editor falls back to the desktop's opener for a file, or to the first common editor
    // found. An empty editorName, or nothing startable, gives an empty list: start nothing.
    static std::vector<std::string> build(const std::string& editorName, const std::string& file,
                                          const IsOnPath& isOnPath,
                                          const MakeEmptyTextFile& makeEmptyTextFile);
};

} // namespace tw
