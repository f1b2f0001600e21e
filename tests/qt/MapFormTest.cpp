// The map window, its dialogs and the picture it draws, reached through the main window as the
// program builds them.
#include "core/qt/CommandLineEdit.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "TestMainForm.h"
#include "map/MapFile.h"
#include "map/qt/MapFace.h"
#include "map/qt/TLevelDLG.h"
#include "map/qt/TMapForm.h"
#include "map/qt/TRoomEditDLG.h"
#include "map/qt/TVirtualDLG.h"
#include "script/qt/ListDialogSupport.h"
#include "tools/qt/Launcher.h"
#include "ModalDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

const QColor Black(0, 0, 0), Blue(0, 0, 255), Grey(128, 128, 128), Red(255, 0, 0),
    Maroon(128, 0, 0), Lime(0, 255, 0), Green(0, 128, 0);

struct MapWindow : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> boxes;
    TMapForm* mapForm = nullptr;
    MapModel* map = nullptr;

    void SetUp() override
    {
        form = test::testMainForm(dir, boxes);
        mapForm = form->MapForm;
        map = &form->session().map;
    }

    QColor pixel(int x, int y) const { return mapForm->Face->picture().pixelColor(x, y); }
    // The mouse over a cell's centre, then pressed there.
    void hover(int x, int y) { mapForm->MapFaceMouseMove({x * 30 - 15, y * 30 - 15}); }
    void press(int x, int y, Qt::MouseButton b, Qt::KeyboardModifiers mods = {})
    {
        hover(x, y);
        mapForm->MapFaceMouseDown({x * 30 - 15, y * 30 - 15}, b, mods);
    }
    // Runs a level dialog answer through Level > Goto.
    void gotoLevel(const QString& text)
    {
        test::whenModal(*form->LevelDLG, [&] {
            form->LevelDLG->LText->setText(text);
            form->LevelDLG->accept();
        });
        mapForm->Goto1Click();
    }
};

struct MenuRow {
    const char* name;
    const char* caption;
    const char* shortcut;
};

TEST_F(MapWindow, MenusWindowAndHiding)
{
    const MenuRow rows[] = {
        {"New1", "&New", ""}, {"Open1", "&Open...", "Ctrl+O"}, {"Save1", "&Save", "Ctrl+S"},
        {"SaveAs1", "Save &As...", ""}, {nullptr, "", ""}, {"Export1", "&Export...", ""},
        {"ViewExport1", "&View Export", ""}, {nullptr, "", ""}, {"Exit1", "E&xit", "Ctrl+Z"},
        {"ShiftNorth1", "&North", ""}, {"ShiftSouth1", "&South", ""}, {"ShiftWest1", "&West", ""},
        {"ShiftEast1", "&East", ""}, {"ShiftUp1", "&Up", ""}, {"ShiftDown1", "&Down", ""},
        {"Up1", "&Up", "Ctrl+U"}, {"Down1", "&Down", "Ctrl+D"}, {"Goto1", "&Goto", "Ctrl+G"},
        {"Virtual1", "&Virtual", "Ctrl+V"}, {"Activate1", "&Activate!", "Ctrl+A"}, {nullptr, "", ""},
        {"FollowWalk1", "&Follow the Walk", ""}, {"KeepOnTop1", "Keep on &Top", ""},
        {"AutoSave1", "Save A&utomatically", ""},
    };
    QStringList titles;
    std::vector<QAction*> items;
    for (QAction* top : mapForm->menuBar()->actions()) {
        titles << top->text();
        if (top->menu())
            for (QAction* a : top->menu()->actions())
                items.push_back(a);
    }
    EXPECT_EQ(titles, (QStringList{"&Map", "&Shift", "&Level", "&Control", "&Help"}));
    ASSERT_EQ(items.size(), std::size(rows));
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!rows[i].name) {
            EXPECT_TRUE(items[i]->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(items[i]->objectName(), rows[i].name);
        EXPECT_EQ(items[i]->text(), rows[i].caption) << rows[i].name;
        EXPECT_EQ(items[i]->shortcut().toString(), rows[i].shortcut) << rows[i].name;
    }
    EXPECT_EQ(mapForm->size(), QSize(508, 367));

    // "&Automap" (Ctrl+Z) shows it scrolled to the current room; Exit, Escape and the close
    // box only hide it.
    EXPECT_FALSE(mapForm->isVisible());
    form->action("Automap1")->trigger();
    ASSERT_TRUE(mapForm->isVisible());
    EXPECT_GT(mapForm->ScrollBox->horizontalScrollBar()->value(), 0);
    const QRect view(mapForm->ScrollBox->horizontalScrollBar()->value(),
                     mapForm->ScrollBox->verticalScrollBar()->value(),
                     mapForm->ScrollBox->viewport()->width(), mapForm->ScrollBox->viewport()->height());
    EXPECT_TRUE(view.contains(QRect(420, 420, 30, 30))) << view.x() << "," << view.y();
    mapForm->action("Exit1")->trigger();
    EXPECT_FALSE(mapForm->isVisible());
    mapForm->show();
    QTest::keyClick(mapForm, Qt::Key_Escape);
    EXPECT_FALSE(mapForm->isVisible());
    mapForm->show();
    EXPECT_FALSE(mapForm->close());
    EXPECT_FALSE(mapForm->isVisible());
    EXPECT_TRUE(map->RoomExists(15, 15, 5));
}

