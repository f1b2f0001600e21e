#include "settings/qt/TSetupDlg.h"

#include "base/Host.h"
#include "base/qt/FontConversion.h"
#include "settings/SetupRules.h"
#include "core/qt/PlainView.h"
#include "script/qt/ListDialogSupport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tw {

namespace {
QString qs(const std::string& s) { return textFromBytes(s); }
std::string bytes(const QString& s) { return bytesFromText(s); }
constexpr int FileNameLimit = 255, NumberLimit = 5, MessageCommandLimit = 32;

StoredFont storedFontIn(const SetupVars& v)
{
    return {v.FontHeight, v.FontName, v.FontPitch, v.FontSize, v.FontStyle};
}

void storeFont(const QFont& font, SetupVars& v)
{
    const StoredFont stored = storedFontOf(font);
    v.FontHeight = stored.height;
    v.FontName = stored.name;
    v.FontPitch = stored.pitch;
    v.FontSize = stored.size;
    v.FontStyle = stored.style;
}

// A box's caption, which names the box to screen readers too.
QLabel* caption(const char* text, QWidget* box)
{
    auto* label = new QLabel(text);
    label->setBuddy(box);
    return label;
}

QLineEdit* lineEdit(const char* name, int maxLength)
{
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}
} // namespace

TSetupDlg::TSetupDlg(SetupVars& vars, PlainView& terminal, Host& host, QWidget* parent)
    : QDialog(parent), vars_(vars), terminal_(terminal), host_(host)
{
    setObjectName("TSetupDlg");
    setWindowTitle("General Setup");

    Edit5 = lineEdit("Edit5", FileNameLimit);
    Edit6 = lineEdit("Edit6", FileNameLimit);
    Edit3 = lineEdit("Edit3", NumberLimit);
    Edit4 = lineEdit("Edit4", NumberLimit);
    NoteTo = lineEdit("NoteTo", MessageCommandLimit);
    NoteSubject = lineEdit("NoteSubject", MessageCommandLimit);
    NotePlus = lineEdit("NotePlus", MessageCommandLimit);
    NoteSend = lineEdit("NoteSend", MessageCommandLimit);

    auto* files = new QGroupBox("File Names");
    auto* filesGrid = new QGridLayout(files);
    filesGrid->addWidget(caption("Editor", Edit5), 0, 0);
    filesGrid->addWidget(Edit5, 0, 1);
    filesGrid->addWidget(caption("Note File", Edit6), 1, 0);
    filesGrid->addWidget(Edit6, 1, 1);

    auto* echo = new QGroupBox("&Echo");
    auto* echoBox = new QVBoxLayout(echo);
    RadioButton1 = new QRadioButton("Command");
    RadioButton2 = new QRadioButton("Enter");
    RadioButton3 = new QRadioButton("None");
    RadioButton1->setObjectName("RadioButton1");
    RadioButton2->setObjectName("RadioButton2");
    RadioButton3->setObjectName("RadioButton3");
    echoBox->addWidget(RadioButton1);
    echoBox->addWidget(RadioButton2);
    echoBox->addWidget(RadioButton3);

    auto* buffers = new QGroupBox("Buffers");
    auto* buffersGrid = new QGridLayout(buffers);
    buffersGrid->addWidget(caption("Commands Retained", Edit3), 0, 0);
    buffersGrid->addWidget(Edit3, 0, 1);
    buffersGrid->addWidget(caption("Scrollback Size", Edit4), 1, 0);
    buffersGrid->addWidget(Edit4, 1, 1);

    CheckBox4 = new QCheckBox("&Reconnect");
    CheckBox4->setObjectName("CheckBox4");
    CheckBox3 = new QCheckBox("&Word Wrap");
    CheckBox3->setObjectName("CheckBox3");
    Button1 = new QPushButton("Change &Font");
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("Change &Color");
    Button2->setObjectName("Button2");

    auto* messages = new QGroupBox("Message Commands");
    auto* msgGrid = new QGridLayout(messages);
    msgGrid->addWidget(caption("Name", NoteTo), 0, 0);
    msgGrid->addWidget(NoteTo, 0, 1);
    msgGrid->addWidget(caption("Subject", NoteSubject), 1, 0);
    msgGrid->addWidget(NoteSubject, 1, 1);
    msgGrid->addWidget(caption("Add Line", NotePlus), 2, 0);
    msgGrid->addWidget(NotePlus, 2, 1);
    msgGrid->addWidget(caption("Send", NoteSend), 3, 0);
    msgGrid->addWidget(NoteSend, 3, 1);

    OKBtn = new QPushButton("&Apply");
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel");
    CancelBtn->setObjectName("CancelBtn");
    HelpBtn = new QPushButton("&Help");
    HelpBtn->setObjectName("HelpBtn");

    auto* checks = new QVBoxLayout;
    checks->addWidget(CheckBox4);
    checks->addWidget(CheckBox3);
    checks->addWidget(Button1);
    checks->addWidget(Button2);
    checks->addStretch();

    auto* grid = new QGridLayout;
    grid->addWidget(files, 0, 0, 1, 3);
    grid->addWidget(echo, 1, 0);
    grid->addWidget(buffers, 1, 1);
    grid->addLayout(checks, 1, 2);
    grid->addWidget(messages, 2, 0, 1, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);

    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(buttons);

    // Design values of the controls; InitSetupVars reads them into the record.
    const SetupVars design;
    Edit5->setText(textFromPath(design.EditorName));
    Edit6->setText(textFromPath(design.NoteFileName));
    RadioButton1->setChecked(true);
    Edit3->setText(QString::number(design.CommandsRetained));
    Edit4->setText(QString::number(design.ScrollbackSize));
    CheckBox4->setChecked(design.AutoReconnect);
    CheckBox3->setChecked(design.WordWrap);
    NoteTo->setText(qs(design.NoteTo));
    NoteSubject->setText(qs(design.NoteSubject));
    NotePlus->setText(qs(design.NotePlus));
    NoteSend->setText(qs(design.NoteSend));

    Edit3->installEventFilter(this);
    Edit4->installEventFilter(this);

    chooseFont = [this](QFont& f) {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, f, this, "Font");
        if (ok)
            f = chosen;
        return ok;
    };
    chooseColor = [this](QColor& c) {
        const QColor chosen = QColorDialog::getColor(c, this, "Color");
        if (chosen.isValid())
            c = chosen;
        return chosen.isValid();
    };

    connect(OKBtn, &QPushButton::clicked, this, &TSetupDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TSetupDlg::CancelBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TSetupDlg::HelpBtnClick);
    connect(Button1, &QPushButton::clicked, this, &TSetupDlg::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSetupDlg::Button2Click);
}

