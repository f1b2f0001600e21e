#include "script/qt/TTriggerDlg.h"
#include "script/qt/TTriggerEditDlg.h"

#include "base/FileIo.h"
#include "qt/DialogChildren.h"
#include "qt/ModalDriver.h"
#include "support/RecordingHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <gtest/gtest.h>

namespace tw {
namespace {

using test::child;

struct TriggerDlgTest : ::testing::Test {
    test::RecordingHost host;
    TriggerList triggers = {{"You are hungry", "eat bread", "100000"},
                            {"%% tells you '%%'", "tell %0 got %1", "001501"}};
    TTriggerDlg dlg{triggers, host};
    TTriggerEditDlg& edit = dlg.editDlg();

    void SetUp() override { dlg.show(); }

    QListWidget* list() { return child<QListWidget>(dlg, "TriggerList"); }
    QStringList lines() { return test::listLines(*list()); }
    void select(int row) { list()->item(row)->setSelected(true); }

    // Runs Add or Edit; fill sets the edit dialog's controls before OK or Cancel is pressed.
    void runEdit(const char* button, std::function<void()> fill, const char* closeWith = "OKBtn")
    {
        test::whenModal(edit, [&, fill, closeWith] {
            fill();
            child(edit, closeWith)->click();
        });
        child(dlg, button)->click();
    }
    void setPattern(const QString& p) { child<QLineEdit>(edit, "Keyword")->setText(p); }
    void setResponse(const QString& r) { child<QLineEdit>(edit, "TriggerCmd")->setText(r); }
};

TEST_F(TriggerDlgTest, CaptionsAndNames)
{
    EXPECT_EQ(dlg.windowTitle(), "Trigger Editor");
    test::expectCaptions(dlg, test::EditorColumn);
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(dlg.focusWidget(), list());
    EXPECT_EQ(lines(), QStringList({"(*) You are hungry --> eat bread", "( ) %% tells you '%%' --> tell %0 got %1"}));

    EXPECT_EQ(edit.windowTitle(), "Edit Trigger");
    QStringList labels;
    for (auto* l : edit.findChildren<QLabel*>())
        labels << l->text();
    EXPECT_TRUE(labels.contains("Trigger Keyword"));
    EXPECT_TRUE(labels.contains("Command on Sight"));
    EXPECT_EQ(child<QLineEdit>(edit, "Keyword")->maxLength(), 255);
    EXPECT_EQ(child<QLineEdit>(edit, "TriggerCmd")->maxLength(), 255);
    EXPECT_EQ(child<QCheckBox>(edit, "ActivatedBox")->text(), "&Activated");
    EXPECT_TRUE(child<QCheckBox>(edit, "ActivatedBox")->isChecked());
    const auto groups = edit.findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups[0]->title(), "       Foreground Color                      Background Color");
    auto* fore = child<QComboBox>(edit, "ForeColor");
    auto* back = child<QComboBox>(edit, "BackColor");
    ASSERT_EQ(fore->count(), 17);
    EXPECT_EQ(fore->itemText(0), "No highlight");
    EXPECT_EQ(fore->itemText(8), "Light Gray");
    EXPECT_EQ(fore->itemText(15), "Yellow");
    EXPECT_EQ(fore->itemText(16), "White");
    ASSERT_EQ(back->count(), 8);
    EXPECT_EQ(back->itemText(0), "Black");
    EXPECT_EQ(back->itemText(7), "Light Gray");
    EXPECT_EQ(child(edit, "OKBtn")->text(), "OK");
    EXPECT_EQ(child(edit, "CancelBtn")->text(), "Cancel");
}

TEST_F(TriggerDlgTest, AddBuildsTheSwitchStringFromTheControls)
{
    runEdit("AddBtn", [&] {
        EXPECT_EQ(edit.focusWidget(), child<QLineEdit>(edit, "Keyword"));
        setPattern("HP: %%/%%");
        setResponse("quaff");
        child<QComboBox>(edit, "ForeColor")->setCurrentIndex(15);
        child<QComboBox>(edit, "BackColor")->setCurrentIndex(1);
    });
    ASSERT_EQ(triggers.size(), 3u);
    EXPECT_EQ(triggers[2], (TriggerEntry{"HP: %%/%%", "quaff", "101501"}));
    EXPECT_EQ(lines().last(), "(*) HP: %%/%% --> quaff");

    // The next Add starts from empty texts and no highlight.
    runEdit("AddBtn", [&] {
        EXPECT_EQ(child<QLineEdit>(edit, "Keyword")->text(), "");
        EXPECT_EQ(child<QLineEdit>(edit, "TriggerCmd")->text(), "");
        EXPECT_EQ(child<QComboBox>(edit, "ForeColor")->currentIndex(), 0);
        EXPECT_EQ(child<QComboBox>(edit, "BackColor")->currentIndex(), 0);
    }, "CancelBtn");
    EXPECT_EQ(triggers.size(), 3u);
}

TEST_F(TriggerDlgTest, RefusedPatternsChangeNothingSilently)
{
    for (const char* pattern : {"", "HP: %%", "%%"}) {
        runEdit("AddBtn", [&] { setPattern(pattern); setResponse("x"); });
        EXPECT_EQ(triggers.size(), 2u) << pattern;
    }
    select(0);
    runEdit("EditBtn", [&] { setPattern("You are %%"); });
    EXPECT_EQ(triggers[0].pattern, "You are hungry");
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(lines().size(), 2);

    runEdit("AddBtn", [&] { setPattern("You see %%%%"); });
    EXPECT_EQ(triggers.size(), 3u);
}

TEST_F(TriggerDlgTest, ActivatedBoxKeepsItsStateBetweenAdds)
{
    runEdit("AddBtn", [&] {
        setPattern("a");
        child<QCheckBox>(edit, "ActivatedBox")->setChecked(false);
    });
    runEdit("AddBtn", [&] {
        EXPECT_FALSE(child<QCheckBox>(edit, "ActivatedBox")->isChecked());
        setPattern("b");
    });
    ASSERT_EQ(triggers.size(), 4u);
    EXPECT_EQ(triggers[2].switches, "000000");
    EXPECT_EQ(triggers[3].switches, "000000");
    EXPECT_EQ(lines()[3], "( ) b --> ");
}

TEST_F(TriggerDlgTest, EditShowsAndReplacesTheSelectedTrigger)
{
    select(1);
    runEdit("EditBtn", [&] {
        EXPECT_EQ(child<QLineEdit>(edit, "Keyword")->text(), "%% tells you '%%'");
        EXPECT_EQ(child<QLineEdit>(edit, "TriggerCmd")->text(), "tell %0 got %1");
        EXPECT_FALSE(child<QCheckBox>(edit, "ActivatedBox")->isChecked());
        EXPECT_EQ(child<QComboBox>(edit, "ForeColor")->currentIndex(), 15);
        EXPECT_EQ(child<QComboBox>(edit, "BackColor")->currentIndex(), 1);
        child<QCheckBox>(edit, "ActivatedBox")->setChecked(true);
        child<QComboBox>(edit, "ForeColor")->setCurrentIndex(0);
        setResponse("nod");
    });
    EXPECT_EQ(triggers[1], (TriggerEntry{"%% tells you '%%'", "nod", "100001"}));
    EXPECT_EQ(lines()[1], "(*) %% tells you '%%' --> nod");

    // Cancel changes nothing.
    runEdit("EditBtn", [&] { setPattern("zzz"); }, "CancelBtn");
    EXPECT_EQ(triggers[1].pattern, "%% tells you '%%'");
}

TEST_F(TriggerDlgTest, DeleteAsksAndWithoutSelectionDoesNothing)
{
    child(dlg, "DeleteBtn")->click();
    EXPECT_TRUE(host.boxes.empty());

    select(0);
    host.answers = {MsgAnswer::No};
    child(dlg, "DeleteBtn")->click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Spot Check");
    EXPECT_EQ(host.boxes[0].text, "Really delete selected Trigger from list?");
    EXPECT_EQ(host.boxes[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(triggers.size(), 2u);

    host.answers = {MsgAnswer::Yes};
    child(dlg, "DeleteBtn")->click();
    ASSERT_EQ(triggers.size(), 1u);
    EXPECT_EQ(triggers[0].pattern, "%% tells you '%%'");
    EXPECT_EQ(lines(), QStringList{"( ) %% tells you '%%' --> tell %0 got %1"});
}

TEST_F(TriggerDlgTest, ExportAndImportThroughTheFileChooser)
{
    std::vector<FileChoice> asked;
    QString answer = QString::fromStdString(testing::TempDir() + "dlg.trg");
    dlg.setFileChooser([&](const FileChoice& c) { asked.push_back(c); return answer; });

    child(dlg, "ExportBtn")->click();
    child(dlg, "ImportBtn")->click();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].kind, FileChoice::Save);
    EXPECT_EQ(asked[0].title, "Export Trigger List");
    EXPECT_EQ(asked[0].defaultSuffix, "trg");
    EXPECT_EQ(asked[0].filter, "Trigger List (*.trg)|*.trg|Text File (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(asked[1].kind, FileChoice::Open);
    EXPECT_EQ(asked[1].title, "Import Trigger List");
    EXPECT_EQ(asked[1].filter, "Trigger File (*.trg)|*.trg|Text File (*.txt)|*.txt|All Files (*.*)|*.*");
    ASSERT_EQ(triggers.size(), 4u);
    EXPECT_EQ(triggers[3], triggers[1]);
    EXPECT_EQ(lines().size(), 4);

    // Cancelled choices do nothing; a missing file is reported with the I/O error text.
    answer.clear();
    child(dlg, "ImportBtn")->click();
    answer = QString::fromStdString(testing::TempDir() + "missing.trg");
    child(dlg, "ImportBtn")->click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Tarnwick 5");
    EXPECT_EQ(host.boxes[0].text, "File not found");
    EXPECT_EQ(triggers.size(), 4u);
}

TEST_F(TriggerDlgTest, HelpAndReopening)
{
    child(dlg, "HelpBtn")->click();
    child(edit, "HelpBtn")->click();
    EXPECT_EQ(host.helpLines, (std::vector<std::string>{"EXPLORER.EXE docs\\menu_options_triggers.html",
                                                         "EXPLORER.EXE docs\\trigger_entry.html"}));

    // A list replaced while the dialog is hidden shows on the next opening.
    child(dlg, "OKBtn")->click();
    EXPECT_FALSE(dlg.isVisible());
    triggers = {{"x", "y", "1"}};
    dlg.show();
    EXPECT_EQ(lines(), QStringList{"(*) x --> y"});
}

} // namespace
} // namespace tw

