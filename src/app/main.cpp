#include "core/StartOptions.h"
#include "core/qt/ApplicationNames.h"
#include "core/qt/TMainForm.h"
#include "tools/qt/Launcher.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Qt takes its own options (-platform ...) out of argv; the rest are the program's.
    QApplication app(argc, argv);
    const tw::StartOptions options = tw::StartOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.ok()) {
        std::fprintf(stderr, "%s\n", options.error.c_str());
        return tw::StartOptions::UsageExitCode;
    }
    tw::setApplicationNames();

    // The introduction page opens before any window (not while TARNWICK_NO_HELP is set).
    tw::Launcher().runStartupHelp();

    tw::TMainForm form;
    if (options.connect)
        form.connectAtStart(*options.connect);
    form.showMaximized();
    return app.exec();
}