TEST_F(MapWindow, DrawsTheLevelAndFollowsTheMouse)
{
    // A fresh map: one blue cell with the disc in its centre.
    EXPECT_EQ(pixel(420, 420), Blue);
    EXPECT_EQ(pixel(449, 449), Blue);
    EXPECT_EQ(pixel(435, 435), Maroon);
    EXPECT_EQ(pixel(432, 435), Red);
    EXPECT_EQ(pixel(440, 440), Black);
    EXPECT_EQ(pixel(450, 435), Black);

    hover(3, 4);
    EXPECT_EQ(mapForm->windowTitle(), "AutoMap (3,4,5)");
    EXPECT_EQ(pixel(60, 90), Green);
    hover(15, 15);
    EXPECT_EQ(pixel(60, 90), Black);
    EXPECT_EQ(pixel(420, 420), Lime);

    // Left click: a room joined to its neighbour by a grey line, then gone with it.
    press(16, 15, Qt::LeftButton);
    EXPECT_TRUE(map->RoomExists(16, 15, 5));
    EXPECT_EQ(pixel(442, 435), Grey);
    EXPECT_EQ(pixel(458, 435), Grey);
    press(16, 15, Qt::LeftButton);
    EXPECT_FALSE(map->RoomExists(16, 15, 5));
    EXPECT_EQ(pixel(442, 435), Black);
    EXPECT_EQ(map->room(15, 15, 5)->exit(dir::East), MapExit{});

    // Ctrl+click moves the disc to a room and does nothing over an empty cell.
    press(16, 15, Qt::LeftButton);
    press(16, 15, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(map->position(), (Cell{16, 15, 5}));
    EXPECT_TRUE(map->RoomExists(16, 15, 5));
    EXPECT_EQ(pixel(465, 435), Maroon);
    EXPECT_EQ(pixel(435, 435), Grey); // the old cell's centre keeps only its line
    press(20, 20, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(map->position(), (Cell{16, 15, 5}));
    EXPECT_FALSE(map->RoomExists(20, 20, 5));

    // The letters, and no disc on another level.
    map->CreateMap(16, 15, 6, 0);
    mapForm->Up1Click();
    EXPECT_EQ(mapForm->windowTitle(), "AutoMap (20,20,6)");
    EXPECT_EQ(pixel(465, 435), Black);
    int greyInDCorner = 0, greyInUCorner = 0;
    for (int px = 469; px < 479; ++px)
        for (int py = 427; py < 441; ++py)
            greyInDCorner += pixel(px, py) == Grey;
    EXPECT_GT(greyInDCorner, 5) << "D in the top right of (16,15,6)";
    mapForm->Down1Click();
    for (int px = 451; px < 461; ++px)
        for (int py = 427; py < 441; ++py)
            greyInUCorner += pixel(px, py) == Grey;
    EXPECT_GT(greyInUCorner, 5) << "U in the top left of (16,15,5)";
}

TEST_F(MapWindow, LevelsStayWithinOneToTen)
{
    map->ViewLevel = 10;
    mapForm->Up1Click();
    EXPECT_EQ(map->ViewLevel, 10);
    gotoLevel("1");
    EXPECT_EQ(map->ViewLevel, 1);
    mapForm->Down1Click();
    EXPECT_EQ(map->ViewLevel, 1);
    for (const char* bad : {"0", "11", "x", ""}) {
        gotoLevel(bad);
        EXPECT_EQ(map->ViewLevel, 1) << bad;
    }
    gotoLevel("7");
    EXPECT_EQ(map->ViewLevel, 7);
    // The dialog offers the last text typed; Cancel changes nothing.
    test::whenModal(*form->LevelDLG, [&] {
        EXPECT_EQ(form->LevelDLG->LText->text(), "7");
        form->LevelDLG->LText->setText("2");
        form->LevelDLG->reject();
    });
    mapForm->Goto1Click();
    EXPECT_EQ(map->ViewLevel, 7);
}

TEST_F(MapWindow, ShiftsRedrawOnlyWhenTheyMoveTheMap)
{
    mapForm->ShiftNorth1Click();
    EXPECT_EQ(pixel(420, 390), Blue);
    map->InitRoom(4, 1, 9);
    mapForm->ShiftNorth1Click();
    EXPECT_FALSE(map->ShiftOk);
    EXPECT_EQ(pixel(420, 390), Blue);
    EXPECT_EQ(map->position(), (Cell{15, 14, 5}));
}

TEST_F(MapWindow, MapFileMenuAndExport)
{
    std::vector<QString> asked;
    QString answer = dir.filePath("town.twk");
    mapForm->chooseFile = [&](const FileChoice& c) {
        asked.push_back(c.title + "|" + c.filter + "|" + c.defaultSuffix);
        return answer;
    };
    map->CreateMap(16, 15, 5, 0);
    mapForm->Save1Click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "Save Tarnwick Map|Tarnwick Map (*.twk)|*.twk|twk");
    EXPECT_EQ(QFileInfo(answer).size(), 2 + 924 * 2);
    mapForm->Save1Click(); // the name is known now: no dialog
    EXPECT_EQ(asked.size(), 1u);

    mapForm->New1Click();
    EXPECT_FALSE(map->RoomExists(16, 15, 5));
    EXPECT_EQ(pixel(465, 435), Black);
    mapForm->Open1Click();
    EXPECT_EQ(asked.back(), "Open Tarnwick Map|Tarnwick Map (*.twk)|*.twk|twk");
    EXPECT_TRUE(map->RoomExists(16, 15, 5));
    EXPECT_EQ(map->position(), (Cell{16, 15, 5}));
    EXPECT_EQ(pixel(465, 435), Maroon);
    answer = dir.filePath("gone.twk");
    mapForm->Open1Click();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Error|File doesn't exist!"}));
    EXPECT_TRUE(map->RoomExists(16, 15, 5));

    // A refused file keeps its name out of the map: Ctrl+S then writes the map's own file,
    // not over the refused one.
    const QString refused = dir.filePath("refused.twk");
    QFile cut(refused);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(QByteArray("\x09\x00", 2) + QByteArray(6480, 'r'));
    cut.close();
    answer = refused;
    mapForm->Open1Click();
    EXPECT_EQ(boxes.back(), "Tarnwick 5|Read beyond end of file");
    map->CreateMap(17, 15, 5, 0);
    mapForm->action("Save1")->trigger(); // Ctrl+S
    EXPECT_EQ(QFileInfo(refused).size(), 2 + 6480);
    EXPECT_EQ(QFileInfo(dir.filePath("town.twk")).size(), 2 + 924 * 3);
    // Save As to a place that cannot be written keeps the name too.
    answer = dir.filePath("missing/elsewhere.twk");
    mapForm->SaveAs1Click();
    EXPECT_EQ(map->MapFileName, localPath(dir.filePath("town.twk")));

    std::vector<QStringList> started;
    form->launcher().setStartDetached([&](const QString& program, const QStringList& args) {
        started.push_back(QStringList{program} + args);
        return true;
    });
    form->launcher().setIsOnPath([](const std::string& name) { return name == "gedit"; });
    form->session().setup.EditorName = "gedit";
    answer = dir.filePath("town.map");
    mapForm->Export1Click();
    EXPECT_EQ(asked.back(), "Save Tarnwick Map|ASCII Map (*.map)|*.map|map");
    EXPECT_EQ(QFileInfo(answer).size(), 9 + 2 + 90 * 92 + 4); // one level: heading, drawing, two empty lines
    mapForm->ViewExport1Click();
    EXPECT_EQ(started, (std::vector<QStringList>{{"gedit", answer}}));
}

// The map lives only in its file: leaving the program with rooms that no file holds asks
// first. Yes saves to the map's file or to one the player names; Cancel stays.
TEST_F(MapWindow, LeavingWithAChangedMapAsksToSaveIt)
{
    struct Case {
        bool named;           // the map has a file already
        MsgAnswer answer;
        QString chosen;       // what the save dialog gives when asked
        bool closes, saved;
    };
    const QString named = dir.filePath("named.twk"), chosen = dir.filePath("chosen.twk");
    const Case cases[] = {
        {false, MsgAnswer::Cancel, chosen, false, false},
        {false, MsgAnswer::No, chosen, true, false},
        {true, MsgAnswer::Yes, "", true, true},
        {false, MsgAnswer::Yes, chosen, true, true},
        {false, MsgAnswer::Yes, "", false, false}, // the save dialog cancelled: nothing lost
    };
    for (const Case& c : cases) {
        SetUp();
        QFile::remove(named);
        QFile::remove(chosen);
        form->show();
        if (c.named)
            ASSERT_FALSE(MapFile::save(*map, localPath(named)));
        map->CreateMap(16, 15, 5, 0);
        mapForm->chooseFile = [&](const FileChoice& choice) {
            EXPECT_EQ(choice.title, "Save Tarnwick Map");
            return c.chosen;
        };
        boxes.clear();
        form->messageBoxHook = [&](const std::string& caption, const std::string& text, MsgButtons b) {
            boxes.push_back(caption + "|" + text);
            EXPECT_EQ(b, MsgButtons::YesNoCancel);
            return c.answer;
        };
        form->close();
        EXPECT_EQ(boxes, std::vector<std::string>{"Tarnwick 5|Save changes to the map file?"});
        EXPECT_EQ(form->isVisible(), !c.closes);
        EXPECT_EQ(QFileInfo(c.named ? named : chosen).size(), c.saved ? 2 + 924 * 2 : c.named ? 926 : 0);
    }
}

// A game that answers each command in three writes a little apart: the room's name, its
// description, the prompt.
struct PiecemealGame {
    QTcpServer server;
    int rooms = 0;
    PiecemealGame()
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket* peer = server.nextPendingConnection();
            QObject::connect(peer, &QTcpSocket::readyRead, peer, [this, peer] {
                for (const QByteArray& line : peer->readAll().split('\n')) {
                    if (line.trimmed().isEmpty())
                        continue;
                    const QByteArray pieces[] = {"Room " + QByteArray::number(++rooms), "\r\nA plain room.\r\n", "> "};
                    for (int i = 0; i < 3; ++i)
                        QTimer::singleShot(40 * i, peer, [peer, piece = pieces[i]] { peer->write(piece); });
                }
            });
        });
    }
};

