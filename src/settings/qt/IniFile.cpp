#include "settings/qt/IniFile.h"

#include <QFile>
#include <QStandardPaths>

namespace tw {

QString IniFile::defaultPath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + "/tarnwick/TARNWICK.INI";
}

IniSettings IniFile::read() const { return IniSettings::load(QFile::encodeName(path_).toStdString()); }

template <typename Change>
bool IniFile::write(Change change) const
{
    IniSettings settings = read();
    change(settings);
    return !settings.save(QFile::encodeName(path_).toStdString());
}

std::string IniFile::readProblem() const { return read().problem(); }

std::string IniFile::readDefaultCfg() const { return read().defaultCfg(); }

bool IniFile::writeDefaultCfg(const std::string& optionsFile) const
{
    return write([&](IniSettings& s) { s.setDefaultCfg(optionsFile); });
}

bool IniFile::readModern() const { return read().modern(); }

bool IniFile::writeModern(bool on) const
{
    return write([&](IniSettings& s) { s.setModern(on); });
}

int IniFile::readZoom() const { return read().zoom(); }

bool IniFile::writeZoom(int percent) const
{
    return write([&](IniSettings& s) { s.setZoom(percent); });
}

bool IniFile::readLongHistory() const { return read().longHistory(); }

bool IniFile::writeLongHistory(bool on) const
{
    return write([&](IniSettings& s) { s.setLongHistory(on); });
}

int IniFile::readHistoryLines(int fallback) const { return read().historyLines(fallback); }

int IniFile::readSplitLivePercent(int fallback) const { return read().splitLivePercent(fallback); }

bool IniFile::writeSplitLivePercent(int percent) const
{
    return write([&](IniSettings& s) { s.setSplitLivePercent(percent); });
}

bool IniFile::readMapSwitch(const std::string& key) const { return read().mapSwitch(key); }

bool IniFile::writeMapSwitch(const std::string& key, bool on) const
{
    return write([&](IniSettings& s) { s.setMapSwitch(key, on); });
}

QString IniFile::readLastMud() const { return QString::fromStdString(read().lastMud()); }

bool IniFile::writeLastMud(const QString& line) const
{
    return write([&](IniSettings& s) { s.setLastMud(line.toStdString()); });
}

std::string IniFile::trustedCertificate(const std::string& host, quint16 port) const
{
    return read().certificate(host, port);
}

bool IniFile::rememberCertificate(const std::string& host, quint16 port, const std::string& fingerprint) const
{
    return write([&](IniSettings& s) { s.setCertificate(host, port, fingerprint); });
}

IniFile::Speech IniFile::readSpeech() const
{
    const IniSettings settings = read();
    Speech speech{settings.speak(), settings.speechRate(), {}};
    for (const std::string& text : settings.mutedTexts())
        speech.muted << QString::fromStdString(text);
    return speech;
}

bool IniFile::writeSpeak(bool on) const
{
    return write([&](IniSettings& s) { s.setSpeak(on); });
}

bool IniFile::writeSpeechSettings(int rate, const QStringList& muted) const
{
    std::vector<std::string> texts;
    for (const QString& text : muted)
        texts.push_back(text.toStdString());
    return write([&](IniSettings& s) {
        s.setSpeechRate(rate);
        s.setMutedTexts(texts);
    });
}

} // namespace tw
