#include "map/MapFile.h"

#include "base/FileIo.h"
#include "support/RecordingHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tw {
namespace {

std::string record(int x, int y, int level, const std::string& title)
{
    TMapRoom room = TMapRoom::defaultRoom();
    room.title.set(title);
    std::string r{char(x), char(y), char(level)};
    r.append(reinterpret_cast<const char*>(&room), sizeof room);
    return r;
}

std::string file(int count, const std::string& records)
{
    return std::string{char(count & 0xff), char(count >> 8)} + records;
}

TEST(MapFile, NewMapIsOneRecordAndLayoutIsFixed)
{
    MapModel m;
    const std::string bytes = MapFile::serialise(m.grid);
    ASSERT_EQ(bytes.size(), 926u);
    EXPECT_EQ(bytes.substr(0, 5), std::string("\x01\x00\x0f\x0f\x05", 5));
    EXPECT_EQ(bytes.substr(5, 14), std::string("\x0dInitialize Me"));
    EXPECT_EQ(bytes[5 + 14], '\0'); // zero bytes after a text's end
    EXPECT_EQ(bytes.substr(5 + 81, 32), std::string("\x1fOnly the first ten lines count!"));
}

TEST(MapFile, RecordsGoInLevelRowColumnOrderAndRoundTripByteForByte)
{
    MapModel m;
    m.CreateMap(3, 20, 2, 0);
    m.CreateMap(4, 20, 2, 0);
    m.CreateMap(30, 1, 10, 0);
    m.CreateMap(1, 30, 1, 0);
    m.room(4, 20, 2)->description[9].set(std::string(80, 'z'));
    m.room(4, 20, 2)->title.set("a longer title");
    m.room(4, 20, 2)->title.set("short"); // what the longer one left behind is not saved
    for (int x = 1; x <= 30; ++x)
        for (int y = 1; y <= 10; ++y)
            m.InitRoom(x, y, 9); // a count above 255
    const std::string bytes = MapFile::serialise(m.grid);
    ASSERT_EQ(bytes.size(), 2 + 924u * 305);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x31\x01"));
    EXPECT_EQ(bytes.substr(2 + 924 * 2 + 3, 81), "\x05short" + std::string(75, '\0'));
    const std::pair<std::size_t, std::string> cells[] = {
        {0, "\x01\x1e\x01"}, {1, "\x03\x14\x02"}, {2, "\x04\x14\x02"}, {3, "\x0f\x0f\x05"},
        {4, "\x01\x01\x09"}, {5, "\x02\x01\x09"}, {34, "\x01\x02\x09"}, {304, "\x1e\x01\x0a"}};
    for (const auto& [k, cell] : cells)
        EXPECT_EQ(bytes.substr(2 + 924 * k, 3), cell) << k;

    MapFile::Parsed p = MapFile::parse(bytes);
    EXPECT_EQ(p.error, "");
    EXPECT_EQ(p.last, (Cell{30, 1, 10}));
    EXPECT_TRUE(p.rooms.at(30, 10, 9));
    EXPECT_EQ(MapFile::serialise(p.rooms), bytes);
}

TEST(MapFile, BadBytesAreSkippedOrRefused)
{
    std::string longTitle = record(5, 5, 5, "");
    longTitle[3] = char(200); // a length above 80 reads as 80
    struct Case {
        std::string bytes;
        std::string error;
        int rooms;
        Cell last;
        int skipped = 0;
    };
    const Case cases[] = {
        {file(0, ""), "", 0, {}},
        {"", "Read beyond end of file", 0, {}},
        {"\x01", "Read beyond end of file", 0, {}},
        {file(2, record(1, 1, 1, "a")), "Read beyond end of file", 1, {1, 1, 1}},
        {file(2, record(1, 1, 1, "a") + record(2, 2, 2, "b").substr(0, 500)), "Read beyond end of file", 1, {1, 1, 1}},
        {file(60000, record(1, 1, 1, "a")), "Read beyond end of file", 1, {1, 1, 1}},
        // What follows the counted records is not read.
        {file(1, record(1, 1, 1, "a") + "x"), "", 1, {1, 1, 1}},
        {file(1, record(1, 1, 1, "a") + record(2, 2, 2, "b")), "", 1, {1, 1, 1}},
        {file(0, record(1, 1, 1, "a")), "", 0, {}},
        {file(4, record(0, 1, 1, "") + record(31, 1, 1, "") + record(1, 31, 11, "") + record(2, 2, 2, "")), "", 1, {2, 2, 2}, 3},
        {file(2, record(2, 2, 2, "first") + record(2, 2, 2, "second")), "", 1, {2, 2, 2}},
        {file(1, longTitle), "", 1, {5, 5, 5}},
    };
    for (const Case& c : cases) {
        const MapFile::Parsed p = MapFile::parse(c.bytes);
        EXPECT_EQ(p.error, c.error) << c.bytes.size();
        EXPECT_EQ(p.skipped, c.skipped) << c.bytes.size();
        const std::string again = MapFile::serialise(p.rooms);
        EXPECT_EQ(again.size(), 2 + 924u * std::size_t(c.rooms)) << c.bytes.size();
        EXPECT_EQ(p.anyRoom, c.rooms > 0);
        if (c.rooms > 0)
            EXPECT_EQ(p.last, c.last) << c.bytes.size();
    }
    EXPECT_EQ(MapFile::parse(file(2, record(2, 2, 2, "first") + record(2, 2, 2, "second"))).rooms.at(2, 2, 2)->title.str(), "second");
    EXPECT_EQ(MapFile::parse(file(1, longTitle)).rooms.at(5, 5, 5)->title.view().size(), 80u);
    // What a file holds after a text's end is not saved again: the saved bytes are the same
    // whatever the room's file carried there.
    std::string junk = record(5, 5, 5, "ab");
    junk[3 + 1 + 2] = 'x';
    EXPECT_EQ(MapFile::serialise(MapFile::parse(file(1, longTitle)).rooms)[5], char(80));
    EXPECT_EQ(MapFile::serialise(MapFile::parse(file(1, junk)).rooms), file(1, record(5, 5, 5, "ab")));
}

TEST(MapFile, OpenAndSaveThroughTheMenu)
{
    test::TempDir dir;
    test::RecordingHost host;
    MapModel m;
    m.ViewLevel = 2;
    // A refused file leaves the map and its file name as they were, so that Save does not
    // write over the refused file.
    const std::string kept = dir.file("kept.twk");
    ASSERT_FALSE(MapFile::save(m, kept));
    EXPECT_FALSE(MapFile::open(m, dir.file("none.twk"), host));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption + "|" + host.boxes[0].text, "Error|File doesn't exist!");
    EXPECT_EQ(m.MapFileName, kept);

