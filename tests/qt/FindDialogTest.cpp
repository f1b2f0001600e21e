#include "core/qt/FindDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(FindDialog, FindNextAsksWithTheTextAndTheMatchCaseOption)
{
    FindDialog dialog;
    std::vector<std::pair<QString, bool>> asked;
    QObject::connect(&dialog, &FindDialog::findRequested,
                     [&](const QString& t, bool m) { asked.emplace_back(t, m); });
    dialog.show();
    QTest::keyClicks(dialog.FindEdit, "orc");
    QTest::keyClick(dialog.FindEdit, Qt::Key_Return); // Find Next is the default button
    dialog.MatchCaseBox->setChecked(true);
    dialog.FindNextBtn->click();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], std::make_pair(QString("orc"), false));
    EXPECT_EQ(asked[1], std::make_pair(QString("orc"), true));
    EXPECT_TRUE(dialog.isVisible()); // the finder closes it, not the dialog
    EXPECT_EQ(dialog.MatchCaseBox->text(), "Match &case");
    dialog.CancelBtn->click();
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace tw
