#pragma once
// Small helpers shared by the dialogs: the byte/QString boundary and the general error report.
#include "base/qt/GameText.h"

#include <QFile>
#include <QLineEdit>
#include <QString>

#include <algorithm>

#include <string>

namespace tw {

// The lists hold the game's text as bytes; the widgets show it as GameText reads it (one
// character per byte, or UTF-8 in Modern Server Mode).
inline QString textFromBytes(const std::string& bytes) { return GameText::toQString(bytes); }

inline std::string bytesFromText(const QString& text) { return GameText::toBytes(text); }

// A path from a file dialog or a box in the form the core's file functions take (the
// system's file name encoding, UTF-8), and back for showing it.
inline std::string localPath(const QString& path)
{
    const QByteArray b = QFile::encodeName(path);
    return std::string(b.constData(), std::size_t(b.size()));
}

// A file name the core holds, as the player reads it: the system's encoding when the bytes are
// valid in it, else one character per byte (a name written on another system).
inline QString textFromPath(const std::string& path)
{
    const QByteArray b = QByteArray::fromStdString(path);
    return b.isValidUtf8() ? QFile::decodeName(b) : textFromBytes(path);
}

// The box's text for a field that holds bytes: the field keeps its bytes when the box still
// shows them, so a value that was loaded survives an Apply unchanged.
inline std::string keptOrEdited(const QString& shown, const std::string& field, bool isPath = false)
{
    if (shown == (isPath ? textFromPath(field) : textFromBytes(field)))
        return field;
    return isPath ? localPath(shown) : bytesFromText(shown);
}

// Sets a box's text without cutting it: the box's length limit is for typing, and a value the
// program puts in (imported or loaded) must survive an edit unchanged.
inline void setTextKeepingLength(QLineEdit& box, const QString& text, int typingLimit)
{
    box.setMaxLength(std::max(typingLimit, int(text.size())));
    box.setText(text);
}

// The caption of the program's general error report, the application title.
inline const char* const GeneralErrorCaption = "Tarnwick 5";

} // namespace tw
