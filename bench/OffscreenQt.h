#pragma once
// The windows' drawing code needs an application object; benchmarks make one on the offscreen
// platform at first use.
#include <QApplication>

namespace tw::bench {

inline void startOffscreenQt()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

} // namespace tw::bench
