// Arbitrary bytes as the INI file: the options file name, the Modern switch and a remembered
// certificate read without a crash, and what was read writes and reads back unchanged.
#include "settings/qt/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    static int round = 0;
    // A fresh name for every input: the settings cache knows a file by its name and time.
    const QString path = dir.filePath(QString("TARNWICK%1.INI").arg(round++));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const tw::IniFile ini(path);
    const QString cfg = ini.readDefaultCfg();
    const bool modern = ini.readModern();
    const QString trusted = ini.trustedCertificate("mud.example", 4000);

    const QString copy = dir.filePath(QString("COPY%1.INI").arg(round));
    const tw::IniFile again(copy);
    if (!again.writeDefaultCfg(cfg) || !again.writeModern(modern) ||
        !again.rememberCertificate("mud.example", 4000, trusted))
        std::abort();
    if (again.readDefaultCfg() != cfg || again.readModern() != modern ||
        again.trustedCertificate("mud.example", 4000) != trusted)
        std::abort();
    QFile::remove(path);
    QFile::remove(copy);
    return 0;
}
