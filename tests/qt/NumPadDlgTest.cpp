#include "script/qt/TNumPadDlg.h"

#include "support/RecordingHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct NumPadDlgTest : ::testing::Test {
    test::RecordingHost host;
    KeypadTable keys = defaultKeypadTable();
    bool enabled = true;
    TNumPadDlg dlg{keys, enabled, host};

    QComboBox* box(const QString& name)
    {
        auto* b = dlg.findChild<QComboBox*>(name);
        EXPECT_NE(b, nullptr) << name.toStdString();
        return b;
    }
    QCheckBox* enablePad() { return dlg.findChild<QCheckBox*>("EnablePad"); }
    void click(const char* name) { dlg.findChild<QPushButton*>(name)->click(); }
};

TEST_F(NumPadDlgTest, OpensFilledLikeTheKeypadWithFocusOnOk)
{
    keys[5] = "look around";
    enabled = false;
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Numeric Keypad Configuration");
    EXPECT_EQ(dlg.focusWidget(), dlg.findChild<QPushButton*>("OKBtn"));
    EXPECT_EQ(box("ComboBox5")->currentText(), "look around");
    EXPECT_EQ(box("ComboBox0")->currentText(), "l");
    EXPECT_EQ(box("ComboBox")->currentText(), "hide");
    EXPECT_EQ(enablePad()->text(), "Enable");
    EXPECT_FALSE(enablePad()->isChecked());

    auto* nine = box("ComboBox9");
    EXPECT_TRUE(nine->isEditable());
    ASSERT_EQ(nine->count(), 22);
    EXPECT_EQ(nine->itemText(0), "northwest");
    EXPECT_EQ(nine->itemText(21), "l");

    // Rows 7 8 9 / 4 5 6 / 1 2 3 / 0 . Enable, left to right.
    const QStringList rows[] = {{"ComboBox7", "ComboBox8", "ComboBox9"}, {"ComboBox4", "ComboBox5", "ComboBox6"},
                                {"ComboBox1", "ComboBox2", "ComboBox3"}, {"ComboBox0", "ComboBox"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            const QRect g = box(rows[r][c])->geometry();
            if (c > 0)
                EXPECT_GT(g.x(), box(rows[r][c - 1])->geometry().x()) << rows[r][c].toStdString();
            if (r > 0)
                EXPECT_GT(g.y(), box(rows[r - 1][c])->geometry().y()) << rows[r][c].toStdString();
        }
    EXPECT_GT(enablePad()->geometry().x(), box("ComboBox")->geometry().x());
}

TEST_F(NumPadDlgTest, OkStoresAllElevenAndCancelNothing)
{
    dlg.show();
    box("ComboBox8")->setEditText("north");
    box("ComboBox")->setEditText("search");
    enablePad()->setChecked(false);
    click("CancelBtn");
    EXPECT_EQ(keys, defaultKeypadTable());
    EXPECT_TRUE(enabled);

    dlg.show();
    EXPECT_EQ(box("ComboBox8")->currentText(), "n");
    box("ComboBox8")->setEditText("north");
    box("ComboBox")->setCurrentIndex(3);
    enablePad()->setChecked(false);
    click("OKBtn");
    KeypadTable expected = defaultKeypadTable();
    expected[8] = "north";
    expected[10] = "n";
    EXPECT_EQ(keys, expected);
    EXPECT_FALSE(enabled);

    click("HelpBtn");
    EXPECT_EQ(host.helpLines, std::vector<std::string>{"EXPLORER.EXE docs\\menu_options_keypad.html"});
}

} // namespace
} // namespace tw
