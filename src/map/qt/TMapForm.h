#pragma once
// The map window "AutoMap": one level of the map on a scrollable board, with the mouse to
// create, delete, edit and choose rooms, the menus of the map file, shifts, levels and the
// automapper switch. Closing it only hides it; the map lives on in the session.
#include "map/MapAutoSave.h"
#include "map/MapFollow.h"
#include "map/MapModel.h"
#include "script/qt/ListFileDialog.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QScrollArea;
class QTimer;

namespace tw {

class IniFile;
class MapFace;
class Session;
class TLevelDLG;
class TRoomEditDLG;
class TVirtualDLG;

class TMapForm : public QMainWindow {
    Q_OBJECT
public:
    TMapForm(Session& session, TLevelDLG& levelDlg, QWidget* parent = nullptr);
    // The window's first size, frame included.
    static constexpr QSize OuterSize{508, 367};

    // The dialogs the map window opens; created later in the program's window order.
    TRoomEditDLG* RoomEditDLG = nullptr;
    TVirtualDLG* VirtualDLG = nullptr;

    QScrollArea* ScrollBox = nullptr;
    MapFace* Face = nullptr;
    QAction* action(const QString& name) const;

    // The file dialogs, replaceable so that tests never block.
    FileChooser chooseFile;
    static const FileChoice OpenDialog1, SaveDialog1, SaveDialog2;

    void New1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void Export1Click();
    void ViewExport1Click();
    void Exit1Click();
    void ShiftNorth1Click();
    void ShiftSouth1Click();
    void ShiftWest1Click();
    void ShiftEast1Click();
    void ShiftUp1Click();
    void ShiftDown1Click();
    void Up1Click();
    void Down1Click();
    void Goto1Click();
    void Virtual1Click();
    void Activate1Click();
    void Help1Click();

    // The window's own switches, each remembered in the INI file's section "Map": "&Follow
    // the Walk" (key "Follow"), "Keep on &Top" ("OnTop") and "Save A&utomatically"
    // ("AutoSave"). All are off until the player switches them on.
    void FollowWalk1Click();
    void KeepOnTop1Click();
    void AutoSave1Click();
    // Where the INI file lives; the main window sets it and then reads the switches in.
    std::function<QString()> iniPath;
    void readSwitches();
    const MapFollow& follow() const { return follow_; }
    const MapAutoSave& autoSave() const { return autoSave_; }
    QTimer* AutoSaveTimer = nullptr;

    // Tracking changed the map: shown at once while following (only the cells that changed),
    // and saved a few seconds later when the map saves itself.
    void MapTracked();
    // The tip on a rest of the mouse over a picture pixel: the room's title and exits.
    QString roomTipAt(QPoint at) const;

    // Saves to MapFileName, or to a file the player names first; false when nothing was saved.
    bool saveMap();
    // The map is kept only in its file: when its rooms changed since it was last opened, saved
    // or made new, asks "Save changes to the map file?". Yes saves, No leaves them, Cancel
    // (or a save that did not happen) stays.
    static constexpr const char* SaveChangesText = "Save changes to the map file?";
    bool mayClose();

    void FormShow();
    void FormResize();
    void AlterCaption();
    void MapFaceMouseMove(QPoint at);
    void MapFaceMouseDown(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods);
    void MapFace1Click();
    void MapFaceClick();

signals:
    // The automapper was switched from this window's menu.
    void automapSwitched();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void fitOuterSize();
    bool outerSized_ = false;
    void buildMenus();
    void afterShift();
    bool saveMapTo(const std::string& path);
    IniFile ini() const;
    void rememberSwitch(const char* key, bool on);
    void setFollow(bool on);
    void setKeepOnTop(bool on);
    void setAutoSave(bool on);
    void keepInSight();
    void autoSaveNow();

    Session& session_;
    MapModel& map_;
    TLevelDLG& levelDlg_;
    std::map<QString, QAction*> actions_;
    MapFollow follow_;
    MapAutoSave autoSave_;
    bool reshowing_ = false; // shown again after its window type changed
};

} // namespace tw
