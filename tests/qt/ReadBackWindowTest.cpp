// The long history's switch and settings as the window reads them from the INI file at start,
// and a Save History that fails.
#include "core/qt/ReadBackPanes.h"
#include "core/qt/TMainForm.h"
#include "settings/qt/IniFile.h"
#include "TestMainForm.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(ReadBackWindow, StartsAsTheIniFileSays)
{
    struct Row {
        const char* longHistory;
        const char* lines;
        const char* livePercent;
        bool on;
        std::size_t limit;
        int percent;
    } rows[] = {
        {nullptr, nullptr, nullptr, false, 100000, 33},
        {"true", "2000", "50", true, 2000, 50},
        {"true", "5000000", "95", true, 1000000, 80},
        {"true", "lots", "-3", true, 100000, 10},
        {"false", "0", "", false, 1, 33},
    };
    for (const Row& r : rows) {
        QTemporaryDir dir;
        {
            QSettings ini(dir.filePath("TARNWICK.INI"), QSettings::IniFormat);
            if (r.longHistory)
                ini.setValue("View/LongHistory", r.longHistory);
            if (r.lines)
                ini.setValue("View/HistoryLines", r.lines);
            if (r.livePercent)
                ini.setValue("View/SplitLivePercent", r.livePercent);
        }
        auto form = std::make_unique<TMainForm>(nullptr, dir.filePath("TARNWICK.INI"));
        EXPECT_EQ(form->action("LongHistory1")->isChecked(), r.on) << r.lines;
        EXPECT_EQ(form->session().longHistory(), r.on) << r.lines;
        EXPECT_EQ(form->action("SaveHistory1")->isEnabled(), r.on) << r.lines;
        EXPECT_EQ(form->session().textHistory.limit(), r.limit) << r.lines;
        EXPECT_EQ(form->Panes->livePercent(), r.percent) << r.lines;
    }
}

TEST(ReadBackWindow, AFailedSaveSaysWhyAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    std::vector<std::string> boxes;
    auto form = test::testMainForm(dir, boxes);
    form->action("LongHistory1")->trigger();
    form->session().WriteTerminal("the new text\r\n");
    const QString path = dir.filePath("old.txt");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old text\n");
    }
    QFile::setPermissions(path, QFile::ReadOwner);
    form->chooseHistoryFile = [&] { return path; };
    form->action("SaveHistory1")->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Tarnwick 5|File is read-only");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "the old text\n");
    // A folder is no file to write over.
    form->chooseHistoryFile = [&] { return dir.path(); };
    form->action("SaveHistory1")->trigger();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(QDir(dir.path()).exists());
}

} // namespace
} // namespace tw
