#include "core/StartOptions.h"
#include "core/qt/ApplicationNames.h"
#include "core/qt/TMainForm.h"
#include "script/qt/ListDialogSupport.h"
#include "tools/qt/Launcher.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

// Qt's own options are single-dash words (-platform, -display ...).
bool mayHoldQtOptions(const std::vector<std::string>& args)
{
    return std::any_of(args.begin(), args.end(), [](const std::string& a) {
        return a.size() > 1 && a[0] == '-' && a[1] != '-' && a != "-h";
    });
}

int refuse(const tw::StartOptions& options)
{
    std::fprintf(stderr, "%s\n", options.error.c_str());
    return tw::StartOptions::UsageExitCode;
}

int print(const tw::StartOptions& options)
{
    const std::string text = options.help ? tw::StartOptions::helpText()
                                          : tw::StartOptions::versionText() + "\n";
    std::fputs(text.c_str(), stdout);
    return 0;
}

// The options file named at start, made absolute; empty when none was named. Nothing, after
// saying why, when the file cannot be read.
std::optional<QString> optionsFileNamed(const tw::StartOptions& options)
{
    if (options.optionsFile.empty())
        return QString();
    const QFileInfo file(QFile::decodeName(options.optionsFile.c_str()));
    if (file.isFile() && file.isReadable())
        return file.absoluteFilePath();
    std::fprintf(stderr, "tarnwick: cannot read the options file '%s'\n%s\n",
                 options.optionsFile.c_str(), tw::StartOptions::Usage);
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    // --help, --version and plain mistakes are answered without a display; arguments that may
    // be Qt's wait until Qt has taken its own.
    const tw::StartOptions early = tw::StartOptions::parse(arguments(argc, argv));
    if (early.printsOnly())
        return print(early);
    if (!early.ok() && !mayHoldQtOptions(arguments(argc, argv)))
        return refuse(early);
    if (early.ok() && !optionsFileNamed(early))
        return tw::StartOptions::UsageExitCode;

    QApplication app(argc, argv);
    const tw::StartOptions options = tw::StartOptions::parse(arguments(argc, argv));
    if (!options.ok())
        return refuse(options);
    if (options.printsOnly())
        return print(options);
    const std::optional<QString> optionsFile = optionsFileNamed(options);
    if (!optionsFile)
        return tw::StartOptions::UsageExitCode;
    tw::setApplicationNames();

    // The introduction page opens before any window (not while TARNWICK_NO_HELP is set).
    tw::Launcher().runStartupHelp();

    tw::TMainForm form;
    if (!optionsFile->isEmpty())
        form.loadAtStart(tw::localPath(*optionsFile));
    if (options.connect)
        form.connectAtStart(*options.connect);
    form.showMaximized();
    return app.exec();
}
