#include "map/qt/TMapForm.h"

#include "core/Session.h"
#include "map/MapExport.h"
#include "map/MapFile.h"
#include "map/MapSummary.h"
#include "map/qt/MapFace.h"
#include "map/qt/MapWindowStyle.h"
#include "map/qt/TLevelDLG.h"
#include "map/qt/TRoomEditDLG.h"
#include "map/qt/TVirtualDLG.h"
#include "map/RoomSummary.h"
#include "base/qt/GameText.h"
#include "script/qt/ListDialogSupport.h"
#include "settings/qt/IniFile.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

namespace tw {

const FileChoice TMapForm::OpenDialog1{FileChoice::Open, "Open Tarnwick Map", "twk", "Tarnwick Map (*.twk)|*.twk"};
const FileChoice TMapForm::SaveDialog1{FileChoice::Save, "Save Tarnwick Map", "twk", "Tarnwick Map (*.twk)|*.twk"};
const FileChoice TMapForm::SaveDialog2{FileChoice::Save, "Save Tarnwick Map", "map", "ASCII Map (*.map)|*.map"};

namespace {

const QColor Black(0, 0, 0), Blue(0, 0, 255), Lime(0, 255, 0), Green(0, 128, 0);

} // namespace

TMapForm::TMapForm(Session& session, TLevelDLG& levelDlg, QWidget* parent)
    : QMainWindow(parent), session_(session), map_(session.map), levelDlg_(levelDlg)
{
    setObjectName("TMapForm");
    setWindowFlag(Qt::Window);
    setWindowTitle("AutoMap");
    setFont(mapFont("System", 13, false));
    chooseFile = ListFileDialog::forParent(this);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox->setAccessibleName("Map");
    Face = new MapFace;
    Face->setAccessibleName("Map picture");
    ScrollBox->setWidget(Face);
    setCentralWidget(ScrollBox);
    Face->onMouseMove = [this](QPoint at) { MapFaceMouseMove(at); };
    Face->onMouseDown = [this](QMouseEvent* e) {
        MapFaceMouseDown(e->position().toPoint(), e->button(), e->modifiers());
    };

    // A speedwalk's next step goes once the game's reply has been quiet for a moment.
    auto* walkQuiet = new QTimer(this);
    walkQuiet->setObjectName("WalkQuiet");
    walkQuiet->setSingleShot(true);
    connect(walkQuiet, &QTimer::timeout, this, [this] { session_.walkQuiet(); });
    session_.walkQuietWanted = [walkQuiet](int milliseconds) { walkQuiet->start(milliseconds); };

    AutoSaveTimer = new QTimer(this);
    AutoSaveTimer->setObjectName("AutoSaveTimer");
    AutoSaveTimer->setSingleShot(true);
    connect(AutoSaveTimer, &QTimer::timeout, this, &TMapForm::autoSaveNow);
    session_.mapTracked = [this] { MapTracked(); };
    Face->onToolTip = [this](QPoint at) { return roomTipAt(at); };

    buildMenus();
    resize(OuterSize);
    centreOnScreen(*this);
    Face->redraw(map_);
}

// The window's size counts its frame. The frame is known only once the window manager has put
// it around the window, so the size is set again then, once.
void TMapForm::fitOuterSize()
{
    if (outerSized_ || !isVisible())
        return;
    const QSize frame = frameGeometry().size() - size();
    if (frame == QSize(0, 0))
        return;
    outerSized_ = true;
    resize(OuterSize - frame);
    centreOnScreen(*this);
}

void TMapForm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    fitOuterSize();
}

