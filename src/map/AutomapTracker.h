#pragma once
// Movement tracking: remembers each movement command sent while the automapper is active and
// lets the first line of the game's reply decide whether the player moved. A move steps the
// position (shifting the map at an edge), creates and links the room and names it.
#include "map/GameRoom.h"
#include "map/MapModel.h"

#include <optional>
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
    // The player put the position on a room by hand (Ctrl+click): where the room the game named
    // last is not on the map and that room has no number yet, it is that room.
    void positionSetByHand();

    static constexpr std::size_t MaxPendingText = 255;
    // Said when the game names a room the map cannot place: reached by no known exit, or where
    // another room stands. The map waits, unchanged, for a room it knows.
    static constexpr const char* LostText =
        "The automapper cannot place the game's room here; it waits for a room it knows.";

    // Whether this connection's game sends room data, so that the text no longer moves anyone.
    bool followsGame() const { return followsGame_; }

private:
    bool makeRoomAtEdge();
    // Where a room the map does not know goes: the cell beside the room before, in the
    // direction of the exit that named it; nothing when no exit of a placed room did.
    struct Way {
        Cell from;
        int direction;
    };
    std::optional<Way> wayFrom(const std::optional<GameRoom>& before, const GameRoom& room) const;
    Outcome place(const GameRoom& room, const Way& way);
    Outcome lose();
    void setPosition(const Cell& cell);
    // Gives the room at the position the game's number, name and exits and links it with the
    // numbered rooms its exits name, and those whose exits name it.
    void describe(const GameRoom& room, bool takeName);

    MapModel& map_;
    Host& host_;
    bool followsGame_ = false;
    bool lost_ = false;                // the game is in a room the map could not place
    std::optional<GameRoom> previous_; // the room the game named last
};

// The direction code of a movement command ("n", "NE" ...), or 0.
int movementDirection(std::string_view text);

} // namespace tw
