#include "core/qt/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tw {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Find"));
    auto* label = new QLabel(tr("Find what:"), this);
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    label->setBuddy(FindEdit);
    MatchCaseBox = new QCheckBox(tr("Match &case"), this);
    MatchCaseBox->setObjectName(QStringLiteral("MatchCaseBox"));
    FindNextBtn = new QPushButton(tr("&Find Next"), this);
    FindNextBtn->setObjectName(QStringLiteral("FindNextBtn"));
    FindNextBtn->setDefault(true);
    CancelBtn = new QPushButton(tr("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(FindEdit, 0, 1);
    grid->addWidget(FindNextBtn, 0, 2);
    grid->addWidget(MatchCaseBox, 1, 0, 1, 2);
    grid->addWidget(CancelBtn, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(FindNextBtn, &QPushButton::clicked, this,
            [this] { emit findRequested(findText(), matchCase()); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QString FindDialog::findText() const { return FindEdit->text(); }

bool FindDialog::matchCase() const { return MatchCaseBox->isChecked(); }

} // namespace tw
