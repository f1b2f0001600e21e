#include "tools/EditorCommand.h"

#include <gtest/gtest.h>
#include <set>

namespace tw {
namespace {

using Args = std::vector<std::string>;

struct Case {
    const char* what;
    std::string editor;
    std::string file;
    std::set<std::string> installed;
    Args expected;
};

TEST(EditorCommand, ChoosesTheEditorOrAFallback)
{
    const std::string longName = "/home/player/" + std::string(300, 'x') + " with blanks.log";
    const Case cases[] = {
        {"named editor found", "notepad.exe", "", {"notepad.exe", "xdg-open"}, {"notepad.exe"}},
        {"named editor with a file", "kate", "notes.not", {"kate", "xdg-open"}, {"kate", "notes.not"}},
        {"Windows name of an installed editor", "kwrite.EXE", "a.map", {"kwrite", "gedit", "xdg-open"},
         {"kwrite", "a.map"}},
        {"only \".exe\" is left out", "kwrite.bak", "", {"kwrite", "gedit"}, {"gedit"}},
        {"blanks around the name", "  kate  ", "", {"kate"}, {"kate"}},
        {"missing editor, a file: the desktop opener", "notepad.exe", "a.log",
         {"xdg-open", "gedit"}, {"xdg-open", "a.log"}},
        {"missing editor, no opener: an editor takes the file", "notepad.exe", "a.log",
         {"mousepad"}, {"mousepad", "a.log"}},
        {"missing editor, no file: the first common editor", "notepad.exe", "",
         {"xdg-open", "leafpad", "gedit"}, {"gedit"}},
        {"any length of file name, as one argument", "notepad.exe", longName,
         {"xdg-open"}, {"xdg-open", longName}},
        {"a file name is never read as an option", "kate", "-rf", {"kate"}, {"kate", "./-rf"}},
        {"empty editor starts nothing", "", "a.log", {"xdg-open", "gedit"}, {}},
        {"blank editor starts nothing", "   ", "", {"xdg-open", "gedit"}, {}},
        {"nothing installed starts nothing", "notepad.exe", "a.log", {}, {}},
    };
    for (const Case& c : cases) {
        int emptyFiles = 0;
        const Args args = EditorCommand::build(
            c.editor, c.file, [&](const std::string& p) { return c.installed.count(p) > 0; },
            [&] { ++emptyFiles; return std::string("/tmp/empty.txt"); });
        EXPECT_EQ(args, c.expected) << c.what;
        EXPECT_EQ(emptyFiles, 0) << c.what;
    }
}

TEST(EditorCommand, WithoutAnyEditorTheOpenerShowsAnEmptyTextFile)
{
    auto onlyOpener = [](const std::string& p) { return p == "xdg-open"; };
    EXPECT_EQ(EditorCommand::build("notepad.exe", "", onlyOpener, [] { return std::string("/tmp/t.txt"); }),
              (Args{"xdg-open", "/tmp/t.txt"}));
    // No empty file could be made: nothing is started.
    EXPECT_EQ(EditorCommand::build("notepad.exe", "", onlyOpener, [] { return std::string(); }), Args{});
    EXPECT_EQ(EditorCommand::build("notepad.exe", "", onlyOpener, nullptr), Args{});
}

} // namespace
} // namespace tw
