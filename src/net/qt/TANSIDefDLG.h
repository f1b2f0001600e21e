#pragma once
// "ANSI Color Definitions": the 16 terminal colours, one panel each.
#include "net/Palette.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QPushButton;

namespace tw {

class ColourPanel;
class Host;

class TANSIDefDLG : public QDialog {
    Q_OBJECT
public:
    // Sets the palette to the defaults, as the program starts with them. After exec()
    // returns Accepted the caller redraws the terminal.
    TANSIDefDLG(Palette& palette, Host& host, QWidget* parent = nullptr);

    // Asks the player for a colour, starting from the given one; nothing when cancelled.
    // Tests replace it.
    std::function<std::optional<QColor>(const QColor& initial)> chooseColour;

    std::array<ColourPanel*, 16> panels{}; // Panel1 .. Panel16, colour numbers 0 .. 15
    QPushButton* DefaultsBtn;
    // Shown only in Modern Server Mode: the palette for today's games.
    QPushButton* ModernBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    static QColor toQColor(ColorRef c);
    static ColorRef toColorRef(const QColor& c);

    void PanelClick(int colourNumber);
    void DefaultsBtnClick();
    void ModernBtnClick();
    // The main window shows the "&Modern" button while Modern Server Mode is on.
    void setModernShown(bool shown);
    void OKBtnClick();
    void HelpBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refreshPanels();

    Palette& palette_;
    Host& host_;
};

} // namespace tw
