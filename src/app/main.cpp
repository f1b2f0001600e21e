#include "core/qt/ApplicationNames.h"
#include "core/qt/TMainForm.h"
#include "tools/qt/Launcher.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    tw::setApplicationNames();

    // The introduction page opens before any window (not while TARNWICK_NO_HELP is set).
    tw::Launcher().runHelp("EXPLORER.EXE DOCS\\INTRO.HTML");

    tw::TMainForm form;
    form.showMaximized();
    return app.exec();
}
