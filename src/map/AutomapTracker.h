#pragma once
// Movement tracking: remembers each movement command sent while the automapper is active and
// lets the first line of the game's reply decide whether the player moved. A move steps the
// position (shifting the map at an edge), creates and links the room and names it.
#include "map/GameRoom.h"
#include "map/MapModel.h"

#include <string>
#include <string_view>

namespace tw {

class Host;

class AutomapTracker {
public:
    AutomapTracker(MapModel& map, Host& host) : map_(map), host_(host) {}

    // What the last received block did to a pending move.
    enum class Outcome { Nothing, Moved, Refused, MapFull };

    // The command parser's hook, with each command just before it is sent.
    void command(std::string_view text);
    // The receive pipeline's hook, with each block after its line ends are repaired.
    Outcome receive(std::string_view block);
    // The game said which room the player stands in (out-of-band room data). From then on this
    // connection's moves follow the game's room numbers, not the text.
    Outcome gameRoom(const GameRoom& room);
    // A new connection: nothing is known about the game's rooms until it sends them.
    void connectionStarted();

    static constexpr std::size_t MaxPendingText = 255;

private:
    bool makeRoomAtEdge();

    MapModel& map_;
    Host& host_;
};

// The direction code of a movement command ("n", "NE" ...), or 0.
int movementDirection(std::string_view text);

} // namespace tw
