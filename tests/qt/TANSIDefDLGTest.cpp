// "ANSI Color Definitions".
#include "net/qt/TANSIDefDLG.h"
#include "net/qt/ColourPanel.h"
#include "support/RecordingHost.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct DialogFixture : ::testing::Test {
    Palette palette;
    test::RecordingHost host;
    std::optional<QColor> answer;
    int asked = 0;
    TANSIDefDLG dialog{palette, host};

    void SetUp() override
    {
        dialog.chooseColour = [this](const QColor&) {
            ++asked;
            return answer;
        };
    }
    ColourPanel* panel(int n) { return dialog.findChild<ColourPanel*>(QStringLiteral("Panel%1").arg(n)); }
};

TEST_F(DialogFixture, PanelsAreCaptionedAndColouredInColourNumberOrder)
{
    EXPECT_EQ(dialog.windowTitle(), "ANSI Color Definitions");
    const char* names[] = {"Black", "Blue", "Green", "Cyan", "Red", "Magenta", "Brown",
                           "Light Gray", "Dark Gray", "Light Blue", "Light Green", "Light Cyan",
                           "Light Red", "Light Magenta", "Yellow", "White"};
    for (int n = 1; n <= 16; ++n) {
        ColourPanel* p = panel(n);
        ASSERT_NE(p, nullptr) << n;
        EXPECT_EQ(p->text(), names[n - 1]);
        EXPECT_EQ(TANSIDefDLG::toColorRef(p->colour()), Palette::defaults()[std::size_t(n - 1)]);
    }
    EXPECT_EQ(panel(4)->colour(), QColor(168, 227, 255));
    EXPECT_EQ(panel(8)->colour(), panel(9)->colour());
    // Captions readable on their colour: dark on yellow, light green and light cyan, light on
    // blue, red and the greys.
    for (int n : {4, 11, 12, 15, 16})
        EXPECT_EQ(panel(n)->palette().color(QPalette::WindowText), QColor(Qt::black)) << n;
    for (int n : {1, 2, 5, 8, 10, 13})
        EXPECT_EQ(panel(n)->palette().color(QPalette::WindowText), QColor(Qt::white)) << n;
    QStringList captions;
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        captions << b->text();
    for (const char* caption : {"&Defaults", "&OK", "&Cancel"})
        EXPECT_TRUE(captions.contains(caption)) << caption;
}

TEST_F(DialogFixture, AChosenColourIsTakenAtOnceAndCancelKeepsIt)
{
    dialog.show();
    answer = QColor(1, 2, 3);
    QTest::mouseClick(panel(5), Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(palette[4], rgb(1, 2, 3));
    EXPECT_EQ(panel(5)->colour(), QColor(1, 2, 3));

    answer.reset(); // the chooser was cancelled: nothing changes
    QTest::mouseClick(panel(6), Qt::LeftButton);
    EXPECT_EQ(palette[5], Palette::defaults()[5]);

    dialog.CancelBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(palette[4], rgb(1, 2, 3));
}

TEST_F(DialogFixture, DefaultsOkAndHelp)
{
    palette.colors[15] = rgb(9, 9, 9);
    dialog.show(); // showing takes the colours from the palette
    EXPECT_EQ(panel(16)->colour(), QColor(9, 9, 9));
    dialog.DefaultsBtn->click();
    EXPECT_EQ(palette, Palette{});
    EXPECT_EQ(panel(16)->colour(), QColor(255, 255, 255));

    panel(3)->setColour(QColor(7, 8, 9));
    dialog.OKBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(palette[2], rgb(7, 8, 9));

    dialog.HelpBtn->click();
    ASSERT_EQ(host.helpLines.size(), 1u);
    EXPECT_EQ(host.helpLines[0], "EXPLORER.EXE docs\\menu_options_ansi.html");
}

} // namespace
} // namespace tw
