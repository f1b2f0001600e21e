#pragma once
// The map window "AutoMap": one level of the map on a scrollable board, with the mouse to
// create, delete, edit and choose rooms, the menus of the map file, shifts, levels and the
// automapper switch. Closing it only hides it; the map lives on in the session.
#include "map/MapModel.h"
#include "script/qt/ListFileDialog.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QScrollArea;

namespace tw {

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

    Session& session_;
    MapModel& map_;
    TLevelDLG& levelDlg_;
    std::map<QString, QAction*> actions_;
};

} // namespace tw