// The middle button walks the known way; each step waits until the game's reply is over, so
// that every room keeps its own name.
TEST_F(MapWindow, SpeedwalkWaitsForRepliesThatComeInPieces)
{
    PiecemealGame game;
    Session& s = form->session();
    s.connection.connectTo("Piecemeal", "127.0.0.1", std::to_string(game.server.serverPort()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->socketConnected(); }, 10000));
    map->CreateMap(15, 14, 5, 0);
    map->CreateMap(15, 13, 5, 0);
    map->CreateMap(16, 13, 5, 0);
    map->active = true;
    mapForm->MapFaceMouseDown({16 * 30 - 15, 13 * 30 - 15}, Qt::MiddleButton, {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return map->position() == Cell{16, 13, 5}; }, 10000));
    EXPECT_EQ(map->room(15, 14, 5)->title.str(), "Room 1");
    EXPECT_EQ(map->room(15, 13, 5)->title.str(), "Room 2");
    EXPECT_EQ(map->room(16, 13, 5)->title.str(), "Room 3");
    EXPECT_FALSE(s.walk.walking());
}

TEST_F(MapWindow, ActivateSharesTheAutomapperSwitchWithCtrlA)
{
    QAction* activate = mapForm->action("Activate1");
    activate->trigger();
    EXPECT_TRUE(map->active);
    EXPECT_TRUE(activate->isChecked());
    QTest::keyClick(form->CmdLine, Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(map->active);
    EXPECT_EQ(form->Status->text(), "AutoMap deactivated.");
    emit mapForm->menuBar()->findChild<QMenu*>("ControlMenu")->aboutToShow();
    EXPECT_FALSE(activate->isChecked());
    activate->trigger();
    EXPECT_TRUE(map->active);
}

TEST_F(MapWindow, RoomEditorOpensOnTheHoveredCell)
{
    TRoomEditDLG& ed = *form->RoomEditDLG;
    // Cancel on an empty cell leaves it empty.
    test::whenModal(ed, [&] {
        EXPECT_EQ(ed.windowTitle(), "Room Editor - (16,15,5)");
        EXPECT_EQ(ed.TitleEdit->text(), "Initialize Me");
        EXPECT_FALSE(ed.CheckBoxes[dir::West - 1]->isChecked());
        ed.CancelBtn->click();
    });
    press(16, 15, Qt::RightButton);
    EXPECT_FALSE(map->RoomExists(16, 15, 5));

    // OK stores the texts, cut, and an exit only to a room; NE with 31 is reset when the focus
    // leaves its box; unchecking empties and disables a row.
    test::whenModal(ed, [&] {
        ed.TitleEdit->setText(QString(85, 't'));
        QStringList lines;
        for (int i = 1; i <= 12; ++i)
            lines << QString::number(i);
        lines[1] = QString(90, 'd');
        ed.DescMemo->setPlainText(lines.join('\n'));
        QCheckBox* ne = ed.CheckBoxes[dir::NorthEast - 1];
        ne->click();
        EXPECT_TRUE(ed.RM[dir::NorthEast - 1][0]->isEnabled());
        ed.RM[dir::NorthEast - 1][0]->setText("31");
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(ed.RM[dir::NorthEast - 1][0], &out);
        EXPECT_EQ(ed.RM[dir::NorthEast - 1][0]->text(), "0");
        QCheckBox* w = ed.CheckBoxes[dir::West - 1];
        w->click();
        ed.RM[dir::West - 1][0]->setText("15");
        ed.RM[dir::West - 1][1]->setText("15");
        ed.RM[dir::West - 1][2]->setText("5");
        QCheckBox* s = ed.CheckBoxes[dir::South - 1];
        s->click();
        ed.RM[dir::South - 1][1]->setText("9");
        s->click();
        EXPECT_FALSE(ed.RM[dir::South - 1][1]->isEnabled());
        EXPECT_EQ(ed.RM[dir::South - 1][1]->text(), "0");
        ed.OKBtn->click();
    });
    press(16, 15, Qt::RightButton);
    const TMapRoom* r = map->room(16, 15, 5);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->title.str(), std::string(80, 't'));
    EXPECT_EQ(r->description[1].str(), std::string(80, 'd'));
    EXPECT_EQ(r->description[9].str(), "10");
    EXPECT_EQ(r->exit(dir::West), (MapExit{15, 15, 5}));
    EXPECT_EQ(r->exit(dir::NorthEast), MapExit{});
    EXPECT_EQ(r->exit(dir::South), MapExit{});
    EXPECT_EQ(map->room(15, 15, 5)->exit(dir::East), MapExit{}); // no back exit
    EXPECT_EQ(pixel(450, 435), Grey); // redrawn after OK: the west half-line

    // OK without changes on an empty cell makes a default room.
    test::whenModal(ed, [&] { ed.OKBtn->click(); });
    press(3, 3, Qt::RightButton);
    ASSERT_TRUE(map->RoomExists(3, 3, 5));
    EXPECT_EQ(map->room(3, 3, 5)->description[0].str(), "Only the first ten lines count!");
}

