#include "PracticeWorldProcess.h"
#include "base/FileIo.h"
#include "core/StartOptions.h"
#include "core/qt/ApplicationNames.h"
#include "core/qt/TMainForm.h"
#include "tools/qt/Launcher.h"

#include <QApplication>
#include <QMessageBox>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

std::vector<std::string> arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

// What Qt is started with: the program's name and Qt's own options, which must live as long
// as the application does.
class ToolkitArguments {
public:
    ToolkitArguments(const char* program, const std::vector<std::string>& options)
        : texts_(options)
    {
        pointers_.push_back(const_cast<char*>(program));
        for (std::string& text : texts_)
            pointers_.push_back(text.data());
        pointers_.push_back(nullptr);
        count_ = int(pointers_.size()) - 1;
    }
    int& count() { return count_; }
    char** values() { return pointers_.data(); }

private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
    int count_ = 0;
};

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
// saying why, when the file cannot be read. The name stays the file system's bytes, whatever
// they are: it is written to the INI file as it is.
std::optional<std::string> optionsFileNamed(const tw::StartOptions& options)
{
    const std::string& name = options.optionsFile;
    if (name.empty())
        return std::string();
    std::string error;
    const int fd = tw::openRegularFile(name, O_RDONLY, error);
    if (fd >= 0) {
        ::close(fd);
        if (name.front() == '/')
            return name;
        char folder[PATH_MAX];
        if (::getcwd(folder, sizeof folder))
            return std::string(folder) + "/" + name;
        error = tw::ioErrorText(errno);
    }
    std::fprintf(stderr, "tarnwick: cannot read the options file '%s': %s\n%s\n", name.c_str(), error.c_str(),
                 tw::StartOptions::Usage);
    return std::nullopt;
}

// True when no window can open: no platform chosen and no display named anywhere. Qt would
// abort there with a message about its plugins.
bool displayMissing(const tw::StartOptions& options)
{
    const auto& qt = options.toolkitArgs;
    const bool chosen = std::find(qt.begin(), qt.end(), "-platform") != qt.end() ||
                        std::find(qt.begin(), qt.end(), "-display") != qt.end();
    return !chosen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
           qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Starts the practice world for --practice; nothing, after saying why, when it cannot start.
std::unique_ptr<tw::PracticeWorldProcess> startPracticeWorld()
{
    using tw::PracticeWorldProcess;
    auto world = std::make_unique<PracticeWorldProcess>();
    const QString program = PracticeWorldProcess::programBeside(QCoreApplication::applicationDirPath());
    // A world already open on the port (started by hand) is played instead.
    if (world->start(program, PracticeWorldProcess::Port) != PracticeWorldProcess::Start::Failed)
        return world;
    const QString why = "The practice world did not start.\n" + world->why();
    std::fprintf(stderr, "tarnwick: %s\n", qPrintable(why));
    QMessageBox::warning(nullptr, "Tarnwick", why);
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    // Every argument is read before Qt starts, so that --help, --version and mistakes are
    // answered without a display; Qt gets only the options of its own.
    const tw::StartOptions options = tw::StartOptions::parse(arguments(argc, argv));
    if (!options.ok())
        return refuse(options);
    if (options.printsOnly())
        return print(options);
    const std::optional<std::string> optionsFile = optionsFileNamed(options);
    if (!optionsFile)
        return tw::StartOptions::UsageExitCode;

    if (displayMissing(options)) {
        std::fputs("tarnwick: no display to open the window on (DISPLAY is not set)\n", stderr);
        return 1;
    }

    ToolkitArguments toolkit(argv[0], options.toolkitArgs);
    QApplication app(toolkit.count(), toolkit.values());
    tw::setApplicationNames();

    // The introduction page opens before any window (not while TARNWICK_NO_HELP is set).
    tw::Launcher().runStartupHelp();

    std::unique_ptr<tw::PracticeWorldProcess> world;
    if (options.practice)
        world = startPracticeWorld();

    tw::TMainForm form;
    if (!optionsFile->empty())
        form.loadAtStart(*optionsFile);
    if (options.connect)
        form.connectAtStart(*options.connect);
    else if (world)
        form.connectAtStart({"127.0.0.1", tw::PracticeWorldProcess::Port});
    form.showMaximized();
    return app.exec();
}
