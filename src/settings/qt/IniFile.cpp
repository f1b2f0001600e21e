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

QVariant IniFile::read(const QString& key) const
{
    if (!QFileInfo::exists(path_))
        return {};
    QSettings ini(path_, QSettings::IniFormat);
    return ini.value(key);
}

bool IniFile::write(const QString& key, const QVariant& value) const
{
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSettings ini(path_, QSettings::IniFormat);
    ini.setValue(key, value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QString IniFile::readDefaultCfg() const { return read("Options/DefaultCFG").toString(); }

bool IniFile::writeDefaultCfg(const QString& optionsFile) const
{
    return write("Options/DefaultCFG", optionsFile);
}

bool IniFile::readModern() const { return read("Modern/Enabled").toBool(); }

bool IniFile::writeModern(bool on) const { return write("Modern/Enabled", on); }

int IniFile::readZoom() const
{
    bool ok = false;
    const int percent = read("View/Zoom").toInt(&ok);
    return ok ? percent : 100;
}

bool IniFile::writeZoom(int percent) const { return write("View/Zoom", percent); }

bool IniFile::readMapSwitch(const QString& key) const { return read("Map/" + key).toBool(); }

bool IniFile::writeMapSwitch(const QString& key, bool on) const { return write("Map/" + key, on); }

QString IniFile::readLastMud() const { return read("MUDList/LastUsed").toString(); }

bool IniFile::writeLastMud(const QString& line) const { return write("MUDList/LastUsed", line); }

namespace {
// One key per host and port; QSettings would read a slash as a section.
QString certificateKey(const QString& host, quint16 port)
{
    QString name = host.toLower();
    name.replace('/', '_');
    return "Modern/Certificate_" + name + "_" + QString::number(port);
}
} // namespace

QString IniFile::trustedCertificate(const QString& host, quint16 port) const
{
    return read(certificateKey(host, port)).toString();
}

bool IniFile::rememberCertificate(const QString& host, quint16 port, const QString& fingerprint) const
{
    return write(certificateKey(host, port), fingerprint);
}

} // namespace tw
