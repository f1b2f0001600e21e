#pragma once
// How a room reads to the player: the title first (a client's automapper takes the first line
// of a move's reply as the room's name), then the description, whoever is there, and the exits.
// A GMCP client gets the room's data before its text.
#include "PlayerState.h"
#include "ReplyBuilder.h"
#include "WorldMap.h"

namespace tw::practice {

class RoomView {
public:
    explicit RoomView(const WorldMap& map) : map_(map) {}

    void show(const PlayerState& player, ReplyBuilder& reply) const;
    void showExitsLine(const PlayerState& player, ReplyBuilder& reply) const;
    // The longer answer of the "exits" command: one exit per line with where it leads.
    void listExits(const PlayerState& player, ReplyBuilder& reply) const;

private:
    const WorldMap& map_;
};

} // namespace tw::practice