// The map's dialogs have their fixed or first client sizes and their faces; in the room editor's
// fixed area every control lies whole, and the description shows all ten lines at once.
TEST_F(MapWindow, DialogSizesAndFaces)
{
    struct Row {
        QWidget* window;
        QSize size;
        bool fixed;
        int pixels;
    };
    const Row rows[] = {
        {form->RoomEditDLG, {378, 367}, true, 11},
        {form->LevelDLG, {104, 105}, true, 11},
        {form->VirtualDLG, {555, 325}, false, 11},
        {form->VirtualDLG->VirtualScreen, {}, false, 11},
        {mapForm, {508, 367}, false, 13},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.window->objectName().toStdString());
        if (r.size.isValid())
            EXPECT_EQ(r.window->size(), r.size);
        EXPECT_EQ(r.window->minimumSize() == r.window->maximumSize(), r.fixed);
        EXPECT_EQ(r.window->font().pixelSize(), r.pixels);
        EXPECT_EQ(r.window->font().bold(), r.pixels == 11);
    }
    EXPECT_EQ(form->VirtualDLG->VirtualScreen->palette().color(QPalette::Text), Grey);

    TRoomEditDLG& ed = *form->RoomEditDLG;
    for (int n = 0; n < 10; ++n)
        map->room(15, 15, 5)->description[std::size_t(n)].set(std::string(80, char('a' + n)));
    test::whenModal(ed, [&] {
        EXPECT_EQ(ed.DescMemo->verticalScrollBar()->maximum(), 0);
        for (QWidget* w : ed.findChildren<QWidget*>())
            if (w->isVisible())
                EXPECT_TRUE(ed.rect().contains(QRect(w->mapTo(&ed, QPoint(0, 0)), w->size())))
                    << w->objectName().toStdString();
        ed.reject();
    });
    ed.editCell({15, 15, 5});
}

