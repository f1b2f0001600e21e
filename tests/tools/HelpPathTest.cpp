#include "tools/HelpPath.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <gtest/gtest.h>

namespace tw {
namespace {

namespace fs = std::filesystem;

// The repository's folder that holds docs/, found from this file or from where the test runs.
std::string repositoryRoot()
{
    for (fs::path start : {fs::path(__FILE__).parent_path(), fs::current_path()}) {
        for (fs::path p = start; !p.empty(); p = p.parent_path()) {
            if (fs::is_regular_file(p / "docs" / "contents.html"))
                return p.string();
            if (p == p.parent_path())
                break;
        }
    }
    return {};
}

// Every help command line the program runs, with the page it must open.
const std::pair<const char*, const char*> HelpTable[] = {
    {"EXPLORER.EXE DOCS\\INTRO.HTML", "intro.html"},
    {"EXPLORER.EXE DOCS\\CONTENTS.HTML", "contents.html"},
    {"EXPLORER.EXE docs\\menu_options_gen.html", "menu_options_gen.html"},
    {"EXPLORER.EXE docs\\menu_mud_connect.html", "menu_mud_connect.html"},
    {"EXPLORER.EXE docs\\list_entry.html", "list_entry.html"},
    {"EXPLORER.EXE docs\\menu_mud_log.html", "menu_mud_log.html"},
    {"EXPLORER.EXE docs\\menu_notes_add.html", "menu_notes_add.html"},
    {"EXPLORER.EXE docs\\menu_notes_look.html", "menu_notes_look.html"},
    {"EXPLORER.EXE docs\\menu_special_send.html", "menu_special_send.html"},
    {"EXPLORER.EXE docs\\menu_options_aliases.html", "menu_options_aliases.html"},
    {"EXPLORER.EXE docs\\alias_entry.html", "alias_entry.html"},
    {"EXPLORER.EXE docs\\menu_options_triggers.html", "menu_options_triggers.html"},
    {"EXPLORER.EXE docs\\trigger_entry.html", "trigger_entry.html"},
    {"EXPLORER.EXE docs\\menu_options_hotkeys.html", "menu_options_hotkeys.html"},
    {"EXPLORER.EXE docs\\menu_options_keypad.html", "menu_options_keypad.html"},
    {"EXPLORER.EXE docs\\menu_options_ansi.html", "menu_options_ansi.html"},
    {"EXPLORER.EXE docs\\menu_special_automap.html", "menu_special_automap.html"},
    {"EXPLORER.EXE docs\\automap_edit.html", "automap_edit.html"},
    {"EXPLORER.EXE docs\\automap_virtual.html", "automap_virtual.html"},
};

TEST(HelpPath, EveryCommandLineOfTheProgramOpensItsShippedPage)
{
    const std::string root = repositoryRoot();
    ASSERT_FALSE(root.empty()) << "docs/ not found";
    for (const auto& [line, page] : HelpTable) {
        const auto found = HelpPath::resolve(line, {root});
        ASSERT_TRUE(found) << line;
        EXPECT_TRUE(fs::equivalent(*found, fs::path(root) / "docs" / page)) << line << " -> " << *found;
    }
}

class HelpPathFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        base = fs::temp_directory_path() / ("tarnwick-help-" + std::to_string(::getpid()));
        fs::remove_all(base);
        fs::create_directories(base / "program" / "docs");
        fs::create_directories(base / "current" / "Docs");
        std::ofstream(base / "program" / "docs" / "intro.html") << "program";
        std::ofstream(base / "current" / "Docs" / "Only_Here.HTML") << "current";
        std::ofstream(base / "current" / "Docs" / "intro.html") << "current";
    }
    void TearDown() override { fs::remove_all(base); }

    std::vector<std::string> folders() const
    {
        return {(base / "program").string(), (base / "current").string()};
    }
    std::string contentOf(const std::optional<std::string>& path) const
    {
        if (!path)
            return "(none)";
        std::ifstream in(*path);
        std::string s;
        std::getline(in, s);
        return s;
    }

    fs::path base;
};

TEST_F(HelpPathFolders, CaseAndSeparatorsDoNotMatterAndTheProgramFolderComesFirst)
{
    const std::pair<const char*, const char*> cases[] = {
        {"EXPLORER.EXE DOCS\\INTRO.HTML", "program"},
        {"explorer.exe docs/intro.html", "program"},
        {"  Explorer.Exe   docs\\\\Intro.Html  ", "program"},
        {"docs\\intro.html", "program"},                    // no program name at all
        {"EXPLORER.EXE \"docs\\intro.html\"", "program"},
        {"EXPLORER.EXE docs\\only_here.html", "current"},   // found only in the second folder
        {"EXPLORER.EXE DOCS/ONLY_HERE.HTML", "current"},
    };
    for (const auto& [line, from] : cases)
        EXPECT_EQ(contentOf(HelpPath::resolve(line, folders())), from) << line;
}

TEST_F(HelpPathFolders, PagesThatAreNotThereGiveNothing)
{
    const char* cases[] = {
        "EXPLORER.EXE docs\\missing.html",
        "EXPLORER.EXE docs",                 // a folder is not a page
        "EXPLORER.EXE",
        "",
        "EXPLORER.EXE docs\\..\\docs\\intro.html", // nothing outside the base folders
        "EXPLORER.EXE /etc/passwd",
        "EXPLORER.EXE C:\\docs\\intro.html",
        "EXPLORER.EXEdocs\\intro.html",
    };
    for (const char* line : cases)
        EXPECT_FALSE(HelpPath::resolve(line, folders())) << line;
    EXPECT_FALSE(HelpPath::resolve("EXPLORER.EXE docs\\intro.html", {}));
    EXPECT_FALSE(HelpPath::resolve("EXPLORER.EXE docs\\intro.html", {(base / "nowhere").string()}));

    // What the player is told was looked for.
    EXPECT_EQ(HelpPath::expected("EXPLORER.EXE docs\\missing.html", "/opt/tw"), "/opt/tw/docs/missing.html");
    EXPECT_EQ(HelpPath::expected("EXPLORER.EXE /etc/passwd", "/opt/tw"), "EXPLORER.EXE /etc/passwd");
}

} // namespace
} // namespace tw
