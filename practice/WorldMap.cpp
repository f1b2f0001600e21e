#include "WorldMap.h"

namespace tw::practice {

// Every room sits on the cell its exits imply (north is one row up, northeast one row up and one
// column right, up one level higher), so a client that maps by counting steps draws it truly.
WorldMap::WorldMap()
{
    // Level 1: the town.
    const int temple = add("The Temple of the Morning", 0, 0, 1,
        {"Tall windows throw coloured light across a floor of worn marble.",
         "A priest hums somewhere behind the altar."});
    const int marketNorth = add("Market North", 1, 0, 1,
        {"Stalls of cloth and pottery line the north end of the market.",
         "A merchant waves a bolt of blue silk at you."});
    const int bakery = add("The Bakery", 2, 0, 1,
        {"Warm air and the smell of fresh bread fill this low room.",
         "Loaves are stacked on the counter; try 'eat' when you are hungry."});
    const int towerBase = add("Base of the Old Tower", 3, 0, 1,
        {"A round stone tower rises above you. Narrow stairs wind upwards",
         "into the dark."});
    const int library = add("The Library", 0, 1, 1,
        {"Shelves of dusty books reach up to the ceiling.",
         "A sign on the wall reads: 'help' lists what you can do here."});
    const int square = add("Town Square", 1, 1, 1,
        {"The heart of the town. Roads lead off in every direction and a",
         "notice board stands in the middle: 'note' writes, 'notes' reads."});
    const int fountain = add("Fountain Street", 2, 1, 1,
        {"A stone fountain splashes in the middle of the street."});
    const int eastRoad = add("East Road", 3, 1, 1,
        {"The road ends at a heavy oak door set in the wall to the east.",
         "Painted on it: ARMOURY."});
    const int armoury = add("The Armoury", 4, 1, 1,
        {"Racks of rusty swords and dented shields line the walls.",
         "Nothing here is worth stealing."});
    const int well = add("The Old Well", 0, 2, 1,
        {"A mossy well with a rope ladder hanging down into the darkness."});
    const int southRoad = add("South Road", 1, 2, 1,
        {"A muddy road between the square and the town gate. An iron grate",
         "in the ground leads down."});
    const int stables = add("The Stables", 2, 2, 1,
        {"Horses shuffle in their stalls. It smells of hay and worse."});
    const int garden = add("The Herb Garden", 3, 2, 1,
        {"Neat rows of sage, thyme and mint grow between gravel paths."});
    const int gate = add("Town Gate", 1, 3, 1,
        {"You stand inside the southern gate of a small walled town.",
         "The road runs north towards the town square."});
    rooms_[static_cast<std::size_t>(gate)].guard = true;
    startRoom_ = gate;

    // Level 2: the tower and the walls.
    const int stairs = add("Top of the Tower Stairs", 3, 0, 2,
        {"The stairs end on a windy landing high above the town."});
    const int battlement = add("The Battlement Walk", 2, 0, 2,
        {"A narrow walk along the top of the town wall."});
    const int signalFire = add("The Signal Fire", 1, 0, 2,
        {"A great iron basket of cold ashes, ready to warn the country."});
    const int watchRoom = add("The Watch Room", 2, 1, 2,
        {"A bare room with a table, two stools and a game of dice."});
    const int bells = add("The Bell Chamber", 3, 1, 2,
        {"A huge bronze bell hangs from the rafters. Best not to touch it."});

    // Level 0: under the town.
    const int wellBottom = add("Bottom of the Well", 0, 2, 0,
        {"Cold water reaches your ankles. A tunnel leads east."});
    const int tunnel = add("A Damp Tunnel", 1, 2, 0,
        {"Water drips from the ceiling. Light falls through a grate above."});

    link(temple, Direction::East, marketNorth);
    link(temple, Direction::South, library);
    link(temple, Direction::SouthEast, square);
    link(marketNorth, Direction::East, bakery);
    link(marketNorth, Direction::South, square);
    link(bakery, Direction::East, towerBase);
    link(bakery, Direction::South, fountain);
    link(towerBase, Direction::South, eastRoad);
    link(towerBase, Direction::Up, stairs);
    link(library, Direction::East, square);
    link(library, Direction::South, well);
    link(square, Direction::East, fountain);
    link(square, Direction::South, southRoad);
    link(square, Direction::SouthEast, stables);
    link(fountain, Direction::East, eastRoad);
    link(fountain, Direction::South, stables);
    link(eastRoad, Direction::East, armoury, true);
    link(eastRoad, Direction::South, garden);
    link(well, Direction::East, southRoad);
    link(well, Direction::Down, wellBottom);
    link(southRoad, Direction::East, stables);
    link(southRoad, Direction::South, gate);
    link(southRoad, Direction::Down, tunnel);
    link(stables, Direction::East, garden);
    link(stables, Direction::SouthWest, gate);

    link(stairs, Direction::West, battlement);
    link(stairs, Direction::South, bells);
    link(battlement, Direction::West, signalFire);
    link(battlement, Direction::South, watchRoom);
    link(battlement, Direction::SouthEast, bells);
    link(signalFire, Direction::SouthEast, watchRoom);
    link(watchRoom, Direction::East, bells);

    link(wellBottom, Direction::East, tunnel);
}

int WorldMap::findRoom(std::string_view title) const
{
    for (std::size_t i = 0; i < rooms_.size(); ++i) {
        if (rooms_[i].title == title)
            return static_cast<int>(i);
    }
    return -1;
}

int WorldMap::add(std::string title, int x, int y, int level, std::vector<std::string> description)
{
    Room room;
    room.title = std::move(title);
    room.description = std::move(description);
    room.x = x;
    room.y = y;
    room.level = level;
    rooms_.push_back(std::move(room));
    return static_cast<int>(rooms_.size()) - 1;
}

// Every passage can be walked both ways, so each link makes the exit and its way back.
void WorldMap::link(int from, Direction direction, int to, bool door)
{
    rooms_[static_cast<std::size_t>(from)].exit(direction) = Exit{to, door};
    rooms_[static_cast<std::size_t>(to)].exit(opposite(direction)) = Exit{from, door};
}

} // namespace tw::practice
