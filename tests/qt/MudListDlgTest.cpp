#include "settings/qt/TEditMudDlg.h"
#include "settings/qt/TMUDListForm.h"

#include "qt/DialogChildren.h"
#include "qt/ModalDriver.h"
#include "support/RecordingHost.h"
#include "support/Sanitizer.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

using test::child;

struct MudListDlgTest : ::testing::Test {
    test::RecordingHost host;
    MudList muds = {{"Practice", "127.0.0.1", "4000"}};
    TMUDListForm form{muds, host};
    TEditMudDlg& edit = form.editDlg();

    QListWidget* list() { return child<QListWidget>(form, "MudListBox"); }
    void fill(const QString& name, const QString& address, const QString& port)
    {
        child<QLineEdit>(edit, "MudName")->setText(name);
        child<QLineEdit>(edit, "MudAddress")->setText(address);
        child<QLineEdit>(edit, "Port")->setText(port);
    }
    void runEdit(const char* button, QString name, QString address, QString port)
    {
        test::whenModal(edit, [=, this] {
            fill(name, address, port);
            child(edit, "OKBtn")->click();
        });
        child(form, button)->click();
    }
    // Runs the window modally; action picks a line and closes it.
    std::optional<MudEntry> choose(std::function<void()> action)
    {
        test::whenModal(form, action);
        return form.chooseMud();
    }
};

TEST_F(MudListDlgTest, CaptionsAndNames)
{
    EXPECT_EQ(form.windowTitle(), "MUD List");
    const test::ButtonCaption buttons[] = {
        {"AddBtn", "&Add"}, {"EditBtn", "&Edit"}, {"DeleteBtn", "&Delete"}, {"ExportBtn", "E&xport"},
        {"ImportBtn", "&Import"}, {"ConnectBtn", "&Connect"}, {"CancelBtn", "Ca&ncel"}, {"HelpBtn", "&Help"}};
    test::expectCaptions(form, buttons);
    EXPECT_TRUE(child(form, "ConnectBtn")->isDefault());

    EXPECT_EQ(edit.windowTitle(), "Edit MUD Entry");
    QStringList frames;
    for (auto* g : edit.findChildren<QGroupBox*>())
        frames << g->title();
    EXPECT_EQ(frames, QStringList({"MUD Name", "MUD Address", "Port"}));
    EXPECT_EQ(child<QLineEdit>(edit, "MudName")->maxLength(), 255);
    EXPECT_EQ(child<QLineEdit>(edit, "MudAddress")->maxLength(), 255);
    EXPECT_EQ(child<QLineEdit>(edit, "Port")->maxLength(), 4);

    child(form, "HelpBtn")->click();
    child(edit, "HelpBtn")->click();
    EXPECT_EQ(host.helpLines, (std::vector<std::string>{"EXPLORER.EXE docs\\menu_mud_connect.html",
                                                         "EXPLORER.EXE docs\\list_entry.html"}));
}

TEST_F(MudListDlgTest, AddEditAndAnEmptyBox)
{
    form.show();
    runEdit("AddBtn", "Riverside", "10.0.0.5", "6789");
    ASSERT_EQ(muds.size(), 2u);
    EXPECT_EQ(muds[1], (MudEntry{"Riverside", "10.0.0.5", "6789"}));
    EXPECT_EQ(list()->item(1)->text(), "Riverside --> 10.0.0.5:6789");

    // An empty box: the message, the dialog closes with OK anyway, and nothing is stored.
    runEdit("AddBtn", "Nowhere", "", "23");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Hold on just a sec!");
    EXPECT_EQ(host.boxes[0].text, "All blanks in the form must be filled!");
    EXPECT_EQ(host.boxes[0].buttons, MsgButtons::Ok);
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(edit.result(), QDialog::Accepted);
    EXPECT_EQ(muds.size(), 2u);

    list()->item(0)->setSelected(true);
    test::whenModal(edit, [&] {
        EXPECT_EQ(child<QLineEdit>(edit, "MudName")->text(), "Practice");
        EXPECT_EQ(child<QLineEdit>(edit, "Port")->text(), "4000");
        child<QLineEdit>(edit, "Port")->setText("4001");
        child(edit, "OKBtn")->click();
    });
    child(form, "EditBtn")->click();
    EXPECT_EQ(muds[0], (MudEntry{"Practice", "127.0.0.1", "4001"}));
    EXPECT_EQ(list()->item(0)->text(), "Practice --> 127.0.0.1:4001");

    runEdit("EditBtn", "", "x", "1");
    EXPECT_EQ(muds[0].name, "Practice");
    EXPECT_EQ(host.boxes.size(), 2u);
}

TEST_F(MudListDlgTest, DeleteAsksSpotCheck)
{
    form.show();
    muds.push_back({"Second", "h", "1"});
    form.refreshList();
    list()->item(1)->setSelected(true);
    host.answers = {MsgAnswer::No, MsgAnswer::Yes};
    child(form, "DeleteBtn")->click();
    EXPECT_EQ(muds.size(), 2u);
    child(form, "DeleteBtn")->click();
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[1].caption, "Spot Check");
    EXPECT_EQ(host.boxes[1].text, "Really delete selected MUD from list?");
    EXPECT_EQ(muds, (MudList{{"Practice", "127.0.0.1", "4000"}}));
    EXPECT_EQ(list()->count(), 1);
}

