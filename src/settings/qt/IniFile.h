#pragma once
// The settings file that remembers which options file to load at the next start.
#include <QString>

namespace tw {

class IniFile {
public:
    // The file lives in the user's configuration folder: ~/.config/tarnwick/TARNWICK.INI.
    static QString defaultPath();
    explicit IniFile(QString path = defaultPath()) : path_(std::move(path)) {}

    // Key "DefaultCFG" of section "Options"; empty when the file or key is missing.
    QString readDefaultCfg() const;
    // False when the file could not be written.
    bool writeDefaultCfg(const QString& optionsFile) const;

    const QString& path() const { return path_; }

private:
    QString path_;
};

} // namespace tw
