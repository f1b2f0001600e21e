#include "net/qt/TANSIDefDLG.h"

#include "base/Host.h"
#include "net/qt/ColourPanel.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

TANSIDefDLG::TANSIDefDLG(Palette& palette, Host& host, QWidget* parent)
    : QDialog(parent), palette_(palette), host_(host)
{
    setWindowTitle(QStringLiteral("ANSI Color Definitions"));
    palette_.colors = Palette::defaults();

    chooseColour = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor c = QColorDialog::getColor(initial, this, QString());
        if (!c.isValid())
            return std::nullopt;
        return c;
    };

    auto* grid = new QGridLayout;
    for (int n = 0; n < 16; ++n) {
        auto* panel = new ColourPanel(QString::fromLatin1(Palette::names()[std::size_t(n)]), this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(n + 1));
        // Two columns: the normal colours on the left, their bright forms on the right.
        grid->addWidget(panel, n % 8, n / 8);
        connect(panel, &ColourPanel::clicked, this, [this, n] { PanelClick(n); });
        panels[std::size_t(n)] = panel;
    }

    DefaultsBtn = new QPushButton(QStringLiteral("&Defaults"), this);
    DefaultsBtn->setObjectName(QStringLiteral("DefaultsBtn"));
    ModernBtn = new QPushButton(QStringLiteral("&Modern"), this);
    ModernBtn->setObjectName(QStringLiteral("ModernBtn"));
    ModernBtn->setToolTip(QStringLiteral("A palette for today's games: the VGA colours"));
    ModernBtn->hide();
    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DefaultsBtn);
    buttons->addWidget(ModernBtn);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(DefaultsBtn, &QPushButton::clicked, this, &TANSIDefDLG::DefaultsBtnClick);
    connect(ModernBtn, &QPushButton::clicked, this, &TANSIDefDLG::ModernBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TANSIDefDLG::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TANSIDefDLG::HelpBtnClick);

    refreshPanels();
}

QColor TANSIDefDLG::toQColor(ColorRef c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

ColorRef TANSIDefDLG::toColorRef(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

void TANSIDefDLG::refreshPanels()
{
    for (int n = 0; n < 16; ++n)
        panels[std::size_t(n)]->setColour(toQColor(palette_[n]));
}

void TANSIDefDLG::showEvent(QShowEvent* event)
{
    refreshPanels();
    QDialog::showEvent(event);
}

void TANSIDefDLG::PanelClick(int colourNumber)
{
    const auto chosen = chooseColour(panels[std::size_t(colourNumber)]->colour());
    if (!chosen)
        return;
    // Taken at once: even Cancel keeps it.
    palette_.colors[std::size_t(colourNumber)] = toColorRef(*chosen);
    refreshPanels();
}

void TANSIDefDLG::DefaultsBtnClick()
{
    palette_.colors = Palette::defaults();
    refreshPanels();
}

void TANSIDefDLG::ModernBtnClick()
{
    palette_.colors = Palette::modern();
    refreshPanels();
}

void TANSIDefDLG::setModernShown(bool shown) { ModernBtn->setVisible(shown); }

void TANSIDefDLG::OKBtnClick()
{
    for (int n = 0; n < 16; ++n)
        palette_.colors[std::size_t(n)] = toColorRef(panels[std::size_t(n)]->colour());
    accept();
}

void TANSIDefDLG::HelpBtnClick()
{
    host_.runHelp("EXPLORER.EXE docs\\menu_options_ansi.html");
}

} // namespace tw