TEST_F(MudListDlgTest, ConnectHandsOverOnlyASelectedEntry)
{
    muds.push_back({"Riverside", "10.0.0.5", "6789"});
    // Opened with nothing selected, the window offers the game last used, else the first.
    EXPECT_EQ(choose([&] { child(form, "ConnectBtn")->click(); }), (MudEntry{"Practice", "127.0.0.1", "4000"}));
    list()->clearSelection();
    test::whenModal(form, [&] { child(form, "ConnectBtn")->click(); });
    EXPECT_EQ(form.chooseMud("Riverside --> 10.0.0.5:6789"), (MudEntry{"Riverside", "10.0.0.5", "6789"}));

    // Connect with no line selected says so and leaves the window open.
    EXPECT_EQ(choose([&] {
                  list()->clearSelection();
                  child(form, "ConnectBtn")->click();
                  EXPECT_TRUE(form.isVisible());
                  ASSERT_EQ(host.boxes.size(), 1u);
                  EXPECT_EQ(host.boxes[0].text, "Pick a game in the list first.");
                  child(form, "CancelBtn")->click();
              }),
              std::nullopt);

    EXPECT_EQ(choose([&] {
                  list()->item(1)->setSelected(true);
                  child(form, "ConnectBtn")->click();
              }),
              (MudEntry{"Riverside", "10.0.0.5", "6789"}));

    // The selection stays; Cancel hands over nothing.
    EXPECT_EQ(choose([&] {
                  EXPECT_TRUE(list()->item(1)->isSelected());
                  child(form, "CancelBtn")->click();
              }),
              std::nullopt);

    // A double-click closes the window as Connect does.
    EXPECT_EQ(choose([&] {
                  QListWidgetItem* item = list()->item(0);
                  const QPoint at = list()->visualItemRect(item).center();
                  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
                  QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
              }),
              (MudEntry{"Practice", "127.0.0.1", "4000"}));
}

TEST_F(MudListDlgTest, ExportAndImport)
{
    form.show();
    std::vector<FileChoice> asked;
    QString path = QString::fromStdString(testing::TempDir() + "dlg.lst");
    form.setFileChooser([&](const FileChoice& c) { asked.push_back(c); return path; });
    child(form, "ExportBtn")->click();
    child(form, "ImportBtn")->click();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, "Export MUD List");
    EXPECT_EQ(asked[0].kind, FileChoice::Save);
    EXPECT_EQ(asked[1].title, "Import MUD List");
    EXPECT_EQ(asked[1].kind, FileChoice::Open);
    for (const auto& c : asked) {
        EXPECT_EQ(c.defaultSuffix, "lst");
        EXPECT_EQ(c.filter, "MUD List (*.lst)|*.lst|Text File (*.txt)|*.txt|All Files (*.*)|*.*");
    }
    EXPECT_EQ(muds.size(), 2u);
    EXPECT_EQ(list()->count(), 2);

    path = QString::fromStdString(testing::TempDir() + "no-folder/x.lst");
    child(form, "ExportBtn")->click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Tarnwick 5");
    EXPECT_EQ(host.boxes[0].text, "File not found");
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// The port box takes four typed characters, but an imported port survives Edit and OK whole;
// a new entry is back to four.
TEST_F(MudListDlgTest, EditKeepsAnImportedLongPort)
{
    muds[0].port = "23456";
    form.show();
    form.refreshList();
    list()->item(0)->setSelected(true);
    test::whenModal(edit, [&] { child(edit, "OKBtn")->click(); });
    child(form, "EditBtn")->click();
    EXPECT_EQ(muds[0].port, "23456");
    test::whenModal(edit, [&] {
        auto* port = child<QLineEdit>(edit, "Port");
        EXPECT_EQ(port->text(), "");
        QTest::keyClicks(port, "123456");
        EXPECT_EQ(port->text(), "1234");
        edit.reject();
    });
    child(form, "AddBtn")->click();
}

// A list as long as an options file can hold opens at once, with the game offered selected.
TEST_F(MudListDlgTest, TheLongestListOpensAtOnce)
{
    muds.clear();
    for (int i = 0; i < 65535; ++i)
        muds.push_back({"Game " + std::to_string(i), "host" + std::to_string(i), "4000"});
    QElapsedTimer clock;
    qint64 shownAfter = -1;
    test::whenModal(form, [&] {
        shownAfter = clock.elapsed();
        child(form, "ConnectBtn")->click();
    });
    clock.start();
    EXPECT_EQ(form.chooseMud(muds[60000].line()), muds[60000]);
    EXPECT_LT(shownAfter, 500 * test::SanitizerSlowdown);
    EXPECT_EQ(list()->item(65534)->text(), "Game 65534 --> host65534:4000");
}

} // namespace
} // namespace tw
