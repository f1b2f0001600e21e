// The map file of a full map (9000 rooms, 8.3 MB), tracking one move on it, and drawing a
// full level, or only what one tracked step changed, with the map window's own drawing code on
// an offscreen surface.
#include "base/FileIo.h"
#include "map/AutomapTracker.h"
#include "map/MapFile.h"
#include "map/qt/MapFace.h"

#include "OffscreenQt.h"
#include "support/QuietHost.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <memory>
#include <unistd.h>

namespace {

struct NullHost : tw::test::QuietHost {
    NullHost() { connected = false; }
};

// Every cell holds a room with a full title and description, linked with its neighbours.
void fillMap(tw::MapModel& map)
{
    for (int l = 1; l <= 10; ++l)
        for (int y = 1; y <= 30; ++y)
            for (int x = 1; x <= 30; ++x) {
                map.CreateMap(x, y, l, 0);
                tw::TMapRoom& r = *map.room(x, y, l);
                r.title.set("A room with a long name at " + std::to_string(x) + "," + std::to_string(y));
                for (auto& line : r.description)
                    line.set(std::string(80, 'd'));
            }
}

std::string tempPath()
{
    char name[] = "/tmp/tarnwick-mapbench-XXXXXX";
    const int fd = ::mkstemp(name);
    ::close(fd);
    return name;
}

void SaveFullMap(benchmark::State& state)
{
    tw::MapModel map;
    fillMap(map);
    map.MapFileName = tempPath();
    for (auto _ : state)
        if (tw::MapFile::save(map, map.MapFileName))
            state.SkipWithError("save failed");
    state.SetBytesProcessed(std::int64_t(state.iterations()) * 8316002);
    std::remove(map.MapFileName.c_str());
}
BENCHMARK(SaveFullMap)->Unit(benchmark::kMillisecond);

void LoadFullMap(benchmark::State& state)
{
    tw::MapModel map;
    fillMap(map);
    const std::string path = tempPath();
    tw::MapFile::save(map, path);
    NullHost host;
    for (auto _ : state)
        if (!tw::MapFile::open(map, path, host))
            state.SkipWithError("load failed");
    state.SetBytesProcessed(std::int64_t(state.iterations()) * 8316002);
    std::remove(path.c_str());
}
BENCHMARK(LoadFullMap)->Unit(benchmark::kMillisecond);

// The serialised bytes without the disk: what the save itself costs.
void SerialiseFullMap(benchmark::State& state)
{
    tw::MapModel map;
    fillMap(map);
    for (auto _ : state)
        benchmark::DoNotOptimize(tw::MapFile::serialise(map.grid));
}
BENCHMARK(SerialiseFullMap)->Unit(benchmark::kMillisecond);

// A step east and back west between two known rooms of a full map: command, reply, link, title.
void TrackMoveOnFullMap(benchmark::State& state)
{
    tw::MapModel map;
    fillMap(map);
    NullHost host;
    tw::AutomapTracker tracker(map, host);
    map.active = true;
    const std::string reply = "The Great Hall of the Mountain King\r\nA long description follows.\r\n> ";
    bool east = true;
    for (auto _ : state) {
        tracker.command(east ? "e" : "w");
        tracker.receive(reply);
        east = !east;
    }
}
BENCHMARK(TrackMoveOnFullMap);

// Every room of a full map with all ten exits that lead inside the grid, each to its neighbour.
void linkEverything(tw::MapModel& map)
{
    for (int l = 1; l <= 10; ++l)
        for (int y = 1; y <= 30; ++y)
            for (int x = 1; x <= 30; ++x)
                for (int d = 1; d <= tw::dir::Count; ++d) {
                    const tw::Step s = tw::directionStep(d);
                    const int tx = x + s.dx, ty = y + s.dy, tl = l + s.dlevel;
                    if (tx >= 1 && tx <= 30 && ty >= 1 && ty <= 30 && tl >= 1 && tl <= 10)
                        map.room(x, y, l)->exit(d) = {std::uint8_t(tx), std::uint8_t(ty), std::uint8_t(tl)};
                }
}

// A full, linked map with the player in the middle of the level in view; Qt for drawing.
void standInTheMiddle(tw::MapModel& map)
{
    tw::bench::startOffscreenQt();
    fillMap(map);
    linkEverything(map);
    map.ViewLevel = map.MapLevel = 5;
    map.MapX = map.MapY = 15;
}

// The whole picture of a middle level: 900 rooms, their eight half-lines, "U" and "D".
void DrawFullLevel(benchmark::State& state)
{
    tw::MapModel map;
    standInTheMiddle(map);
    tw::MapFace face;
    for (auto _ : state) {
        face.redraw(map);
        benchmark::DoNotOptimize(face.picture().constBits());
    }
}
BENCHMARK(DrawFullLevel)->Unit(benchmark::kMillisecond);

// What the map window does for one tracked step while it follows the walk: the step east or
// back west on a full, linked level, then only the cells that changed drawn again.
void DrawAfterTrackedStep(benchmark::State& state)
{
    tw::MapModel map;
    standInTheMiddle(map);
    map.active = true;
    NullHost host;
    tw::AutomapTracker tracker(map, host);
    tw::MapFace face;
    face.redraw(map);
    const std::string reply = "The Great Hall of the Mountain King\r\nA long description follows.\r\n> ";
    bool east = true;
    for (auto _ : state) {
        tracker.command(east ? "e" : "w");
        tracker.receive(reply);
        face.redrawChanged(map);
        benchmark::DoNotOptimize(face.picture().constBits());
        east = !east;
    }
}
BENCHMARK(DrawAfterTrackedStep)->Unit(benchmark::kMicrosecond);

// Bytes the allocator has handed out and not taken back: unlike the resident size, it falls
// when memory is freed, so repetitions measure the same thing.
std::size_t heapInUse()
{
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

// What a full map costs in memory: the model, loaded from its file, and the drawn picture
// (the picture is there from the start in the program, the map window being built with it).
void FullMapMemory(benchmark::State& state)
{
    tw::MapModel source;
    fillMap(source);
    linkEverything(source);
    const std::string path = tempPath();
    tw::MapFile::save(source, path);
    NullHost host;
    tw::bench::startOffscreenQt();
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        auto map = std::make_unique<tw::MapModel>();
        tw::MapFile::open(*map, path, host);
        tw::MapFace face;
        face.redraw(*map);
        state.counters["resident_kb"] = static_cast<double>(heapInUse() - before) / 1024;
    }
    std::remove(path.c_str());
}
BENCHMARK(FullMapMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
