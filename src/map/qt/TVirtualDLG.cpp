#include "map/qt/TVirtualDLG.h"

#include "base/Host.h"
#include "map/qt/MapWindowStyle.h"
#include "map/qt/TRoomEditDLG.h"
#include "script/qt/ListDialogSupport.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>

namespace tw {

TVirtualDLG::TVirtualDLG(MapModel& map, TRoomEditDLG& roomEdit, Host& host, QWidget* parent)
    : QDialog(parent), walk_(map), map_(map), roomEdit_(roomEdit), host_(host)
{
    setObjectName("TVirtualDLG");
    setWindowTitle("Virtual AutoMap");
    // Resizable, but without buttons on its caption: the console ends through OK or the quit
    // command.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    setFont(mapDialogFont());

    VirtualScreen = new QPlainTextEdit(this);
    VirtualScreen->setObjectName("VirtualScreen");
    VirtualScreen->setReadOnly(true);
    VirtualScreen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    VirtualScreen->setAccessibleName("Virtual AutoMap screen");
    QPalette pal = VirtualScreen->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, QColor(128, 128, 128));
    VirtualScreen->setPalette(pal);
    VirtualScreen->setFont(mapFont("System", 11, true));

    VirtualCmd = new QLineEdit(this);
    VirtualCmd->setObjectName("VirtualCmd");
    VirtualCmd->setFrame(false);
    VirtualCmd->setMaxLength(256);
    VirtualCmd->setAccessibleName("Command");

    // A button of no size, the default one, so that Enter in the command box runs the command.
    CmdBtn = new QPushButton(this);
    CmdBtn->setObjectName("CmdBtn");
    CmdBtn->setFixedSize(0, 0);
    CmdBtn->setFocusPolicy(Qt::NoFocus);
    CmdBtn->setDefault(true);
    connect(CmdBtn, &QPushButton::clicked, this, &TVirtualDLG::CmdBtnClick);

    OKBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "&OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    HelpBtn = new QPushButton("&Help", this);
    HelpBtn->setObjectName("HelpBtn");
    HelpBtn->setAutoDefault(false);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { host_.runHelp(VirtualWalk::HelpCommand); });

    resize(555, 325);
    centreOnScreen(*this);
}

void TVirtualDLG::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    walk_.start();
    showScreen();
    VirtualCmd->setFocus();
}

void TVirtualDLG::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int w = width(), h = height();
    const int buttonW = OKBtn->sizeHint().width(), buttonH = OKBtn->sizeHint().height();
    const int cmdH = VirtualCmd->sizeHint().height();
    const int screenW = std::max(0, w - 8);
    const int screenH = std::max(0, h - 2 * buttonH - cmdH);
    VirtualScreen->setGeometry(0, 0, screenW, screenH);
    VirtualCmd->setGeometry(0, screenH, screenW, cmdH);
    const int buttonY = screenH + cmdH + buttonH / 2;
    OKBtn->setGeometry(screenW - 2 * buttonW - 8, buttonY, buttonW, buttonH);
    HelpBtn->setGeometry(screenW - buttonW, buttonY, buttonW, buttonH);
}

void TVirtualDLG::keyPressEvent(QKeyEvent* event)
{
    // There is no Cancel: Escape does not close the console.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TVirtualDLG::CmdBtnClick()
{
    const std::string typed = bytesFromText(VirtualCmd->text());
    VirtualCmd->clear();
    const VirtualWalk::Action action = walk_.run(typed);
    showScreen();
    switch (action) {
    case VirtualWalk::Action::Quit:
        accept();
        break;
    case VirtualWalk::Action::Help:
        host_.runHelp(VirtualWalk::HelpCommand);
        break;
    case VirtualWalk::Action::Edit:
        roomEdit_.editCell(map_.position());
        walk_.ShowRoom();
        showScreen();
        break;
    case VirtualWalk::Action::None:
        break;
    }
}

void TVirtualDLG::showScreen()
{
    VirtualScreen->setPlainText(textFromBytes(walk_.screen()));
    VirtualScreen->moveCursor(QTextCursor::End);
    VirtualScreen->verticalScrollBar()->setValue(VirtualScreen->verticalScrollBar()->maximum());
}

} // namespace tw
