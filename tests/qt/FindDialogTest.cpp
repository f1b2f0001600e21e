#include "core/qt/FindDialog.h"
#include "core/qt/PlainView.h"

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

// Find searches what the plain view shows: every byte as its glyph, so a search for "?" finds
// no escape character or box line, and a glyph typed into the dialog is found.
TEST(PlainViewFind, SearchesTheShownTextForwardFromTheSelection)
{
    struct Case {
        const char* bytes;
        QString what;
        int from;
        bool matchCase;
        int expected; // -1: not found
    } cases[] = {
        {"You see a Dragon here.", "dragon", 0, false, 10},
        {"You see a Dragon here.", "dragon", 0, true, -1},
        {"You see a Dragon here.", "Dragon", 0, true, 10},
        {"orc orc orc", "orc", 1, false, 4},
        {"orc orc orc", "ORC", 8, false, 8}, // ends exactly at the end of the text
        {"orc orc orc", "orc", 9, false, -1},
        {"or", "orc", 0, false, -1},
        {"\x1b[31mRed \xc4\xc4 box", "?", 0, false, -1},
        {"\x1b[31mRed \xc4\xc4 box", QString(QChar(0x2500)), 0, false, 9},
        {"\x1b[31mRed", QString(QChar(0x2190)) + "[31", 0, false, 0},
        {"Gar\x80on gar\x87on", QString("gar") + QChar(0xE7), 1, false, 7},
        {"Gar\x80on gar\x87on", QString("gar") + QChar(0xE7), 0, false, 0},
    };
    for (const Case& c : cases) {
        PlainView view;
        view.showBuffer(c.bytes);
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(c.from);
        view.setTextCursor(cursor);
        const bool found = view.findNext(c.what, c.matchCase);
        EXPECT_EQ(found ? view.textCursor().selectionStart() : -1, c.expected)
            << c.bytes << " / " << c.what.toStdString();
        if (found)
            EXPECT_EQ(view.textCursor().selectedText().size(), c.what.size());
    }
}

} // namespace
} // namespace tw
