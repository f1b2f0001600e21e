// Painting the colour view: a full 160 x 50 screen of coloured text, drawn by the view's own
// paint event onto an offscreen image, classic text (code page 437 cells) and a modern
// server's (UTF-8 with wide characters, 24-bit colours); one changed row; and the plain copy
// of a frame as the floor.
#include "core/Terminal.h"
#include "core/qt/MirrorView.h"

#include "OffscreenQt.h"
#include <QImage>
#include <QPainter>
#include <QPoint>

#include <benchmark/benchmark.h>


#include <string>

namespace {

// Lines of 160 characters whose colour changes every eight cells or so.
std::string screenful(bool modern)
{
    static const char* const classic[] = {"\x1b[1;32m", "\x1b[0;37m", "\x1b[1;33;44m", "\x1b[0;31m", "\x1b[36m",
                                          "\x1b[1;35m"};
    static const char* const rich[] = {"\x1b[38;5;214m", "\x1b[0m", "\x1b[1;38;2;255;105;180m",
                                       "\x1b[48;5;236;38;5;45m", "\x1b[22;39m", "\x1b[48;2;0;40;80m"};
    std::string text;
    for (int line = 0; line < 60; ++line) {
        for (int run = 0; run < 20; ++run) {
            text += modern ? rich[(line + run) % 6] : classic[(line + run) % 6];
            text += modern && run % 4 == 0 ? "caf\xc3\xa9 \xe4\xbd\xa0\xe5\xa5\xbd" : "goblins!";
        }
        text += "\x1b[0m\r\n";
    }
    return text;
}

struct PaintedScreen {
    bool qtStarted = (tw::bench::startOffscreenQt(), true); // before the view
    tw::Terminal terminal{64000};
    tw::Palette palette;
    tw::MirrorView view{terminal, palette};
    QImage surface;

    explicit PaintedScreen(bool modern)
    {
        terminal.setColumnCount(160);
        terminal.setRowCount(50);
        terminal.setModern(modern);
        terminal.WriteTerminal(screenful(modern));
        view.resize(160 * tw::MirrorView::CellWidth, 50 * tw::MirrorView::CellHeight);
        surface = QImage(view.size(), QImage::Format_RGB32);
        view.render(&surface);
    }
};

// PaintFullScreen/<modern>: one paint event of the whole view after the view moved, so that
// every row is drawn anew, the frame copy included.
void PaintFullScreen(benchmark::State& state)
{
    PaintedScreen screen(state.range(0) != 0);
    bool top = false;
    for (auto _ : state) {
        state.PauseTiming();
        top = !top;
        if (top)
            screen.terminal.scrollTo(1);
        else
            screen.terminal.ScrollToEnd();
        state.ResumeTiming();
        screen.view.render(&screen.surface);
        benchmark::DoNotOptimize(screen.surface.constBits());
    }
}
BENCHMARK(PaintFullScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// PaintPromptRow/<modern>: the prompt line changes and the view paints what differs, as the
// window does when the view has not moved.
void PaintPromptRow(benchmark::State& state)
{
    PaintedScreen screen(state.range(0) != 0);
    screen.terminal.WriteTerminal("\x1b[1;32m> 0");
    screen.view.render(&screen.surface);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        screen.terminal.WriteTerminal("\b" + std::to_string(++n % 10));
        state.ResumeTiming();
        screen.view.render(&screen.surface, QPoint(), screen.view.pendingRegion());
        benchmark::DoNotOptimize(screen.surface.constBits());
    }
}
// A fixed count, so that the scrollback never fills and moves the lines.
BENCHMARK(PaintPromptRow)->Arg(0)->Arg(1)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// FrameCopy: only the copy of a whole 160 x 50 frame onto the surface, the part of a full
// paint that no drawing of cells can save.
void FrameCopy(benchmark::State& state)
{
    tw::bench::startOffscreenQt();
    QImage frame(160 * tw::MirrorView::CellWidth, 50 * tw::MirrorView::CellHeight, QImage::Format_RGB32);
    frame.fill(Qt::darkBlue);
    QImage surface(frame.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&surface);
        painter.drawImage(0, 0, frame);
        painter.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(FrameCopy)->Unit(benchmark::kMicrosecond);

} // namespace
