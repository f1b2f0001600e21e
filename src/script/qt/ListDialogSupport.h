#pragma once
// Small helpers shared by the dialogs: the byte/QString boundary and the general error report.
#include <QFile>
#include <QString>

#include <string>

namespace tw {

// The lists hold single-byte text; the widgets show it one character per byte.
inline QString textFromBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

inline std::string bytesFromText(const QString& text)
{
    const QByteArray b = text.toLatin1();
    return std::string(b.constData(), std::size_t(b.size()));
}

// A path from a file dialog or a box in the form the core's file functions take (the
// system's file name encoding, UTF-8), and back for showing it.
inline std::string localPath(const QString& path)
{
    const QByteArray b = QFile::encodeName(path);
    return std::string(b.constData(), std::size_t(b.size()));
}

inline QString pathText(const std::string& path)
{
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

// The caption of the program's general error report, the application title.
inline const char* const GeneralErrorCaption = "Tarnwick 5";

} // namespace tw
