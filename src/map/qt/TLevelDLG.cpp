#include "map/qt/TLevelDLG.h"

#include "base/WholeNumber.h"
#include "map/RoomGrid.h"
#include "script/qt/ListDialogSupport.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

TLevelDLG::TLevelDLG(QWidget* parent) : QDialog(parent)
{
    setObjectName("TLevelDLG");
    setWindowTitle("Level");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* group = new QGroupBox("Enter Level", this);
    group->setObjectName("GroupBox1");
    LText = new QLineEdit("5", group);
    LText->setObjectName("LText");
    (new QVBoxLayout(group))->addWidget(LText);

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelBtn");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    auto* row = new QHBoxLayout;
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    setFixedSize(sizeHint().expandedTo(QSize(104, 105)));
}

void TLevelDLG::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        LText->setFocus();
        LText->selectAll();
    }
}

std::optional<int> TLevelDLG::level() const
{
    const std::optional<long> v = parseWholeNumber(bytesFromText(LText->text()));
    if (!v || *v < 1 || *v > RoomGrid::Levels)
        return std::nullopt;
    return int(*v);
}

} // namespace tw
