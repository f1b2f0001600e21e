// Window and socket tests need a QApplication. It runs on the offscreen platform unless the
// caller chose one (the Xcb* tests run under Xvfb on xcb).
#include "tools/qt/Launcher.h"

#include <QApplication>
#include <QClipboard>
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TARNWICK_NO_HELP", "1");
    QApplication app(argc, argv);
    // Started by a test as another program that owns the X clipboard: it holds this text
    // until the test ends it.
    if (qEnvironmentVariableIsSet("TARNWICK_TEST_CLIPBOARD_OWNER")) {
        QApplication::clipboard()->setText(qEnvironmentVariable("TARNWICK_TEST_CLIPBOARD_OWNER"));
        std::puts("owner");
        std::fflush(stdout);
        return app.exec();
    }
    // A help page "opened" by a test goes nowhere: no test ever starts a browser.
    tw::Launcher::setDefaultOpenUrl([](const QUrl&, std::function<void()>) { return true; });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