void TMapForm::buildMenus()
{
    struct Item {
        const char* menu;
        const char* name;
        const char* caption;
        QKeySequence shortcut;
        void (TMapForm::*handler)();
        bool separatorAfter = false;
    };
    using F = TMapForm;
    const QKeySequence none;
    const Item items[] = {
        {"&Map", "New1", "&New", none, &F::New1Click},
        {"&Map", "Open1", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O), &F::Open1Click},
        {"&Map", "Save1", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S), &F::Save1Click},
        {"&Map", "SaveAs1", "Save &As...", none, &F::SaveAs1Click, true},
        {"&Map", "Export1", "&Export...", none, &F::Export1Click},
        {"&Map", "ViewExport1", "&View Export", none, &F::ViewExport1Click, true},
        {"&Map", "Exit1", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_Z), &F::Exit1Click},
        {"&Shift", "ShiftNorth1", "&North", none, &F::ShiftNorth1Click},
        {"&Shift", "ShiftSouth1", "&South", none, &F::ShiftSouth1Click},
        {"&Shift", "ShiftWest1", "&West", none, &F::ShiftWest1Click},
        {"&Shift", "ShiftEast1", "&East", none, &F::ShiftEast1Click},
        {"&Shift", "ShiftUp1", "&Up", none, &F::ShiftUp1Click},
        {"&Shift", "ShiftDown1", "&Down", none, &F::ShiftDown1Click},
        {"&Level", "Up1", "&Up", QKeySequence(Qt::CTRL | Qt::Key_U), &F::Up1Click},
        {"&Level", "Down1", "&Down", QKeySequence(Qt::CTRL | Qt::Key_D), &F::Down1Click},
        {"&Level", "Goto1", "&Goto", QKeySequence(Qt::CTRL | Qt::Key_G), &F::Goto1Click},
        {"&Control", "Virtual1", "&Virtual", QKeySequence(Qt::CTRL | Qt::Key_V), &F::Virtual1Click},
        {"&Control", "Activate1", "&Activate!", QKeySequence(Qt::CTRL | Qt::Key_A), &F::Activate1Click, true},
        {"&Control", "FollowWalk1", "&Follow the Walk", none, &F::FollowWalk1Click},
        {"&Control", "KeepOnTop1", "Keep on &Top", none, &F::KeepOnTop1Click},
        {"&Control", "AutoSave1", "Save A&utomatically", none, &F::AutoSave1Click},
    };
    QMenu* current = nullptr;
    for (const Item& item : items) {
        if (!current || current->title() != item.menu) {
            current = menuBar()->addMenu(item.menu);
            current->setObjectName(QString(item.menu).remove('&') + "Menu");
        }
        QAction* a = current->addAction(item.caption);
        a->setObjectName(item.name);
        a->setShortcut(item.shortcut);
        connect(a, &QAction::triggered, this, item.handler);
        actions_[item.name] = a;
        if (item.separatorAfter)
            current->addSeparator();
    }
    for (const char* name : {"Activate1", "FollowWalk1", "KeepOnTop1", "AutoSave1"})
        actions_[name]->setCheckable(true);
    // The help page opens from the menu bar's own "&Help" item.
    QAction* help = menuBar()->addAction("&Help");
    help->setObjectName("Help1");
    connect(help, &QAction::triggered, this, &TMapForm::Help1Click);
    actions_["Help1"] = help;
    // Ctrl+A on the command line switches the automapper too: the check mark shows the flag.
    connect(menuBar()->findChild<QMenu*>("ControlMenu"), &QMenu::aboutToShow, this,
            [this] { action("Activate1")->setChecked(map_.active); });
}

QAction* TMapForm::action(const QString& name) const
{
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

// --- Showing and drawing ---

void TMapForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    fitOuterSize();
    if (!event->spontaneous() && !reshowing_)
        FormShow();
}

void TMapForm::FormShow()
{
    action("Activate1")->setChecked(map_.active);
    follow_.follow(map_);
    // The window's outer size, as the scroll positions have always been reckoned.
    const QRect outer = frameGeometry();
    ScrollBox->horizontalScrollBar()->setValue(map_.MapX * MapFace::CellPixels - 15 - outer.width() / 2);
    ScrollBox->verticalScrollBar()->setValue(map_.MapY * MapFace::CellPixels - 15 - outer.height() / 2);
    FormResize();
}

void TMapForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMapForm::FormResize()
{
    Face->redraw(map_);
    // What the picture shows, for those who cannot see it; Control > Virtual tells it all.
    ScrollBox->setAccessibleDescription(textFromBytes(mapSummary(map_)));
    AlterCaption();
}

void TMapForm::AlterCaption()
{
    setWindowTitle(QString("AutoMap (%1,%2,%3)")
                       .arg(MapFace::cellAt(map_.LastMouseX))
                       .arg(MapFace::cellAt(map_.LastMouseY))
                       .arg(map_.ViewLevel));
}

// --- The mouse ---

void TMapForm::MapFaceMouseMove(QPoint at)
{
    const int oldX = MapFace::cellAt(map_.LastMouseX), oldY = MapFace::cellAt(map_.LastMouseY);
    const int x = MapFace::cellAt(at.x()), y = MapFace::cellAt(at.y());
    if (x != oldX || y != oldY) {
        Face->outlineCell(oldX, oldY, map_.RoomExists(oldX, oldY, map_.ViewLevel) ? Blue : Black);
        map_.LastMouseX = at.x();
        map_.LastMouseY = at.y();
        AlterCaption();
        Face->outlineCell(x, y, map_.RoomExists(x, y, map_.ViewLevel) ? Lime : Green);
    }
    map_.LastMouseX = at.x();
    map_.LastMouseY = at.y();
}

