#include "script/qt/THotkeyDlg.h"

#include "script/HotkeyFile.h"
#include "support/RecordingHost.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct HotkeyDlgTest : ::testing::Test {
    test::RecordingHost host;
    HotkeyTable hotkeys;
    THotkeyDlg dlg{hotkeys, host};

    void SetUp() override
    {
        hotkeys[0] = {"kill orc", true, false};
        hotkeys[12] = {"flee", false, true};
        dlg.show();
    }

    template <typename W = QPushButton>
    W* child(const QString& name)
    {
        W* c = dlg.findChild<W*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    QLineEdit* edit(int row) { return child<QLineEdit>(QString("Edit%1").arg(row)); }
    QCheckBox* enterBox(int row) { return child<QCheckBox>(QString("CheckBox%1").arg(3 * row - 1)); }
    QCheckBox* addBox(int row) { return child<QCheckBox>(QString("CheckBox%1").arg(3 * row)); }
    void click(const char* name) { child(name)->click(); }
    void useFile(const std::string& path)
    {
        dlg.setFileChooser([path](const FileChoice&) { return QString::fromStdString(path); });
    }
};

TEST_F(HotkeyDlgTest, RowsCaptionsAndViews)
{
    EXPECT_EQ(dlg.windowTitle(), "Define Hotkeys: Regular");
    EXPECT_EQ(dlg.focusWidget(), edit(1));
    for (int row = 1; row <= 12; ++row) {
        EXPECT_EQ(child<QLabel>(QString("Panel%1").arg(row))->text(), QString("F%1").arg(row));
        EXPECT_EQ(edit(row)->maxLength(), 255);
        EXPECT_EQ(enterBox(row)->text(), "Enter");
        EXPECT_EQ(addBox(row)->text(), "Add");
    }
    EXPECT_EQ(enterBox(12)->objectName(), "CheckBox35");
    EXPECT_EQ(addBox(12)->objectName(), "CheckBox36");
    EXPECT_EQ(edit(1)->text(), "kill orc");
    EXPECT_TRUE(enterBox(1)->isChecked());
    EXPECT_FALSE(addBox(1)->isChecked());

    const std::pair<const char*, const char*> buttons[] = {
        {"RegularBtn", "Regular"}, {"ShiftBtn", "Shift +"}, {"OKBtn", "OK"}, {"CancelBtn", "Cancel"},
        {"ExportBtn", "E&xport"}, {"ImportBtn", "&Import"}, {"HelpBtn", "&Help"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(child(name)->text(), caption) << name;

    click("ShiftBtn");
    EXPECT_EQ(dlg.windowTitle(), "Define Hotkeys: Shift");
    EXPECT_EQ(child<QLabel>("Panel1")->text(), "SF1");
    EXPECT_EQ(child<QLabel>("Panel12")->text(), "SF12");
    EXPECT_EQ(edit(1)->text(), "flee");
    EXPECT_FALSE(enterBox(1)->isChecked());
    EXPECT_TRUE(addBox(1)->isChecked());

    click("HelpBtn");
    EXPECT_EQ(host.helpLines, std::vector<std::string>{"EXPLORER.EXE docs\\menu_options_hotkeys.html"});
}

TEST_F(HotkeyDlgTest, EditSurvivesSwitchingViewsAndCancelDropsIt)
{
    edit(1)->setText("bash door");
    addBox(1)->setChecked(true);
    click("ShiftBtn");
    edit(2)->setText("sneak");
    click("RegularBtn");
    EXPECT_EQ(edit(1)->text(), "bash door");
    EXPECT_TRUE(addBox(1)->isChecked());
    EXPECT_EQ(dlg.workTable()[13].text, "sneak");

    click("CancelBtn");
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(hotkeys[0].text, "kill orc");
    EXPECT_EQ(hotkeys[13].text, "");

    // Opening again starts from the table in effect, in the Regular view.
    click("ShiftBtn");
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Define Hotkeys: Regular");
    EXPECT_EQ(edit(1)->text(), "kill orc");
}

TEST_F(HotkeyDlgTest, OkStoresTheShownHalfAndTheRest)
{
    edit(3)->setText("look");
    click("ShiftBtn");
    edit(12)->setText("quit");
    enterBox(12)->setChecked(false);
    click("OKBtn");
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(hotkeys[2], (HotkeyEntry{"look", true, false}));
    EXPECT_EQ(hotkeys[23], (HotkeyEntry{"quit", false, false}));
    EXPECT_EQ(hotkeys[12].text, "flee");
}

TEST_F(HotkeyDlgTest, ExportWritesTheTableInEffectAndImportRestoresItAfterCancel)
{
    const std::string path = testing::TempDir() + "dlg.hky";
    std::vector<FileChoice> asked;
    dlg.setFileChooser([&](const FileChoice& c) { asked.push_back(c); return QString::fromStdString(path); });

    edit(1)->setText("unsaved");
    click("ExportBtn");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, "Export Hotkey List");
    EXPECT_EQ(asked[0].defaultSuffix, "hky");
    EXPECT_EQ(asked[0].filter, "Hotkey File (*.hky)|*.hky|Text File (*.txt)|*.txt|All Files (*.*)|*.*");
    const HotkeyTable exported = hotkeys;

    hotkeys = HotkeyTable{};
    click("ShiftBtn");
    click("ImportBtn");
    EXPECT_EQ(asked[1].title, "Import Hotkey List");
    EXPECT_EQ(asked[1].kind, FileChoice::Open);
    EXPECT_EQ(hotkeys, exported);
    EXPECT_EQ(dlg.workTable(), exported);
    EXPECT_EQ(dlg.windowTitle(), "Define Hotkeys: Regular");
    EXPECT_EQ(edit(1)->text(), "kill orc");

    click("CancelBtn");
    EXPECT_EQ(hotkeys, exported);
}

TEST_F(HotkeyDlgTest, ShortFileClearsTheRestAndErrorsAreReported)
{
    const std::string path = testing::TempDir() + "two.hky";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("F1\r\nn\r\n11\r\n\r\nF2\r\ns\r\n00\r\n\r\n", f);
    std::fclose(f);
    useFile(path);
    click("ImportBtn");
    EXPECT_EQ(hotkeys[0], (HotkeyEntry{"n", true, true}));
    EXPECT_EQ(hotkeys[1], (HotkeyEntry{"s", false, false}));
    for (std::size_t i = 2; i < hotkeys.size(); ++i)
        EXPECT_EQ(hotkeys[i], (HotkeyEntry{"", false, false})) << i;
    EXPECT_FALSE(enterBox(3)->isChecked());

    useFile(testing::TempDir() + "missing.hky");
    click("ImportBtn");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "File not found");
    EXPECT_EQ(hotkeys[0].text, "n");
}

} // namespace
} // namespace tw
