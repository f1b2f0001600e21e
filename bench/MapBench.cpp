// The map file of a full map (9000 rooms, 8.3 MB) and tracking one move on it.
#include "base/FileIo.h"
#include "base/Host.h"
#include "map/AutomapTracker.h"
#include "map/MapFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

struct NullHost : tw::Host {
    bool socketConnected() const override { return false; }
    std::size_t socketWrite(std::string_view d) override { return d.size(); }
    void setStatus(const std::string&) override {}
    void setMudName(const std::string&) override {}
    tw::MsgAnswer messageBox(const std::string&, const std::string&, tw::MsgButtons) override
    {
        return tw::MsgAnswer::Ok;
    }
    void terminalChanged() override {}
    void runHelp(const std::string&) override {}
    void runEditor(const std::string&, const std::string&) override {}
    void playSound(const std::string&) override {}
    void stopSound() override {}
    void showStatRoller() override {}
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
        if (tw::MapFile::save(map))
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
    map.MapFileName = path;
    tw::MapFile::save(map);
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

} // namespace
