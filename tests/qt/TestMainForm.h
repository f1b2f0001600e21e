#pragma once
// The main window as the window tests build it: its INI file in the test's temporary folder,
// and its message boxes recorded as "caption|text" and answered OK instead of shown.
#include "core/qt/TMainForm.h"

#include <QTemporaryDir>

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

} // namespace tw::test