void TMapForm::MapFaceMouseDown(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    const int x = MapFace::cellAt(at.x()), y = MapFace::cellAt(at.y());
    if (mods & Qt::ControlModifier) {
        if (map_.RoomExists(x, y, map_.ViewLevel)) {
            map_.MapX = x;
            map_.MapY = y;
            map_.MapLevel = map_.ViewLevel;
            session_.tracker.positionSetByHand();
            FormResize();
        }
    } else if (button == Qt::LeftButton) {
        MapFace1Click();
    } else if (button == Qt::RightButton) {
        MapFaceClick();
    } else if (button == Qt::MiddleButton) {
        // Speedwalk: the game is sent the way there, the automapper following each step.
        session_.speedwalkTo({x, y, map_.ViewLevel});
    }
}

void TMapForm::MapFace1Click()
{
    const int x = MapFace::cellAt(map_.LastMouseX), y = MapFace::cellAt(map_.LastMouseY);
    if (map_.CreateMap(x, y, map_.ViewLevel, dir::None))
        map_.DeleteRoom(x, y, map_.ViewLevel);
    FormResize();
}

void TMapForm::MapFaceClick()
{
    const Cell c{MapFace::cellAt(map_.LastMouseX), MapFace::cellAt(map_.LastMouseY), map_.ViewLevel};
    if (RoomEditDLG && RoomEditDLG->editCell(c))
        FormResize();
}

// --- Map menu ---

void TMapForm::New1Click()
{
    map_.newMap();
    FormResize();
}

void TMapForm::Open1Click()
{
    const QString file = chooseFile(OpenDialog1);
    if (file.isEmpty())
        return;
    if (MapFile::open(map_, localPath(file), session_.host))
        FormResize();
}

void TMapForm::Save1Click() { saveMap(); }

void TMapForm::SaveAs1Click()
{
    const QString file = chooseFile(SaveDialog1);
    if (!file.isEmpty())
        saveMapTo(localPath(file));
}

bool TMapForm::saveMap()
{
    const std::string path = map_.MapFileName.empty() ? localPath(chooseFile(SaveDialog1)) : map_.MapFileName;
    return !path.empty() && saveMapTo(path);
}

// A file that cannot be written keeps the name the map had, so that Save does not go on
// trying a place that failed.
bool TMapForm::saveMapTo(const std::string& path)
{
    if (const auto error = MapFile::save(map_, path)) {
        session_.host.messageBox(GeneralErrorCaption, *error, MsgButtons::Ok);
        return false;
    }
    return true;
}

bool TMapForm::mayClose()
{
    if (!map_.changed())
        return true;
    // A map that saves itself does so without asking; only a failed save asks.
    if (autoSave_.due(map_) && saveMapTo(map_.MapFileName))
        return true;
    switch (session_.host.messageBox(AppTitle, SaveChangesText, MsgButtons::YesNoCancel)) {
    case MsgAnswer::Cancel:
        return false;
    case MsgAnswer::Yes:
        return saveMap();
    default:
        return true;
    }
}

void TMapForm::Export1Click()
{
    ListFileDialog::transfer(chooseFile, SaveDialog2, session_.host,
                             [this](const std::string& path) { return MapExport::write(map_, path); });
}

void TMapForm::ViewExport1Click()
{
    session_.host.runEditor(session_.setup.EditorName, map_.ExportFileName);
}

void TMapForm::Exit1Click() { hide(); }

// --- Shift menu ---

void TMapForm::afterShift()
{
    if (map_.ShiftOk)
        FormResize();
}

void TMapForm::ShiftNorth1Click() { map_.ShiftNorth(); afterShift(); }
void TMapForm::ShiftSouth1Click() { map_.ShiftSouth(); afterShift(); }
void TMapForm::ShiftWest1Click() { map_.ShiftWest(); afterShift(); }
void TMapForm::ShiftEast1Click() { map_.ShiftEast(); afterShift(); }
void TMapForm::ShiftUp1Click() { map_.ShiftUp(); afterShift(); }
void TMapForm::ShiftDown1Click() { map_.ShiftDown(); afterShift(); }

// --- Level menu ---

void TMapForm::Up1Click()
{
    if (map_.ViewLevel > RoomGrid::Levels - 1)
        return;
    ++map_.ViewLevel;
    FormResize();
}

void TMapForm::Down1Click()
{
    if (map_.ViewLevel < 2)
        return;
    --map_.ViewLevel;
    FormResize();
}

