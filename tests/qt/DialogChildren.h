#pragma once
// Finding a dialog's controls by name in the window tests; a missing control fails the test
// instead of crashing it later.
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>

#include <span>
#include <utility>

namespace tw::test {

template <typename W = QPushButton>
W* child(QWidget& parent, const char* name)
{
    W* c = parent.findChild<W*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// The lines a list shows, top to bottom.
inline QStringList listLines(QListWidget& list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text();
    return out;
}

// Button names with their captions.
using ButtonCaption = std::pair<const char*, const char*>;

// The column of the trigger and alias editors, whose buttons act at once.
inline const ButtonCaption EditorColumn[] = {
    {"OKBtn", "&OK"}, {"AddBtn", "&Add"}, {"DeleteBtn", "&Delete"}, {"EditBtn", "&Edit"},
    {"ExportBtn", "E&xport"}, {"ImportBtn", "&Import"}, {"HelpBtn", "&Help"}};

inline void expectCaptions(QWidget& dialog, std::span<const ButtonCaption> buttons)
{
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(child(dialog, name)->text(), caption) << name;
}

} // namespace tw::test