TEST_F(MapWindow, TheVirtualWalkThroughMovesThePosition)
{
    TVirtualDLG& v = *form->VirtualDLG;
    map->CreateMap(15, 14, 5, 0);
    map->room(15, 14, 5)->title.set("Road");
    const auto type = [&](const char* text) {
        v.VirtualCmd->setText(text);
        QTest::keyClick(v.VirtualCmd, Qt::Key_Return);
    };
    test::whenModal(v, [&] {
        EXPECT_EQ(v.windowTitle(), "Virtual AutoMap");
        EXPECT_TRUE(v.VirtualScreen->toPlainText().startsWith("(15,15,5)\n[ Initialize Me ]"));
        type("north");
        EXPECT_TRUE(v.VirtualScreen->toPlainText().endsWith("> NORTH\n\n(15,14,5)\n[ Road ]\n\n"
                                                            "Only the first ten lines count!\n\n"
                                                            "Exits:  South\n\n> "));
        EXPECT_EQ(v.VirtualCmd->text(), "");
        // EDIT opens the room editor on the current position and shows the room again.
        test::whenModal(*form->RoomEditDLG, [&] {
            EXPECT_EQ(form->RoomEditDLG->windowTitle(), "Room Editor - (15,14,5)");
            form->RoomEditDLG->TitleEdit->setText("Old Road");
            form->RoomEditDLG->OKBtn->click();
        });
        type("edit");
        EXPECT_TRUE(v.VirtualScreen->toPlainText().contains("> EDIT\n\n(15,14,5)\n[ Old Road ]"));
        type("quit");
    });
    mapForm->Virtual1Click();
    EXPECT_FALSE(v.isVisible());
    EXPECT_EQ(map->position(), (Cell{15, 14, 5}));
    EXPECT_EQ(pixel(435, 405), Maroon); // redrawn after the walk
}

