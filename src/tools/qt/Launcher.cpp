#include "tools/qt/Launcher.h"

#include "tools/EditorCommand.h"
#include "tools/HelpPath.h"
#include "tools/ScratchFiles.h"
#include "tools/qt/DataFolders.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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

Launcher::OpenUrl& defaultOpenUrl()
{
    static Launcher::OpenUrl opener = Launcher::desktopOpener();
    return opener;
}

} // namespace

Launcher::OpenUrl Launcher::desktopOpener()
{
    return [](const QUrl& url, std::function<void()> failedLater) {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty())
            return QDesktopServices::openUrl(url);
        // Not owned by anyone: a viewer still open when the program ends must not be closed
        // with it. It is deleted once it ends.
        auto* viewer = new QProcess;
        viewer->setStandardOutputFile(QProcess::nullDevice());
        viewer->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(viewer, &QProcess::finished, viewer,
                         [viewer, failedLater](int code, QProcess::ExitStatus status) {
                             if (status != QProcess::NormalExit || code != 0)
                                 failedLater();
                             viewer->deleteLater();
                         });
        viewer->start(opener, {url.isLocalFile() ? url.toLocalFile() : url.toString()});
        if (viewer->waitForStarted())
            return true;
        delete viewer;
        return false;
    };
}

void Launcher::setDefaultOpenUrl(OpenUrl f) { defaultOpenUrl() = std::move(f); }

Launcher::Launcher()
    : openUrl_(defaultOpenUrl())
    , startDetached_([](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    })
    , isOnPath_(programStartable)
{
    setScratchFolder(defaultScratchFolder());
}

Launcher::~Launcher() = default;

QString Launcher::defaultScratchFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/tarnwick/scratch";
}

void Launcher::setScratchFolder(const QString& folder)
{
    scratch_ = std::make_unique<ScratchFiles>(QFile::encodeName(folder).toStdString());
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

bool Launcher::runStartupHelp() const
{
    if (qEnvironmentVariableIsSet("TARNWICK_NO_HELP"))
        return false;
    return runHelp("EXPLORER.EXE DOCS\\INTRO.HTML");
}

QString Launcher::helpPageForMessage(const std::string& commandLine) const
{
    const QString found = helpPage(commandLine);
    if (!found.isEmpty())
        return QFileInfo(found).absoluteFilePath();
    const std::vector<std::string> folders = helpBaseFolders();
    return QFile::decodeName(QByteArray::fromStdString(
        HelpPath::expected(commandLine, folders.empty() ? std::string() : folders.front())));
}

bool Launcher::runHelp(const std::string& commandLine) const
{
    const QString page = helpPage(commandLine);
    if (page.isEmpty())
        return false;
    return openUrl_(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()),
                    [this, alive = std::weak_ptr<bool>(alive_), commandLine] {
                        if (alive.lock() && onViewerFailed)
                            onViewerFailed(commandLine);
                    });
}

bool Launcher::runEditor(const std::string& editor, const std::string& file) const
{
    const std::vector<std::string> args =
        EditorCommand::build(editor, file, isOnPath_, [this] { return scratch_->create(); });
    if (args.empty())
        return false;
    QStringList rest;
    for (std::size_t i = 1; i < args.size(); ++i)
        rest << QFile::decodeName(QByteArray::fromStdString(args[i]));
    return startDetached_(QFile::decodeName(QByteArray::fromStdString(args[0])), rest);
}

} // namespace tw
