#include "tools/qt/TStatRollDlg.h"

#include "script/qt/DialogButtons.h"
#include "script/qt/ListDialogSupport.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

TStatRollDlg::TStatRollDlg(StatRoller& roller, QWidget* parent) : QDialog(parent), roller_(roller)
{
    setObjectName("TStatRollDlg");
    setWindowTitle("Stat Roller");
    // Modeless and without a close box; Escape or "&Quit" hide it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    struct BoxSpec {
        const char* frame;
        const char* name;
        int maxLength;
    };
    const BoxSpec specs[StatRoller::BoxCount] = {
        {"STR", "ESTR", 2}, {"INT", "EINT", 2}, {"WIS", "EWIS", 2},
        {"DEX", "EDEX", 2}, {"CON", "ECON", 2}, {"Min Total", "ETOT", 3}};
    auto* grid = new QGridLayout;
    for (int i = 0; i < StatRoller::BoxCount; ++i) {
        auto* frame = new QGroupBox(specs[i].frame, this);
        auto* edit = new QLineEdit(frame);
        edit->setObjectName(specs[i].name);
        edit->setMaxLength(specs[i].maxLength);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        (new QHBoxLayout(frame))->addWidget(edit);
        grid->addWidget(frame, i / 3, i % 3);
        boxes_[std::size_t(i)] = edit;
        const auto box = StatRoller::Box(i);
        connect(edit, &QLineEdit::textEdited, this,
                [this, box](const QString& text) { roller_.boxes[box] = bytesFromText(text); });
        // Leaving the box corrects what it holds.
        connect(edit, &QLineEdit::editingFinished, this, [this, box] {
            roller_.exitBox(box);
            refresh();
        });
    }
    ESTR = boxes_[StatRoller::STR];
    EINT = boxes_[StatRoller::INT];
    EWIS = boxes_[StatRoller::WIS];
    EDEX = boxes_[StatRoller::DEX];
    ECON = boxes_[StatRoller::CON];
    ETOT = boxes_[StatRoller::TOT];

    auto* raceFrame = new QGroupBox("Race", this);
    ComboBox1 = new QComboBox(raceFrame);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setAccessibleName("Race");
    ComboBox1->setEditable(true);
    // Typing part of a name must not complete it into a race, and typed text is no new entry.
    ComboBox1->setCompleter(nullptr);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    for (const StatRoller::Race& race : StatRoller::races())
        ComboBox1->addItem(race.name);
    ComboBox1->setCurrentText("Default");
    connect(ComboBox1, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (roller_.ComboBox1Change(bytesFromText(text)))
            refresh();
    });
    (new QHBoxLayout(raceFrame))->addWidget(ComboBox1);

    RollBtn = DialogButtons::columnButton(this, "RollBtn", StatRoller::RollCaption, &TStatRollDlg::RollBtnClick);
    QuitBtn = DialogButtons::columnButton(this, "QuitBtn", "&Quit", &TStatRollDlg::QuitBtnClick);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(RollBtn);
    buttons->addWidget(QuitBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(raceFrame);
    layout->addLayout(buttons);

    roller_.stopped = [this] { refresh(); };
    refresh();
}

void TStatRollDlg::refresh()
{
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const QString text = textFromBytes(roller_.boxes[i]);
        if (boxes_[i]->text() != text)
            boxes_[i]->setText(text);
    }
    RollBtn->setText(roller_.rollCaption());
}

void TStatRollDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ESTR->setFocus();
}

void TStatRollDlg::RollBtnClick()
{
    roller_.RollBtnClick();
    refresh();
}

void TStatRollDlg::QuitBtnClick()
{
    roller_.QuitBtnClick();
    refresh();
    hide();
}

} // namespace tw
