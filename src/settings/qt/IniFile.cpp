#include "settings/qt/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tw {

QString IniFile::defaultPath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + "/tarnwick/TARNWICK.INI";
}

QString IniFile::readDefaultCfg() const
{
    if (!QFileInfo::exists(path_))
        return {};
    QSettings ini(path_, QSettings::IniFormat);
    return ini.value("Options/DefaultCFG", QString()).toString();
}

bool IniFile::writeDefaultCfg(const QString& optionsFile) const
{
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSettings ini(path_, QSettings::IniFormat);
    ini.setValue("Options/DefaultCFG", optionsFile);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace tw
