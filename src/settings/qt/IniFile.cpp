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

IniFile::Speech IniFile::readSpeech() const
{
    Speech speech;
    speech.speak = read("Access/Speak").toBool();
    bool ok = false;
    const int rate = read("Access/Rate").toInt(&ok);
    speech.rate = ok ? rate : 0;
    speech.muted = read("Access/Mute").toStringList();
    return speech;
}

bool IniFile::writeSpeak(bool on) const { return write("Access/Speak", on); }

bool IniFile::writeSpeechSettings(int rate, const QStringList& muted) const
{
    return write("Access/Rate", rate) && write("Access/Mute", muted);
}

} // namespace tw