bool TSetupDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == Edit3)
            CheckData3();
        else if (watched == Edit4)
            CheckData4();
    }
    return QDialog::eventFilter(watched, event);
}

void TSetupDlg::InitSetupVars()
{
    pendingFont = terminal_.font();
    pendingColor = terminal_.palette().color(QPalette::Text);
    readControls();
    vars_.FontColor = colorValue(pendingColor);
    storeFont(pendingFont, vars_);
}

void TSetupDlg::readControls()
{
    // Texts the player did not touch keep their bytes; the two file names are shown and read
    // in the system's file name encoding.
    vars_.EditorName = keptOrEdited(Edit5->text(), vars_.EditorName, true);
    vars_.NoteFileName = keptOrEdited(Edit6->text(), vars_.NoteFileName, true);
    vars_.EchoCommand = RadioButton1->isChecked();
    vars_.EchoEnter = RadioButton2->isChecked();
    vars_.EchoNone = RadioButton3->isChecked();
    // Apply takes the value the range check accepts, in hexadecimal too.
    vars_.CommandsRetained = commandsRetainedFrom(bytes(Edit3->text()));
    vars_.ScrollbackSize = scrollbackSizeFrom(bytes(Edit4->text()));
    vars_.AutoReconnect = CheckBox4->isChecked();
    vars_.WordWrap = CheckBox3->isChecked();
    vars_.NoteTo = keptOrEdited(NoteTo->text(), vars_.NoteTo);
    vars_.NoteSubject = keptOrEdited(NoteSubject->text(), vars_.NoteSubject);
    vars_.NotePlus = keptOrEdited(NotePlus->text(), vars_.NotePlus);
    vars_.NoteSend = keptOrEdited(NoteSend->text(), vars_.NoteSend);
}

