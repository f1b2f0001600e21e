#include "map/VirtualWalk.h"

#include "base/WholeNumber.h"
#include "map/RoomSummary.h"
#include "script/TextOps.h"

#include <algorithm>

namespace tw {

namespace {

std::string coordinates(int x, int y, int level)
{
    return "(" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(level) + ")";
}

} // namespace

void VirtualWalk::start()
{
    screen_.clear();
    lines_ = 0;
    ShowRoom();
}

void VirtualWalk::add(std::string_view line)
{
    if (lines_ > 0)
        screen_ += '\n';
    screen_ += line;
    ++lines_;
}

void VirtualWalk::echo(std::string_view line)
{
    if (lines_ == 0)
        ++lines_;
    // Without a line break the only line goes (npos + 1 is 0).
    screen_.resize(screen_.rfind('\n') + 1);
    screen_ += line;
}

void VirtualWalk::ShowRoom()
{
    add(coordinates(map_.MapX, map_.MapY, map_.MapLevel));
    const TMapRoom* room = map_.room(map_.MapX, map_.MapY, map_.MapLevel);
    if (room) {
        // The title as the game showed it, without its colour codes.
        add("[ " + titleAsRead(room->title.view()) + " ]");
        add("");
        for (const RoomText& line : room->description)
            if (line.length > 0)
                add(line.view());
        add("");
        const std::string exits = exitNames(*room);
        add("Exits: " + (exits.empty() ? "None." : exits));
    } else {
        // The room here was deleted on the map window; there is nothing to describe.
        add("There is no room at these coordinates.");
    }
    add("");
    prompt();
    CheckBuffers();
}

void VirtualWalk::CheckBuffers()
{
    if (screen_.size() <= MaxScreenChars && lines_ <= MaxScreenLines)
        return;
    const std::size_t half = (screen_.size() + 1) / 2;
    screen_.erase(1, half);
    lines_ = std::size_t(std::count(screen_.begin(), screen_.end(), '\n')) + 1;
}

VirtualWalk::Action VirtualWalk::run(std::string_view typed)
{
    const std::string text = upperCase(typed.substr(0, 255));
    const auto starts = [&text](std::string_view key) { return text.rfind(key, 0) == 0; };

    if (starts("Q")) {
        echo("> QUIT");
        add("");
        return Action::Quit;
    }
    if (starts("H")) {
        echo("> HELP");
        add("");
        prompt();
        return Action::Help;
    }
    if (starts("L")) {
        echo("> LOOK");
        add("");
        ShowRoom();
        return Action::None;
    }
    if (starts("G")) {
        gotoCoordinates(text);
        return Action::None;
    }
    if (starts("ED")) {
        echo("> EDIT");
        add("");
        return Action::Edit;
    }
    // Diagonals first, so that NORTHWEST is not taken for NORTH.
    struct Move {
        std::string_view key, longKey;
        int direction;
    };
    static constexpr Move Moves[] = {
        {"NW", "NORTHW", dir::NorthWest}, {"NE", "NORTHE", dir::NorthEast},
        {"SW", "SOUTHW", dir::SouthWest}, {"SE", "SOUTHE", dir::SouthEast},
        {"N", "N", dir::North}, {"S", "S", dir::South}, {"W", "W", dir::West},
        {"E", "E", dir::East}, {"U", "U", dir::Up}, {"D", "D", dir::Down},
    };
    for (const Move& m : Moves)
        if (starts(m.key) || starts(m.longKey)) {
            move(m.direction);
            break;
        }
    return Action::None;
}

void VirtualWalk::move(int direction)
{
    static constexpr const char* Echo[dir::Count] = {
        "> NORTH", "> SOUTH", "> WEST", "> EAST", "> NORTHWEST",
        "> NORTHEAST", "> SOUTHWEST", "> SOUTHEAST", "> UP", "> DOWN"};
    echo(Echo[direction - 1]);
    const TMapRoom* room = map_.room(map_.MapX, map_.MapY, map_.MapLevel);
    // An exit whose bytes lead off the grid cannot be followed: the position stays on it.
    if (room && room->exit(direction).present() &&
        RoomGrid::inside(room->exit(direction).x, room->exit(direction).y, room->exit(direction).level)) {
        const MapExit e = room->exit(direction);
        map_.MapX = e.x;
        map_.MapY = e.y;
        map_.MapLevel = e.level;
        add("");
        ShowRoom();
        return;
    }
    add("Alas, you cannot go that way.");
    add("");
    prompt();
}

void VirtualWalk::gotoCoordinates(const std::string& text)
{
    const std::size_t space = text.find(' ');
    if (space == std::string::npos || text.find(',') == std::string::npos) {
        echo("> GOTO");
        add("USAGE: GOTO <x>,<y>,<level>");
        add("<x> and <y> are integers of range 1 to 30");
        add("<level> is an integer of range 1 to 10");
        add("");
        prompt();
        return;
    }
    const std::string coords = text.substr(space + 1);
    const std::size_t c1 = coords.find(',');
    const std::optional<long> x = parseWholeNumber(std::string_view(coords).substr(0, c1));
    const std::size_t c2 = c1 == std::string::npos ? c1 : coords.find(',', c1 + 1);
    std::optional<long> y, level;
    if (c2 != std::string::npos) {
        y = parseWholeNumber(std::string_view(coords).substr(c1 + 1, c2 - c1 - 1));
        level = parseWholeNumber(std::string_view(coords).substr(c2 + 1));
    }
    if (!x || !y || !level) {
        echo("> GOTO ???");
        add("Invalid coordinates");
        add("");
        prompt();
        return;
    }
    echo("> GOTO (" + coords + ")");
    if (RoomGrid::inside(int(*x), int(*y), int(*level)) && map_.RoomExists(int(*x), int(*y), int(*level))) {
        map_.MapX = int(*x);
        map_.MapY = int(*y);
        map_.MapLevel = int(*level);
        add("");
        ShowRoom();
        return;
    }
    add("Room at specified coordinates does not exist");
    add("");
    prompt();
}

} // namespace tw
