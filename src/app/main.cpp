#include "core/qt/TMainForm.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("tarnwick");
    QCoreApplication::setOrganizationName("tarnwick");
    QGuiApplication::setDesktopFileName("tarnwick");

    tw::TMainForm form;
    form.showMaximized();
    return app.exec();
}
