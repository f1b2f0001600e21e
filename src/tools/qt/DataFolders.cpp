#include "tools/qt/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tw {

QStringList dataFolders()
{
    if (!QCoreApplication::instance())
        return {};
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder, QDir::cleanPath(programFolder + "/../share/tarnwick")};
}

QString findDataFile(const QString& name, const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

} // namespace tw
