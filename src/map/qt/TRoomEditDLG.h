#pragma once
// "Room Editor": one cell's room (title, ten description lines, ten exits) for editing. OK
// stores into the map, creating the room in an empty cell; Cancel changes nothing.
#include "map/RoomEdit.h"

#include <QDialog>
#include <QSize>

#include <array>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tw {

class Host;

class TRoomEditDLG : public QDialog {
    Q_OBJECT
public:
    TRoomEditDLG(MapModel& map, Host& host, QWidget* parent = nullptr);
    static constexpr QSize ClientSize{378, 367};

    // Opens the editor on a cell and returns whether it closed with OK.
    bool editCell(const Cell& c);

    QLineEdit* TitleEdit = nullptr;
    QPlainTextEdit* DescMemo = nullptr;
    std::array<QCheckBox*, dir::Count> CheckBoxes{};
    std::array<std::array<QLineEdit*, 3>, dir::Count> RM{}; // RMdx, RMdy, RMdz
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void OKBtnClick();
    void RMOnExit();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RoomEditForm readForm() const;

    MapModel& map_;
    Host& host_;
    Cell cell_;
};

} // namespace tw
