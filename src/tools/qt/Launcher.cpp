#include "tools/qt/Launcher.h"

#include "tools/EditorCommand.h"
#include "tools/HelpPath.h"
#include "tools/qt/DataFolders.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

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

} // namespace

Launcher::Launcher()
    : openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); })
    , startDetached_([](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    })
    , isOnPath_(programStartable)
{
}

Launcher::~Launcher() = default;

std::string Launcher::scratchFile() const
{
    if (!scratchDir_) {
        scratchDir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tarnwick-XXXXXX"));
        if (!scratchDir_->isValid())
            return {};
    }
    QFile file(scratchDir_->filePath(QStringLiteral("untitled.txt")));
    if (!file.exists() && !file.open(QIODevice::WriteOnly))
        return {};
    return QFile::encodeName(file.fileName()).toStdString();
}

std::vector<std::string> Launcher::helpBaseFolders() const
{
    std::vector<std::string> folders;
    for (const QString& folder : dataFolders())
        folders.push_back(QFile::encodeName(folder).toStdString());
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
        EditorCommand::build(editor, file, isOnPath_, [this] { return scratchFile(); });
    if (args.empty())
        return false;
    QStringList rest;
    for (std::size_t i = 1; i < args.size(); ++i)
        rest << QFile::decodeName(QByteArray::fromStdString(args[i]));
    return startDetached_(QFile::decodeName(QByteArray::fromStdString(args[0])), rest);
}

} // namespace tw