void TMapForm::Goto1Click()
{
    if (levelDlg_.exec() != QDialog::Accepted)
        return;
    if (const std::optional<int> level = levelDlg_.level()) {
        map_.ViewLevel = *level;
        FormResize();
    }
}

// --- Control and Help ---

void TMapForm::Virtual1Click()
{
    if (VirtualDLG)
        VirtualDLG->exec();
    FormResize();
}

void TMapForm::Activate1Click()
{
    map_.active = !map_.active;
    action("Activate1")->setChecked(map_.active);
    emit automapSwitched();
}

// --- The living map ---

namespace {

struct MapSwitch {
    const char* key;
    const char* action;
    void (TMapForm::*apply)(bool);
};

} // namespace

void TMapForm::FollowWalk1Click()
{
    setFollow(action("FollowWalk1")->isChecked());
    rememberSwitch("Follow", follow_.on);
}

void TMapForm::KeepOnTop1Click()
{
    const bool on = action("KeepOnTop1")->isChecked();
    setKeepOnTop(on);
    rememberSwitch("OnTop", on);
}

void TMapForm::AutoSave1Click()
{
    setAutoSave(action("AutoSave1")->isChecked());
    rememberSwitch("AutoSave", autoSave_.on);
}

IniFile TMapForm::ini() const { return IniFile(iniPath ? iniPath() : IniFile::defaultPath()); }

void TMapForm::readSwitches()
{
    const IniFile file = ini();
    const MapSwitch switches[] = {{"Follow", "FollowWalk1", &TMapForm::setFollow},
                                  {"OnTop", "KeepOnTop1", &TMapForm::setKeepOnTop},
                                  {"AutoSave", "AutoSave1", &TMapForm::setAutoSave}};
    for (const MapSwitch& s : switches) {
        const bool on = file.readMapSwitch(s.key);
        action(s.action)->setChecked(on);
        (this->*s.apply)(on);
    }
}

void TMapForm::rememberSwitch(const char* key, bool on)
{
    const IniFile file = ini();
    if (!file.writeMapSwitch(key, on))
        session_.host.messageBox(AppTitle, "Unable to write to " + localPath(file.path()), MsgButtons::Ok);
}

void TMapForm::setFollow(bool on)
{
    follow_.on = on;
    // Switched on, the window catches up with the walk at once.
    if (on && isVisible())
        MapTracked();
}

// A tool window of the main window stays above it, so that typing there does not bury the map.
// Changing the type makes a new native window: it is shown again where it was.
void TMapForm::setKeepOnTop(bool on)
{
    const Qt::WindowFlags type = on ? Qt::Tool : Qt::Window;
    if ((windowFlags() & Qt::WindowType_Mask) == type)
        return;
    const bool shown = isVisible();
    const QPoint at = pos();
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | type);
    move(at);
    if (shown) {
        reshowing_ = true;
        show();
        reshowing_ = false;
    }
}

void TMapForm::setAutoSave(bool on)
{
    autoSave_.on = on;
    if (!on)
        AutoSaveTimer->stop();
}

void TMapForm::MapTracked()
{
    if (autoSave_.due(map_) && !AutoSaveTimer->isActive())
        AutoSaveTimer->start(MapAutoSave::DelayMilliseconds);
    if (!isVisible() || !follow_.follow(map_))
        return;
    Face->redrawChanged(map_);
    AlterCaption();
    keepInSight();
}

void TMapForm::keepInSight()
{
    QScrollBar* across = ScrollBox->horizontalScrollBar();
    QScrollBar* down = ScrollBox->verticalScrollBar();
    const MapFollow::View now{across->value(), down->value(), ScrollBox->viewport()->width(),
                              ScrollBox->viewport()->height()};
    const MapFollow::View next = MapFollow::keepInSight(now, map_.position(), MapFace::CellPixels);
    across->setValue(next.left);
    down->setValue(next.top);
}

// Saving by itself never asks; a failure is said on the status row and the file stays as it was.
void TMapForm::autoSaveNow()
{
    if (const auto error = autoSave_.saveChanges(map_))
        session_.host.setStatus("Map not saved: " + *error);
}

QString TMapForm::roomTipAt(QPoint at) const
{
    const Cell c{MapFace::cellAt(at.x()), MapFace::cellAt(at.y()), map_.ViewLevel};
    return GameText::toQString(roomTip(map_, c));
}

void TMapForm::Help1Click() { session_.host.runHelp("EXPLORER.EXE docs\\menu_special_automap.html"); }

// --- Hiding instead of closing ---

void TMapForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

void TMapForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace tw
