#pragma once
// Small helpers shared by the list dialogs: the byte/QString boundary and list selection.
#include <QFile>
#include <QListWidget>
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

// A path from a file dialog in the form the core's file functions take.
inline std::string localPath(const QString& path)
{
    const QByteArray b = QFile::encodeName(path);
    return std::string(b.constData(), std::size_t(b.size()));
}

// The caption of the program's general error report, the application title.
inline const char* const GeneralErrorCaption = "Tarnwick 5";

// The first selected line, scanning from the top; -1 when none is selected.
inline int firstSelectedRow(const QListWidget& list)
{
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->isSelected())
            return i;
    return -1;
}

// Refills a list widget with lines, keeping the selected row where it still exists.
template <typename Entries>
void showLines(QListWidget& list, const Entries& entries)
{
    const int selected = firstSelectedRow(list);
    list.clear();
    for (const auto& e : entries)
        list.addItem(textFromBytes(e.line()));
    if (selected >= 0 && selected < list.count()) {
        list.setCurrentRow(selected);
        list.item(selected)->setSelected(true);
    }
}

} // namespace tw
