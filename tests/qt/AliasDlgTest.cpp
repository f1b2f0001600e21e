#include "script/qt/TAliasDlg.h"
#include "script/qt/TAliasEditDlg.h"

#include "base/ListFileText.h"
#include "qt/DialogChildren.h"
#include "qt/ModalDriver.h"
#include "support/RecordingHost.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tw {
namespace {

using test::child;

struct AliasDlgTest : ::testing::Test {
    test::RecordingHost host;
    AliasList aliases = {{"k", "kill"}, {"gg", "get all"}};
    TAliasDlg dlg{aliases, host};
    TAliasEditDlg& edit = dlg.editDlg();

    void SetUp() override { dlg.show(); }

    QListWidget* list() { return child<QListWidget>(dlg, "AliasList"); }
    QStringList lines() { return test::listLines(*list()); }
    void runEdit(const char* button, QString word, QString expansion, const char* closeWith = "OKBtn")
    {
        test::whenModal(edit, [=, this] {
            child<QLineEdit>(edit, "Keyword")->setText(word);
            child<QLineEdit>(edit, "AliasCmd")->setText(expansion);
            child(edit, closeWith)->click();
        });
        child(dlg, button)->click();
    }
};

TEST_F(AliasDlgTest, CaptionsAndNames)
{
    EXPECT_EQ(dlg.windowTitle(), "Alias Editor");
    test::expectCaptions(dlg, test::EditorColumn);
    EXPECT_EQ(dlg.focusWidget(), list());
    EXPECT_EQ(lines(), QStringList({"k --> kill", "gg --> get all"}));

    EXPECT_EQ(edit.windowTitle(), "Edit Alias");
    QStringList labels;
    for (auto* l : edit.findChildren<QLabel*>())
        labels << l->text();
    EXPECT_EQ(labels, QStringList({"Alias Keyword", "Replace With Command"}));
    EXPECT_EQ(child<QLineEdit>(edit, "Keyword")->maxLength(), 255);
    EXPECT_EQ(child<QLineEdit>(edit, "AliasCmd")->maxLength(), 255);

    child(dlg, "HelpBtn")->click();
    child(edit, "HelpBtn")->click();
    EXPECT_EQ(host.helpLines, (std::vector<std::string>{"EXPLORER.EXE docs\\menu_options_aliases.html",
                                                         "EXPLORER.EXE docs\\alias_entry.html"}));
}

TEST_F(AliasDlgTest, AddNeedsBothBoxesAndKeepsDuplicates)
{
    runEdit("AddBtn", "", "kill");
    runEdit("AddBtn", "k", "");
    runEdit("AddBtn", "k", "kick", "CancelBtn");
    EXPECT_EQ(aliases.size(), 2u);

    runEdit("AddBtn", "k", "kick");
    ASSERT_EQ(aliases.size(), 3u);
    EXPECT_EQ(aliases[2], (AliasEntry{"k", "kick"}));
    EXPECT_EQ(lines().last(), "k --> kick");
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(AliasDlgTest, EditAndDelete)
{
    child(dlg, "EditBtn")->click(); // nothing selected: nothing happens
    list()->item(1)->setSelected(true);
    test::whenModal(edit, [&] {
        EXPECT_EQ(child<QLineEdit>(edit, "Keyword")->text(), "gg");
        EXPECT_EQ(child<QLineEdit>(edit, "AliasCmd")->text(), "get all");
        child<QLineEdit>(edit, "AliasCmd")->setText("get all;look");
        child(edit, "OKBtn")->click();
    });
    child(dlg, "EditBtn")->click();
    EXPECT_EQ(aliases[1], (AliasEntry{"gg", "get all;look"}));
    EXPECT_EQ(lines()[1], "gg --> get all;look");

    host.answers = {MsgAnswer::No, MsgAnswer::Yes};
    child(dlg, "DeleteBtn")->click();
    EXPECT_EQ(aliases.size(), 2u);
    child(dlg, "DeleteBtn")->click();
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0].caption, "Spot Check");
    EXPECT_EQ(host.boxes[0].text, "Really delete selected alias from list?");
    EXPECT_EQ(aliases, (AliasList{{"k", "kill"}}));
    EXPECT_EQ(lines(), QStringList{"k --> kill"});
}

TEST_F(AliasDlgTest, ASelectedLineWithoutItsEntryIsIgnored)
{
    // The list shrank behind the dialog's back; the line still shown has no entry any more.
    list()->item(1)->setSelected(true);
    aliases.pop_back();
    child(dlg, "EditBtn")->click();
    child(dlg, "DeleteBtn")->click();
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(aliases, (AliasList{{"k", "kill"}}));

    // The next opening shows the list as it is and keeps the selection where it still fits.
    list()->item(0)->setSelected(true);
    dlg.hide();
    dlg.show();
    EXPECT_EQ(lines(), QStringList{"k --> kill"});
    EXPECT_TRUE(list()->item(0)->isSelected());
}

TEST_F(AliasDlgTest, ExportThenImportAppends)
{
    std::vector<FileChoice> asked;
    dlg.setFileChooser([&](const FileChoice& c) {
        asked.push_back(c);
        return QString::fromStdString(testing::TempDir() + "dlg.als");
    });
    child(dlg, "ExportBtn")->click();
    child(dlg, "ImportBtn")->click();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, "Export Alias List");
    EXPECT_EQ(asked[0].filter, "Alias List (*.als)|*.als|Text File (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(asked[1].title, "Import Alias List");
    EXPECT_EQ(asked[1].filter, "Alias File (*.als)|*.als|Text File (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(asked[1].defaultSuffix, "als");
    EXPECT_EQ(aliases.size(), 4u);
    EXPECT_EQ(lines(), QStringList({"k --> kill", "gg --> get all", "k --> kill", "gg --> get all"}));
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// A full list says so instead of opening the edit dialog for an entry it could not save.
TEST_F(AliasDlgTest, AddToAFullListSaysSo)
{
    aliases.resize(MaxListEntries);
    child(dlg, "AddBtn")->click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, ListFullText);
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(aliases.size(), MaxListEntries);
}

} // namespace
} // namespace tw
