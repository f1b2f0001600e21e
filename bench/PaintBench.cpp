// Painting the colour view: a full 160 x 50 screen of coloured text, drawn by the view's own
// paint event onto an offscreen image, classic text (code page 437 cells) and a modern
// server's (UTF-8 with wide characters, 24-bit colours).
#include "core/Terminal.h"
#include "core/qt/MirrorView.h"

#include "OffscreenQt.h"
#include <QImage>

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

// PaintFullScreen/<modern>: one paint event of the whole view, the frame copy included.
void PaintFullScreen(benchmark::State& state)
{
    tw::bench::startOffscreenQt();
    const bool modern = state.range(0) != 0;
    tw::Terminal terminal(64000);
    terminal.setColumnCount(160);
    terminal.setRowCount(50);
    terminal.setModern(modern);
    terminal.WriteTerminal(screenful(modern));
    tw::Palette palette;
    tw::MirrorView view(terminal, palette);
    view.resize(160 * tw::MirrorView::CellWidth, 50 * tw::MirrorView::CellHeight);
    QImage surface(view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.render(&surface);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(PaintFullScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