    const std::string bad = dir.file("bad.twk");
    ASSERT_FALSE(writeFileAtomically(bad, file(3, record(1, 1, 1, "a"))));
    EXPECT_FALSE(MapFile::open(m, bad, host));
    EXPECT_EQ(host.boxes.back().caption + "|" + host.boxes.back().text, "Tarnwick 5|Read beyond end of file");
    EXPECT_TRUE(m.RoomExists(15, 15, 5));
    EXPECT_FALSE(m.RoomExists(1, 1, 1));
    EXPECT_EQ(m.MapFileName, kept);

    // Bytes after the counted records are left unread; rooms off the grid are told in one box.
    const std::string good = dir.file("good.twk");
    ASSERT_FALSE(writeFileAtomically(good, file(2, record(1, 1, 1, "a") + record(7, 3, 4, "b")) + std::string(5000, 'x')));
    EXPECT_TRUE(MapFile::open(m, good, host));
    EXPECT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(m.MapFileName, good);
    EXPECT_FALSE(m.RoomExists(15, 15, 5));
    EXPECT_EQ(m.position(), (Cell{7, 3, 4}));
    EXPECT_EQ(m.ViewLevel, 4);
    m.InitRoom(9, 9, 9);
    EXPECT_TRUE(m.changed());
    ASSERT_FALSE(MapFile::save(m, m.MapFileName));
    EXPECT_FALSE(m.changed());
    std::string error;
    EXPECT_EQ(readWholeFile(good, error)->size(), 2 + 924u * 3);

    const std::string outside = dir.file("outside.twk");
    for (const auto& [records, text] : {
             std::pair{record(1, 1, 1, "a") + record(0, 3, 4, "b"), "1 room lies outside the map's grid and was skipped: saving this map leaves it out."},
             std::pair{record(31, 1, 1, "a") + record(0, 3, 4, "b"), "2 rooms lie outside the map's grid and were skipped: saving this map leaves them out."}}) {
        ASSERT_FALSE(writeFileAtomically(outside, file(2, records)));
        EXPECT_TRUE(MapFile::open(m, outside, host));
        EXPECT_EQ(host.boxes.back().caption + "|" + host.boxes.back().text, std::string("Tarnwick 5|") + text);
    }
    EXPECT_EQ(host.boxes.size(), 4u);

    // No rooms: an empty map with the position and the viewed level at the start values.
    const std::string empty = dir.file("empty.twk");
    ASSERT_FALSE(writeFileAtomically(empty, file(0, "")));
    EXPECT_TRUE(MapFile::open(m, empty, host));
    EXPECT_FALSE(m.RoomExists(9, 9, 9));
    EXPECT_EQ(m.position(), (Cell{15, 15, 5}));
    EXPECT_EQ(m.ViewLevel, 5);

    // A save that cannot be written keeps the previous file and the name, and the map counts
    // as changed still.
    m.InitRoom(9, 9, 9);
    EXPECT_EQ(MapFile::save(m, dir.file("missing/x.twk")), "File not found");
    EXPECT_EQ(m.MapFileName, empty);
    EXPECT_TRUE(m.changed());

    // Only regular files are read: a named pipe would wait for a writer for ever.
    const std::string pipe = dir.file("pipe.twk");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(MapFile::open(m, pipe, host));
    EXPECT_EQ(host.boxes.back().text, NotRegularFileText);
}

} // namespace
} // namespace tw