// The map window that lives while the player walks: following the walk, the switches kept in
// the INI file, the map that saves itself, the hover tip and the status row's indicator.
struct LivingMap : MapWindow {
    void SetUp() override
    {
        MapWindow::SetUp();
        map->active = true;
    }
    // A command and the game's answer, as the session gets them.
    void walk(const char* command, const char* answer = "A Room\r\n")
    {
        form->session().ParseCommand(command);
        form->session().MudSockRead(answer);
    }
    bool roomShown(int x, int y) const { return pixel(x * 30 - 30, y * 30 - 20) == Blue; }
    bool discShown(int x, int y) const { return pixel(x * 30 - 15, y * 30 - 15) == Maroon; }
    QRect inSight() const
    {
        return {mapForm->ScrollBox->horizontalScrollBar()->value(), mapForm->ScrollBox->verticalScrollBar()->value(),
                mapForm->ScrollBox->viewport()->width(), mapForm->ScrollBox->viewport()->height()};
    }
};

TEST_F(LivingMap, FollowingShowsEveryTrackedStepAtOnceOnThePlayersLevel)
{
    form->Automap1Click();
    walk("e");
    EXPECT_FALSE(roomShown(16, 15)); // switched off, the window waits for its next redraw
    EXPECT_TRUE(discShown(15, 15));

    mapForm->action("FollowWalk1")->trigger(); // switched on, it catches up at once
    EXPECT_TRUE(roomShown(16, 15));
    EXPECT_TRUE(discShown(16, 15));
    EXPECT_FALSE(discShown(15, 15));

    // The view keeps the player's room in sight, with its neighbours.
    for (int i = 0; i < 12; ++i) {
        walk("e");
        EXPECT_TRUE(inSight().contains(QRect((map->MapX - 2) * 30, (map->MapY - 2) * 30, 90, 90))) << i;
    }
    // Hidden, the window draws nothing; shown again, the whole of the player's level.
    mapForm->hide();
    const QImage before = mapForm->Face->picture();
    walk("d");
    EXPECT_EQ(mapForm->Face->picture(), before);
    form->Automap1Click();
    EXPECT_EQ(mapForm->windowTitle().right(3), ",4)");
    EXPECT_TRUE(discShown(map->MapX, map->MapY));
}