namespace tw {
namespace {

TEST(ListFileDialog, FiltersKeepTheirDescriptions)
{
    EXPECT_EQ(ListFileDialog::nameFilters("Trigger List (*.trg)|*.trg|Text File (*.txt)|*.txt|All Files (*.*)|*.*"),
              QStringList({"Trigger List (*.trg)", "Text File (*.txt)", "All Files (*.*)"}));
    EXPECT_EQ(ListFileDialog::nameFilters("Maps|*.map"), QStringList{"Maps (*.map)"});
    EXPECT_EQ(ListFileDialog::nameFilters("dangling"), QStringList{});
}

// The dialogs start with their initial names ("*.trg"), and "All Files (*.*)" lists files
// without a dot in their names as well.
TEST(ListFileDialog, StartsWithTheInitialNameAndAllFilesMeansAll)
{
    const std::unique_ptr<QFileDialog> dlg = ListFileDialog::make(
        nullptr, {FileChoice::Open, "Import Trigger List", "trg",
                  "Trigger File (*.trg)|*.trg|Text File (*.txt)|*.txt|All Files (*.*)|*.*"});
    auto* name = dlg->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "*.trg");
    auto* model = dlg->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->nameFilters(), QStringList{"*.trg"});
    dlg->selectNameFilter("All Files (*.*)");
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg->selectedNameFilter(), "All Files (*.*)");
    EXPECT_EQ(model->nameFilters(), QStringList{"*"});

    const std::unique_ptr<QFileDialog> options = ListFileDialog::make(
        nullptr, {FileChoice::Save, "Save Options", "CFG", "Options File (*.cfg)|*.cfg|All files (*.*)|*.*",
                  "*.CFG", false});
    EXPECT_EQ(options->findChild<QLineEdit*>("fileNameEdit")->text(), "*.CFG");
    EXPECT_TRUE(options->testOption(QFileDialog::DontConfirmOverwrite));
}

} // namespace
} // namespace tw
