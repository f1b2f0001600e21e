// Window and socket tests need a QApplication. It runs on the offscreen platform unless the
// caller chose one (the Xcb* tests run under Xvfb on xcb).
#include "NoBrowser.h"

#include <QApplication>
#include <QDesktopServices>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TARNWICK_NO_HELP", "1");
    QApplication app(argc, argv);
    QDesktopServices::setUrlHandler("file", &tw::test::NoBrowser::instance(), "open");
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QDesktopServices::unsetUrlHandler("file");
    return result;
}
