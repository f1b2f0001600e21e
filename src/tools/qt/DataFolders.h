#pragma once
// Where the program's own files (help pages, the sample options file) live: beside the program
// in the build tree, and in share/tarnwick when it is installed.
#include <QString>
#include <QStringList>

namespace tw {

// The folders searched, in order.
QStringList dataFolders();

// The first existing file of that name in the folders; empty when there is none.
QString findDataFile(const QString& name, const QStringList& folders = dataFolders());

} // namespace tw
