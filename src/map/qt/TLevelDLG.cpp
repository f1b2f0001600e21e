#include "map/qt/TLevelDLG.h"

#include "base/WholeNumber.h"
#include "map/RoomGrid.h"
#include "map/qt/MapWindowStyle.h"
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
    // A fixed frame with a caption and no buttons on it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    setFont(mapDialogFont());

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
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(group);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (QPushButton* b : {ok, cancel}) {
        b->setMinimumWidth(0);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        row->addWidget(b);
    }
    layout->addLayout(row);
    setFixedSize(ClientSize);
    centreOnScreen(*this);
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
