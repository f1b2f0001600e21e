#include "settings/OptionsFile.h"
#include "settings/OptionsMenu.h"

#include "base/FileIo.h"
#include "settings/OptionsFileWriter.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tw {
namespace {

namespace fs = std::filesystem;
using Kind = OptionsLoadResult::Kind;

class OptionsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("tw-options-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string contents(const std::string& p)
    {
        std::string error;
        return readWholeFile(p, error).value_or("<unreadable: " + error + ">");
    }
    static void put(const std::string& p, const std::string& bytes)
    {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static OptionsData sample()
    {
        OptionsData d;
        d.setup.EditorName = "vim";
        d.setup.ScrollbackSize = 32000;
        d.muds = {{"Realm", "realm.example", "4000"}, {std::string(300, 'm'), "a", "1"}};
        d.hotkeys[5] = {"cast heal", false, true};
        d.keypad[10] = "sneak";
        d.aliases = {{"gg", "get gold"}};
        d.triggers = {{"hungry", "eat", "100000"}, {"x", std::string(256, 'r'), "010203"}};
        d.palette.colors[3] = 0x00123456;
        return d;
    }

    fs::path dir_;
};

TEST_F(OptionsFileTest, EmptyListsSaveToTheKnownSize)
{
    OptionsData d;
    d.muds.clear();
    ASSERT_EQ(OptionsFile::save(path("empty.cfg"), d), std::nullopt);
    const std::string bytes = contents(path("empty.cfg"));
    EXPECT_EQ(bytes.size(), 10848u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x04IDAB\x00", 6));
    const OptionsLoadResult r = OptionsFile::load(path("empty.cfg"), SetupVars{});
    ASSERT_TRUE(r.loaded());
    EXPECT_EQ(r.data, d);
}

TEST_F(OptionsFileTest, SavedOptionsComeBackWithLongTextsCut)
{
    const OptionsData d = sample();
    ASSERT_EQ(OptionsFile::save(path("a.cfg"), d), std::nullopt);
    const OptionsLoadResult r = OptionsFile::load(path("a.cfg"), SetupVars{});
    ASSERT_TRUE(r.loaded());
    OptionsData expected = d;
    expected.muds[1].name.resize(255);
    expected.triggers[1].response.resize(255);
    EXPECT_EQ(r.data, expected);

    // The message commands keep all 255 characters; numbers out of range come back clamped.
    OptionsData edge = d;
    edge.setup.NoteTo = std::string(255, 't');
    edge.setup.NoteSubject = std::string(255, 's');
    edge.setup.NotePlus = std::string(255, 'p');
    edge.setup.NoteSend = std::string(255, 'n');
    edge.setup.CommandsRetained = 500;
    ASSERT_EQ(OptionsFile::save(path("b.cfg"), edge), std::nullopt);
    const OptionsLoadResult e = OptionsFile::load(path("b.cfg"), SetupVars{});
    ASSERT_TRUE(e.loaded());
    EXPECT_EQ(e.data.setup.CommandsRetained, 100);
    edge.setup.CommandsRetained = 100;
    EXPECT_EQ(e.data.setup, edge.setup);
}

// The temporary file's name is short whatever the file's own: the longest name the system
// takes saves like any other and leaves nothing beside it.
TEST_F(OptionsFileTest, SaveUnderTheLongestNameTheSystemTakes)
{
    const std::string longName = path(std::string(251, 'n') + ".cfg");
    put(longName, "old contents");
    ASSERT_EQ(OptionsFile::save(longName, sample()), std::nullopt);
    EXPECT_TRUE(OptionsFile::load(longName, SetupVars{}).loaded());
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(longName).parent_path()), {}), 1);
}