TEST_F(LivingMap, SwitchesAreKeptInTheIniFile)
{
    const struct {
        const char* action;
        const char* key;
        std::function<bool(TMapForm&)> on;
    } switches[] = {
        {"FollowWalk1", "Map/Follow", [](TMapForm& m) { return m.follow().on; }},
        {"KeepOnTop1", "Map/OnTop", [](TMapForm& m) { return m.windowFlags().testFlag(Qt::Tool); }},
        {"AutoSave1", "Map/AutoSave", [](TMapForm& m) { return m.autoSave().on; }},
    };
    const QString ini = dir.filePath("TARNWICK.INI");
    for (const auto& s : switches) {
        SCOPED_TRACE(s.action);
        EXPECT_FALSE(s.on(*mapForm));
        mapForm->action(s.action)->trigger();
        EXPECT_TRUE(s.on(*mapForm));
        EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value(s.key).toString(), "true");
        TMainForm next(nullptr, ini);
        EXPECT_TRUE(next.MapForm->action(s.action)->isChecked());
        EXPECT_TRUE(s.on(*next.MapForm));
        mapForm->action(s.action)->trigger();
        EXPECT_FALSE(s.on(*mapForm));
        EXPECT_EQ(QSettings(ini, QSettings::IniFormat).value(s.key).toString(), "false");
    }
    EXPECT_TRUE(boxes.empty());
    form->iniPath = dir.path(); // a folder: the switch is not remembered, and the player is told
    mapForm->action("FollowWalk1")->trigger();
    EXPECT_EQ(boxes, std::vector<std::string>{"Tarnwick 5|Unable to write to " + localPath(dir.path())});
}

