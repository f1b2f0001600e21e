#pragma once
// The main window as the window tests build it: its INI file in the test's temporary folder,
// and its message boxes recorded as "caption|text" and answered OK instead of shown.
#include "core/qt/CommandLineEdit.h"
#include "core/qt/TMainForm.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tw::test {

inline std::unique_ptr<TMainForm> testMainForm(const QTemporaryDir& dir, std::vector<std::string>& boxes)
{
    auto form = std::make_unique<TMainForm>();
    form->iniPath = dir.filePath("TARNWICK.INI");
    form->messageBoxHook = [&boxes](const std::string& c, const std::string& t, MsgButtons) {
        boxes.push_back(c + "|" + t);
        return MsgAnswer::Ok;
    };
    return form;
}

// The main window shown and active on the xcb platform, for the tests of keys, focus and the
// mouse; they skip themselves on any other platform.
struct XcbMainFormTest : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> boxes;

    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs the xcb platform (run under Xvfb)";
        form = testMainForm(dir, boxes);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
};

// The same at 800 x 600 with the focus on the command line, as the colour view's tests start.
struct XcbColourViewTest : XcbMainFormTest {
    void SetUp() override
    {
        XcbMainFormTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        form->resize(800, 600);
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->width() == 800; }, 5000));
        form->CmdLine->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->CmdLine->hasFocus(); }, 5000));
    }
};

} // namespace tw::test