TEST_F(OptionsFileTest, SaveOverAReadOnlyFileIsRefusedAndKeepsIt)
{
    put(path("ro.cfg"), "old contents");
    fs::permissions(path("ro.cfg"), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(OptionsFile::save(path("ro.cfg"), sample()), ReadOnlyFileText);
    EXPECT_EQ(contents(path("ro.cfg")), "old contents");
}

TEST_F(OptionsFileTest, SaveAsksBeforeOverwritingAndReportsOnlyASuccess)
{
    test::RecordingHost host;
    put(path("x.cfg"), "keep me");
    host.answers = {MsgAnswer::No};
    EXPECT_EQ(OptionsMenu::saveOptions(host, path("x.cfg"), sample()).outcome,
              OptionsMenu::SaveOutcome::Declined);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "File Exists!");
    EXPECT_EQ(host.boxes[0].text, "Overwrite file?");
    EXPECT_EQ(host.boxes[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(host.statuses.empty());
    EXPECT_EQ(contents(path("x.cfg")), "keep me");

    host.answers = {MsgAnswer::Yes};
    EXPECT_EQ(OptionsMenu::saveOptions(host, path("x.cfg"), sample()).outcome,
              OptionsMenu::SaveOutcome::Saved);
    EXPECT_EQ(host.lastStatus(), "Option file saved");
    EXPECT_TRUE(OptionsFile::load(path("x.cfg"), SetupVars{}).loaded());

    // A new file is written without a question.
    host.boxes.clear();
    EXPECT_EQ(OptionsMenu::saveOptions(host, path("new.cfg"), sample()).outcome,
              OptionsMenu::SaveOutcome::Saved);
    EXPECT_TRUE(host.boxes.empty());

    host.statuses.clear();
    const auto failed = OptionsMenu::saveOptions(host, path("no/such/folder.cfg"), sample());
    EXPECT_EQ(failed.outcome, OptionsMenu::SaveOutcome::Failed);
    EXPECT_EQ(failed.errorText, "File not found");
    EXPECT_TRUE(host.statuses.empty());
}

TEST_F(OptionsFileTest, LoadTellsThePlayerWhatHappened)
{
    ASSERT_EQ(OptionsFile::save(path("good.cfg"), sample()), std::nullopt);
    std::string truncated = contents(path("good.cfg"));
    truncated.resize(truncated.size() - 1);
    put(path("short.cfg"), truncated);
    put(path("alien.cfg"), std::string("\x04IDAC\x00", 6) + std::string(20000, '\0'));
    // Large files cost nothing: the header is read first, and the size is known before reading.
    put(path("junk.cfg"), "junk");
    fs::resize_file(path("junk.cfg"), 300u << 20);
    put(path("huge.cfg"), std::string("\x04IDAB\x00", 6));
    fs::resize_file(path("huge.cfg"), OptionsFileWriter::LargestFileSize + 1);

    struct Case {
        std::string file;
        Kind kind;
        std::vector<std::string> boxes; // caption, text
        std::vector<std::string> statuses;
        std::string errorText;
    };
    const Case cases[] = {
        {"good.cfg", Kind::Loaded, {}, {"Option file loaded"}, ""},
        {"missing.cfg", Kind::FileMissing, {"Error", "File doesn't exist!"}, {"Option file not loaded"}, ""},
        {"alien.cfg", Kind::RefusedHeader,
         {"Options Failed!", "Config no longer supported. Please get at least version 3."}, {}, ""},
        {"short.cfg", Kind::IoError, {}, {"Option file not loaded"}, "Read beyond end of file"},
        {"junk.cfg", Kind::RefusedHeader,
         {"Options Failed!", "Config no longer supported. Please get at least version 3."}, {}, ""},
        {"huge.cfg", Kind::IoError, {}, {"Option file not loaded"}, "File too large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        test::RecordingHost host;
        const OptionsLoadResult r = OptionsMenu::loadOptionsNow(host, path(c.file), SetupVars{});
        EXPECT_EQ(r.kind, c.kind);
        EXPECT_EQ(r.errorText, c.errorText);
        std::vector<std::string> boxes;
        for (const auto& b : host.boxes) {
            EXPECT_EQ(b.buttons, MsgButtons::Ok);
            boxes.insert(boxes.end(), {b.caption, b.text});
        }
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(host.statuses, c.statuses);
    }
}

} // namespace
} // namespace tw