// Kept on top, the map window is a tool window of the main one; it stays where it was and,
// when shown, stays shown without scrolling away.
TEST_F(LivingMap, KeepingOnTopKeepsThePlaceAndTheView)
{
    form->Automap1Click();
    QScrollBar* across = mapForm->ScrollBox->horizontalScrollBar();
    across->setValue(100);
    const QPoint at = mapForm->pos();
    mapForm->action("KeepOnTop1")->trigger();
    EXPECT_TRUE(mapForm->isVisible());
    EXPECT_EQ(mapForm->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_EQ(mapForm->parentWidget(), form.get());
    EXPECT_EQ(mapForm->pos(), at);
    EXPECT_EQ(across->value(), 100);
    mapForm->action("KeepOnTop1")->trigger();
    EXPECT_EQ(mapForm->windowFlags() & Qt::WindowType_Mask, Qt::Window);
    EXPECT_TRUE(mapForm->isVisible());
}

TEST_F(LivingMap, AMapWithAFileSavesItselfAfterTrackingAndAtExit)
{
    const QString file = dir.filePath("town.twk");
    ASSERT_FALSE(MapFile::save(*map, localPath(file)));
    QTimer* timer = mapForm->AutoSaveTimer;
    walk("n");
    EXPECT_FALSE(timer->isActive()); // switched off: nothing by itself
    mapForm->action("AutoSave1")->trigger();
    walk("n");
    ASSERT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 5000);
    timer->start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !map->changed(); }, 5000));
    EXPECT_EQ(QFileInfo(file).size(), 2 + 3 * 924);

    // A file that cannot be written is said on the status row and asked about at exit.
    map->MapFileName = localPath(dir.path());
    walk("n");
    timer->start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Status->text().startsWith("Map not saved: "); }, 5000));
    form->show();
    boxes.clear();
    form->messageBoxHook = [&](const std::string& caption, const std::string& text, MsgButtons) {
        boxes.push_back(caption + "|" + text);
        return text == TMapForm::SaveChangesText ? MsgAnswer::Cancel : MsgAnswer::Ok;
    };
    form->close();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "Tarnwick 5|Save changes to the map file?");
    EXPECT_TRUE(form->isVisible());

    // With its file back, leaving saves without asking.
    map->MapFileName = localPath(file);
    boxes.clear();
    form->close();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(QFileInfo(file).size(), 2 + 4 * 924);
}

} // namespace
} // namespace tw
