#pragma once
// The settings file that remembers which options file to load at the next start, where the
// window layer finds it. Every read reads the file anew, every write reads, changes one key
// and saves it whole (see IniSettings).
#include "settings/IniSettings.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace tw {

class IniFile {
public:
    // The file lives in the user's configuration folder: ~/.config/tarnwick/TARNWICK.INI.
    static QString defaultPath();
    explicit IniFile(QString path = defaultPath()) : path_(std::move(path)) {}

    // Why the file was not read ("File too large" ...), empty when it was or is missing.
    std::string readProblem() const;

    // Key "DefaultCFG" of section "Options", the file system's bytes; empty when missing.
    std::string readDefaultCfg() const;
    // False when the file could not be written.
    bool writeDefaultCfg(const std::string& optionsFile) const;

    // Modern Server Mode: key "Enabled" of section "Modern"; off when missing.
    bool readModern() const;
    bool writeModern(bool on) const;
    // The colour view's text size in percent: key "Zoom" of section "View"; 100 when missing.
    int readZoom() const;
    bool writeZoom(int percent) const;
    // The long history's switch, its most lines and the live pane's share of the split view in
    // percent (see IniSettings); the fallback for a missing or unreadable number.
    bool readLongHistory() const;
    bool writeLongHistory(bool on) const;
    int readHistoryLines(int fallback) const;
    int readSplitLivePercent(int fallback) const;
    bool writeSplitLivePercent(int percent) const;
    // A switch of the map window: key "Follow", "OnTop" or "AutoSave" of section "Map"; off
    // when missing.
    bool readMapSwitch(const std::string& key) const;
    bool writeMapSwitch(const std::string& key, bool on) const;
    // The MUD list's line of the game last connected to: key "LastUsed" of section "MUDList".
    QString readLastMud() const;
    bool writeLastMud(const QString& line) const;
    // The SHA-256 fingerprint of a server certificate the player trusted for host and port;
    // empty when there is none.
    std::string trustedCertificate(const std::string& host, quint16 port) const;
    bool rememberCertificate(const std::string& host, quint16 port, const std::string& fingerprint) const;

    // Speech of incoming text, section "Access": "Speak" (off when missing), "Rate" (0) and
    // "Mute", the texts whose lines are not spoken.
    struct Speech {
        bool speak = false;
        int rate = 0;
        QStringList muted;
    };
    Speech readSpeech() const;
    bool writeSpeak(bool on) const;
    bool writeSpeechSettings(int rate, const QStringList& muted) const;

    const QString& path() const { return path_; }

private:
    IniSettings read() const;
    template <typename Change>
    bool write(Change change) const;

    QString path_;
};

} // namespace tw
