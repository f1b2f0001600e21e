#pragma once
// "Virtual AutoMap": the walk-through console. A black screen shows the current room and the
// answers; the command box takes the walk-through's commands. Walking moves the map's position.
#include "map/VirtualWalk.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tw {

class Host;
class TRoomEditDLG;

class TVirtualDLG : public QDialog {
    Q_OBJECT
public:
    TVirtualDLG(MapModel& map, TRoomEditDLG& roomEdit, Host& host, QWidget* parent = nullptr);

    QPlainTextEdit* VirtualScreen = nullptr;
    QLineEdit* VirtualCmd = nullptr;
    QPushButton* CmdBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

    void CmdBtnClick();
    const VirtualWalk& walk() const { return walk_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showScreen();

    VirtualWalk walk_;
    MapModel& map_;
    TRoomEditDLG& roomEdit_;
    Host& host_;
};

} // namespace tw