void TSetupDlg::FillValues()
{
    // Loaded texts may be longer than the player may type; they are shown whole.
    setTextKeepingLength(*Edit5, textFromPath(vars_.EditorName), FileNameLimit);
    setTextKeepingLength(*Edit6, textFromPath(vars_.NoteFileName), FileNameLimit);
    QRadioButton* radios[] = {RadioButton1, RadioButton2, RadioButton3};
    const int on = echoButtonFromFlags(vars_.EchoCommand, vars_.EchoEnter, vars_.EchoNone);
    for (auto* r : radios)
        r->setAutoExclusive(false);
    for (int i = 0; i < 3; ++i)
        radios[i]->setChecked(i == on);
    for (auto* r : radios)
        r->setAutoExclusive(true);
    setTextKeepingLength(*Edit3, QString::number(vars_.CommandsRetained), NumberLimit);
    setTextKeepingLength(*Edit4, QString::number(vars_.ScrollbackSize), NumberLimit);
    CheckBox4->setChecked(vars_.AutoReconnect);
    CheckBox3->setChecked(vars_.WordWrap);
    setTextKeepingLength(*NoteTo, qs(vars_.NoteTo), MessageCommandLimit);
    setTextKeepingLength(*NoteSubject, qs(vars_.NoteSubject), MessageCommandLimit);
    setTextKeepingLength(*NotePlus, qs(vars_.NotePlus), MessageCommandLimit);
    setTextKeepingLength(*NoteSend, qs(vars_.NoteSend), MessageCommandLimit);
    pendingFont = fontFromStored(storedFontIn(vars_));
    pendingColor = colorFromStored(vars_.FontColor);
    fontChosen = false;
    colorChosen = false;
    applyFontToTerminal(pendingFont, pendingColor);
}

void TSetupDlg::applyFontToTerminal(const QFont& font, const QColor& color)
{
    terminal_.setFont(font);
    QPalette p = terminal_.palette();
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::Base, Qt::black);
    terminal_.setPalette(p);
}

void TSetupDlg::OKBtnClick()
{
    // A file name too long to keep is refused, and the dialog stays open to shorten it.
    const auto refused = [this](const QLineEdit* box, const std::string& field, const char* label) {
        const auto refusal = refuseStoredFileName(keptOrEdited(box->text(), field, true), label);
        if (refusal)
            host_.messageBox(GeneralErrorCaption, *refusal, MsgButtons::Ok);
        return refusal.has_value();
    };
    if (refused(Edit5, vars_.EditorName, "Editor") || refused(Edit6, vars_.NoteFileName, "Note File"))
        return;
    readControls();
    terminal_.setWordWrap(vars_.WordWrap);
    if (colorChosen)
        vars_.FontColor = colorValue(pendingColor);
    if (fontChosen)
        storeFont(pendingFont, vars_);
    applyFontToTerminal(pendingFont, pendingColor);
    accept();
}

void TSetupDlg::CancelBtnClick() { reject(); }

void TSetupDlg::Button1Click()
{
    QFont f = pendingFont;
    if (chooseFont && chooseFont(f)) {
        pendingFont = f;
        fontChosen = true;
    }
}

void TSetupDlg::Button2Click()
{
    QColor c = pendingColor;
    if (chooseColor && chooseColor(c)) {
        pendingColor = c;
        colorChosen = true;
    }
}

void TSetupDlg::CheckData3() { Edit3->setText(qs(CheckCommandsRetained(bytes(Edit3->text())))); }

void TSetupDlg::CheckData4() { Edit4->setText(qs(CheckScrollbackSize(bytes(Edit4->text())))); }

void TSetupDlg::HelpBtnClick() { host_.runHelp("EXPLORER.EXE docs\\menu_options_gen.html"); }

} // namespace tw
