#include "settings/IniSettings.h"

#include "base/FileIo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tw {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// What is not a settings file the program can read starts it with the defaults, says why and
// never waits: a pipe, a folder, a file larger than 1 MB (sparse here, so it costs no disk).
TEST(IniSettings, WhatCannotBeReadGivesTheDefaultsAndSaysWhy)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    fs::create_directory(dir.path / "folder");
    test::putFile(dir.file("huge"), "[View]\nZoom=150\n");
    ASSERT_EQ(::truncate(dir.file("huge").c_str(), 200 << 20), 0);
    const std::pair<const char*, const char*> cases[] = {
        {"pipe", NotRegularFileText}, {"folder", NotRegularFileText}, {"huge", FileTooLarge}, {"missing", ""}};
    for (const auto& [name, problem] : cases) {
        const IniSettings ini = IniSettings::load(dir.file(name));
        EXPECT_EQ(ini.problem(), problem) << name;
        EXPECT_EQ(ini.zoom(), 100) << name;
        EXPECT_EQ(ini.defaultCfg(), "") << name;
    }
}

// The file is saved like every other: never onto something that is not a regular file, also
// not through a link, and the link stays.
TEST(IniSettings, ASaveNeverReplacesWhatIsNotARegularFile)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    const bool device = ::mknod(dir.file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    IniSettings ini;
    ini.setDefaultCfg("/games/a.cfg");
    for (const char* target : {"pipe", "null"}) {
        if (std::string(target) == "null" && !device)
            continue;
        fs::create_symlink(dir.path / target, dir.path / (std::string(target) + ".INI"));
        EXPECT_EQ(ini.save(dir.file(target) + std::string(".INI")), NotRegularFileText) << target;
        EXPECT_FALSE(fs::is_regular_file(dir.path / target)) << target;
    }
    if (!device)
        GTEST_SKIP() << "a device node needs an administrator; checked with a pipe only";
}

// Only the program's own keys are read and written back; bytes it does not understand are
// dropped and do not fail the save. Even a file made to grow when it is written (bytes that
// are not UTF-8 take four) is written so that it can be read again.
TEST(IniSettings, OnlyTheProgramsOwnKeysSurviveAndTheFileStaysReadable)
{
    TempDir dir;
    const std::string file = dir.file("TARNWICK.INI");
    test::putFile(file, "\x89\x01garbage=\xff\n[Options]\nDefaultCFG=/g/bad\\xE9.cfg\nOther=1\n[View]\nZoom=125\n"
                        "[Modern]\nEnabled=true\nCertificate_h_1=AB\n[Strange]\nk=v\n[Map]\nFollow=TRUE\nOnTop=no\nZoom=1\n");
    IniSettings ini = IniSettings::load(file);
    EXPECT_EQ(ini.problem(), "");
    EXPECT_EQ(ini.defaultCfg(), "/g/bad\xe9.cfg");
    EXPECT_EQ(ini.certificate("H", 1), "AB");
    EXPECT_TRUE(ini.mapSwitch("Follow"));
    EXPECT_FALSE(ini.mapSwitch("OnTop"));
    ini.setMapSwitch("AutoSave", true);
    ini.setMapSwitch("Zoom", true);
    ASSERT_EQ(ini.save(file), std::nullopt);
    EXPECT_EQ(test::fileText(file), "[Map]\nAutoSave=true\nFollow=TRUE\nOnTop=no\n\n[Modern]\nCertificate_h_1=AB\nEnabled=true\n\n"
                                    "[Options]\nDefaultCFG=/g/bad\\xE9.cfg\n\n[View]\nZoom=125\n");

    std::string hostile = "[Modern]\n";
    for (int i = 0; hostile.size() < IniSettings::MaxFileBytes - 6000; ++i)
        hostile += "Certificate_h_" + std::to_string(i) + "=" + std::string(1000, '\xff') + "\n";
    hostile += "[Options]\nDefaultCFG=" + std::string(4000, '\xe9') + "\n";
    test::putFile(file, hostile);
    ini = IniSettings::load(file);
    ASSERT_EQ(ini.save(file), std::nullopt);
    const IniSettings again = IniSettings::load(file);
    EXPECT_EQ(again.problem(), "");
    EXPECT_EQ(again.defaultCfg(), std::string(4000, '\xe9'));
}

TEST(IniSettings, TheLongHistorysKeysAreKept)
{
    IniSettings ini = IniSettings::fromText("[View]\nLongHistory=True\nHistoryLines=2000\nSplitLivePercent=x\n");
    EXPECT_TRUE(ini.longHistory());
    EXPECT_EQ(ini.historyLines(7), 2000);
    EXPECT_EQ(ini.splitLivePercent(33), 33);
    ini.setLongHistory(false);
    ini.setSplitLivePercent(45);
    EXPECT_EQ(ini.fileText(), "[View]\nHistoryLines=2000\nLongHistory=false\nSplitLivePercent=45\n");
}

// The speech keys: a muted text may hold what a list in an INI value could not (a comma, a
// quote); the longest list the dialog can give is cut so that the file still reads.
TEST(IniSettings, SpeechKeysKeepTheMutedTextsWholeAndReadable)
{
    IniSettings ini = IniSettings::fromText("[Access]\nSpeak=TRUE\nRate=x\n");
    EXPECT_TRUE(ini.speak());
    EXPECT_EQ(ini.speechRate(), 0);
    ini.setSpeak(false);
    ini.setSpeechRate(-7);
    ini.setMutedTexts({"tells you, \"hi\"", "", "two\nlines", "hungry"});
    IniSettings again = IniSettings::fromText(ini.fileText());
    EXPECT_FALSE(again.speak());
    EXPECT_EQ(again.speechRate(), -7);
    EXPECT_EQ(again.mutedTexts(), (std::vector<std::string>{"tells you, \"hi\"", "twolines", "hungry"}));

    const std::vector<std::string> many(500, std::string(20, 'm'));
    ini.setMutedTexts(many);
    again = IniSettings::fromText(ini.fileText());
    EXPECT_EQ(again.mutedTexts().size(), (IniSettings::MaxValueBytes + 1) / 21);
}

} // namespace
} // namespace tw