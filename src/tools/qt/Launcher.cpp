#include "tools/qt/Launcher.h"

#include "tools/EditorCommand.h"
#include "tools/HelpPath.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tw {

namespace {

bool programStartable(const std::string& program)
{
    const QString name = QFile::decodeName(QByteArray::fromStdString(program));
    if (name.contains(QLatin1Char('/'))) {
        const QFileInfo info(name);
        return info.isFile() && info.isExecutable();
    }
    return !QStandardPaths::findExecutable(name).isEmpty();
}

// An empty text file that outlives this program, for an editor that needs a file to open.
std::string makeEmptyTextFile()
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/tarnwick-XXXXXX.txt"));
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    return QFile::encodeName(file.fileName()).toStdString();
}

} // namespace

Launcher::Launcher()
    : openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); })
    , startDetached_([](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    })
    , isOnPath_(programStartable)
{
}

std::vector<std::string> Launcher::helpBaseFolders() const
{
    std::vector<std::string> folders;
    if (QCoreApplication::instance())
        folders.push_back(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    folders.push_back(QFile::encodeName(QDir::currentPath()).toStdString());
    return folders;
}

QString Launcher::helpPage(const std::string& commandLine) const
{
    const auto path = HelpPath::resolve(commandLine, helpBaseFolders());
    return path ? QFile::decodeName(QByteArray::fromStdString(*path)) : QString();
}

bool Launcher::runHelp(const std::string& commandLine) const
{
    if (qEnvironmentVariableIsSet("TARNWICK_NO_HELP"))
        return false;
    const QString page = helpPage(commandLine);
    if (page.isEmpty())
        return false;
    return openUrl_(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()));
}

bool Launcher::runEditor(const std::string& editor, const std::string& file) const
{
    const std::vector<std::string> args =
        EditorCommand::build(editor, file, isOnPath_, makeEmptyTextFile);
    if (args.empty())
        return false;
    QStringList rest;
    for (std::size_t i = 1; i < args.size(); ++i)
        rest << QFile::decodeName(QByteArray::fromStdString(args[i]));
    return startDetached_(QFile::decodeName(QByteArray::fromStdString(args[0])), rest);
}

} // namespace tw
