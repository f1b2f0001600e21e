#include "core/qt/MainMenu.h"

#include "core/qt/TMainForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tw {

namespace {

struct MenuItem {
    const char* menu;    // caption of the menu it belongs to
    const char* name;    // object name of the item
    const char* caption;
    QKeySequence shortcut;
    void (TMainForm::*handler)();
    bool checkable = false;
    bool visible = true;
    bool separatorAfter = false;
};

} // namespace

std::map<QString, QAction*> buildMainMenu(QMenuBar& bar, TMainForm& form)
{
    std::map<QString, QAction*> actions;
    using M = TMainForm;
    const MenuItem items[] = {
        {"&MUD", "Connect1", "&Connect...", {}, &M::Connect1Click},
        {"&MUD", "Disconnect1", "&Disconnect", {}, &M::Disconnect1Click},
        {"&MUD", "Log1", "&Log...", {}, &M::Log1Click, false, true, true},
        {"&MUD", "Exit1", "E&xit", {}, &M::Exit1Click},
        {"&MUD", "Dummy1", "Dummy", QKeySequence(Qt::Key_F10), nullptr, false, false},
        {"&MUD", "Dummy3", "Dummy", QKeySequence(Qt::SHIFT | Qt::Key_F10), nullptr, false, false},
        {"&MUD", "Dummy2", "Dummy", QKeySequence(Qt::CTRL | Qt::Key_A), nullptr, false, false},
        {"&MUD", "Dummy4", "Dummy", QKeySequence(Qt::CTRL | Qt::Key_L), nullptr, false, false},
        {"&Edit", "Cut1", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), &M::Cut1Click},
        {"&Edit", "Copy1", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), &M::Copy1Click},
        {"&Edit", "CopyView1", "Copy &View Selection", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &M::copyViewSelection},
        {"&Edit", "Paste1", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), &M::Paste1Click, false, true, true},
        {"&Edit", "Find1", "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F), &M::Find1Click},
        {"&Edit", "FindAgain1", "Find A&gain", QKeySequence(Qt::CTRL | Qt::Key_G), &M::FindAgain1Click},
        {"&Options", "GeneralSetup1", "&General Settings...", {}, &M::GeneralSetup1Click},
        {"&Options", "MUDList1", "&MUD List...", {}, &M::MUDList1Click},
        {"&Options", "Triggers1", "&Triggers...", {}, &M::Triggers1Click},
        {"&Options", "Aliases1", "&Aliases...", {}, &M::Aliases1Click},
        {"&Options", "Hotkeys1", "&Hotkeys...", {}, &M::Hotkeys1Click},
        {"&Options", "NumericKeypad1", "&Numeric Keypad...", {}, &M::NumericKeypad1Click},
        {"&Options", "ANSIDefinitions1", "ANSI Definitions...", {}, &M::ANSIDefinitions1Click, false, true, true},
        {"&Options", "LoadOptions1", "&Load Options...", {}, &M::LoadOptions1Click},
        {"&Options", "SaveOptions1", "&Save Options...", {}, &M::SaveOptions1Click, false, true, true},
        {"&Options", "ModernServerMode1", "Mo&dern Server Mode", {}, &M::ModernServerMode1Click, true},
        {"&Options", "LongHistory1", "Long H&istory", {}, &M::LongHistory1Click, true},
        {"&Options", "SpeakIncomingText1", "S&peak Incoming Text", {}, &M::SpeakIncomingText1Click, true},
        {"&Options", "SpeechSettings1", "Spee&ch Settings...", {}, &M::SpeechSettings1Click},
        {"&Special", "MagicMirror1", "Ma&gic Mirror", QKeySequence(Qt::CTRL | Qt::Key_M), &M::MagicMirror1Click, true},
        {"&Special", "TriggersToggle1", "&Triggers Toggle", QKeySequence(Qt::CTRL | Qt::Key_T), &M::TriggersToggle1Click, true},
        {"&Special", "AliasesToggle1", "Al&iases Toggle", {}, &M::AliasesToggle1Click, true},
        {"&Special", "Automap1", "&Automap", QKeySequence(Qt::CTRL | Qt::Key_Z), &M::Automap1Click},
        {"&Special", "ViewLog1", "View &Log", QKeySequence(Qt::CTRL | Qt::Key_G), &M::ViewLog1Click},
        {"&Special", "ViewMaps1", "View &Maps", {}, &M::ViewMaps1Click},
        {"&Special", "RunEditor1", "Run &Editor", QKeySequence(Qt::CTRL | Qt::Key_E), &M::RunEditor1Click},
        {"&Special", "SendMessage1", "&Send Message", QKeySequence(Qt::CTRL | Qt::Key_S), &M::SendMessage1Click},
        {"&Special", "SaveHistory1", "Save &History...", {}, &M::SaveHistory1Click},
        {"&Special", "Channels1", "&Channels", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H), &M::Channels1Click, true},
        {"&Notes", "Lookup1", "Look Up &Note", QKeySequence(Qt::CTRL | Qt::Key_N), &M::Lookup1Click},
        {"&Notes", "AddNote1", "&Add Note", {}, &M::AddNote1Click},
        {"&Notes", "EditNoteFile1", "&View Note File", {}, &M::EditNoteFile1Click},
        {"&Help", "About2", "&About...", {}, &M::About2Click},
        {"&Help", "Contents2", "&Contents", {}, &M::Contents2Click},
    };
    QMenu* current = nullptr;
    QString currentTitle;
    for (const MenuItem& item : items) {
        if (!current || currentTitle != item.menu) {
            currentTitle = item.menu;
            current = bar.addMenu(currentTitle);
            current->setObjectName(QString(item.menu).remove('&') + "Menu");
        }
        QAction* a = current->addAction(item.caption);
        a->setObjectName(item.name);
        a->setShortcut(item.shortcut);
        a->setCheckable(item.checkable);
        a->setVisible(item.visible);
        if (item.handler)
            QObject::connect(a, &QAction::triggered, &form, item.handler);
        actions[item.name] = a;
        if (item.separatorAfter)
            current->addSeparator();
    }
    return actions;
}

} // namespace tw
