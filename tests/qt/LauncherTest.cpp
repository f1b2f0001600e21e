#include "tools/qt/Launcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <set>

namespace tw {
namespace {

// Makes the source folder, which holds docs/, the current folder for a while.
class InSourceFolder {
public:
    InSourceFolder() : old_(QDir::currentPath()) { QDir::setCurrent(QStringLiteral(TARNWICK_SOURCE_DIR)); }
    ~InSourceFolder() { QDir::setCurrent(old_); }

private:
    QString old_;
};

// Runs with TARNWICK_NO_HELP cleared, and sets it again afterwards.
class HelpEnabled : InSourceFolder {
public:
    HelpEnabled() { qunsetenv("TARNWICK_NO_HELP"); }
    ~HelpEnabled() { qputenv("TARNWICK_NO_HELP", "1"); }
};

struct LauncherTest : ::testing::Test {
    LauncherTest()
    {
        // Nothing in these tests may reach a real browser or editor.
        launcher.setOpenUrl([this](const QUrl& url, std::function<void()>) { opened << url; return true; });
        launcher.setStartDetached([this](const QString& program, const QStringList& args) {
            started << (QStringList{program} + args);
            return true;
        });
    }
    Launcher launcher;
    QList<QUrl> opened;
    QList<QStringList> started;
};

TEST_F(LauncherTest, TheSwitchKeepsOnlyTheStartPageClosed)
{
    ASSERT_TRUE(qEnvironmentVariableIsSet("TARNWICK_NO_HELP"));
    InSourceFolder here; // the pages are there to be found
    ASSERT_FALSE(launcher.helpPage("EXPLORER.EXE DOCS\\INTRO.HTML").isEmpty());
    EXPECT_FALSE(launcher.runStartupHelp());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(launcher.runHelp("EXPLORER.EXE DOCS\\CONTENTS.HTML"));
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(LauncherTest, HelpOpensTheResolvedPageAndIsSilentWhenItIsMissing)
{
    HelpEnabled enabled;
    EXPECT_TRUE(launcher.runHelp("EXPLORER.EXE docs\\menu_options_gen.html"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_EQ(QFileInfo(opened[0].toLocalFile()).canonicalFilePath(),
              QFileInfo(QStringLiteral(TARNWICK_SOURCE_DIR "/docs/menu_options_gen.html")).canonicalFilePath());

    EXPECT_FALSE(launcher.runHelp("EXPLORER.EXE docs\\no_such_page.html"));
    EXPECT_EQ(opened.size(), 1);
    // The message names the page: where it was found, or where it was looked for first.
    EXPECT_EQ(launcher.helpPageForMessage("EXPLORER.EXE docs\\no_such_page.html"),
              QCoreApplication::applicationDirPath() + "/docs/no_such_page.html");
    EXPECT_EQ(QFileInfo(launcher.helpPageForMessage("EXPLORER.EXE docs\\menu_options_gen.html")).canonicalFilePath(),
              QFileInfo(opened[0].toLocalFile()).canonicalFilePath());
}

// The desktop's opener: a viewer that ends with an error is reported once it has ended. A
// stand-in xdg-open on the PATH ends as the test tells it.
TEST(LauncherDesktop, AViewerThatGivesUpIsReported)
{
    QTemporaryDir bin;
    QFile script(bin.filePath("xdg-open"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexit \"${TW_TEST_VIEWER_EXIT:-0}\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ":" + path);
    InSourceFolder here;

    std::vector<std::string> failed;
    Launcher launcher;
    launcher.setOpenUrl(Launcher::desktopOpener());
    launcher.onViewerFailed = [&](const std::string& line) { failed.push_back(line); };
    const std::string page = "EXPLORER.EXE docs\\intro.html";
    for (const char* exit : {"0", "3"}) {
        qputenv("TW_TEST_VIEWER_EXIT", exit);
        EXPECT_TRUE(launcher.runHelp(page));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !failed.empty(); }, 5000));
    EXPECT_EQ(failed, std::vector<std::string>{page});
    qputenv("PATH", path);
    qunsetenv("TW_TEST_VIEWER_EXIT");
}

TEST_F(LauncherTest, EditorIsStartedWithAnArgumentListAndNeverThroughAShell)
{
    const std::set<std::string> installed = {"xdg-open", "gedit"};
    launcher.setIsOnPath([&](const std::string& p) { return installed.count(p) > 0; });

    const std::string spaced = "my log; rm -rf ~ $(true).log";
    EXPECT_TRUE(launcher.runEditor("notepad.exe", spaced));
    EXPECT_TRUE(launcher.runEditor("gedit", ""));
    EXPECT_FALSE(launcher.runEditor("", "notes.not"));
    ASSERT_EQ(started.size(), 2);
    EXPECT_EQ(started[0], (QStringList{"xdg-open", QString::fromStdString(spaced)}));
    EXPECT_EQ(started[1], QStringList{"gedit"});
}

// Without any editor, the desktop's opener shows an empty file, a new one at every use (see
// ScratchFiles for which of them stay).
TEST(LauncherScratch, EveryUseGetsANewEmptyFile)
{
    QTemporaryDir data;
    QList<QStringList> started;
    Launcher launcher;
    launcher.setScratchFolder(data.filePath("scratch"));
    launcher.setStartDetached([&](const QString& program, const QStringList& args) {
        started << (QStringList{program} + args);
        return true;
    });
    launcher.setIsOnPath([](const std::string& p) { return p == "xdg-open"; });
    EXPECT_TRUE(launcher.runEditor("notepad.exe", ""));
    EXPECT_TRUE(launcher.runEditor("notepad.exe", ""));
    ASSERT_EQ(started.size(), 2);
    EXPECT_NE(started[0], started[1]);
    EXPECT_TRUE(QFileInfo(started[1].value(1)).isFile());
    EXPECT_TRUE(Launcher::defaultScratchFolder().endsWith("/tarnwick/scratch"));
}

} // namespace
} // namespace tw
