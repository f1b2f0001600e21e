#pragma once
// The faces and the place of the map's windows: the dialogs write in an 11-pixel bold sans
// serif face, the map window and the walk-through's screen in the "System" face (faces missing
// here fall back to the desktop's sans serif one at the same pixel size); each window opens
// centred on the screen.
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tw {

inline QFont mapFont(const char* family, int pixels, bool bold)
{
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

inline QFont mapDialogFont() { return mapFont("MS Sans Serif", 11, true); }

// Centres the window, frame included as far as it is known, on the primary screen.
inline void centreOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.frameGeometry().center() + window.pos());
}

} // namespace tw
