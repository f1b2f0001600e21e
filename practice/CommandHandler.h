#pragma once
// One player's side of the game: takes each command line and writes the answer, ending with a
// prompt. It holds no socket, so the whole game can be driven without a network.
#include "Guard.h"
#include "InputLineSplitter.h"
#include "LoginDialogue.h"
#include "NoteCommands.h"
#include "PlayerState.h"
#include "ReplyBuilder.h"
#include "RoomView.h"
#include "StatRoller.h"
#include "WorldMap.h"

#include <functional>
#include <random>
#include <string_view>

namespace tw::practice {

class CommandHandler {
public:
    // Eating keeps hunger away for this many hunger periods.
    static constexpr int kSatedPeriods = 3;

    CommandHandler(const WorldMap& map, NoteBoard& board, PlayerState& player, std::mt19937::result_type seed);

    // Set when the world has a second TLS certificate: serves the other one from now on.
    std::function<bool()> switchCertificate;

    void greet(ReplyBuilder& reply);
    void handle(const InputLine& line, ReplyBuilder& reply);
    // Called once per hunger period; writes the reminder when one is due.
    void hungerTick(ReplyBuilder& reply);

private:
    void play(std::string_view line, ReplyBuilder& reply);
    void move(Direction direction, ReplyBuilder& reply);
    void door(bool open, std::string_view what, ReplyBuilder& reply);
    void say(std::string_view text, ReplyBuilder& reply);
    void talk(std::string_view whom, ReplyBuilder& reply);
    void eat(ReplyBuilder& reply);
    void cast(ReplyBuilder& reply);
    // The prompt of play; a GMCP client gets the vitals just before it.
    void prompt(ReplyBuilder& reply);
    // The line in the terminal, and for a GMCP client the same text on the say channel.
    void speak(std::string_view talker, const std::string& text, ReplyBuilder& reply);
    void help(ReplyBuilder& reply);
    void telnetReport(ReplyBuilder& reply);
    void quit(ReplyBuilder& reply);
    void dump(std::string_view hex, ReplyBuilder& reply);
    bool playerMeetsGuard() const;

    const WorldMap& map_;
    PlayerState& player_;
    std::mt19937 random_;
    StatRoller roller_;
    Guard guard_;
    LoginDialogue login_;
    NoteCommands notes_;
    RoomView view_;
};

} // namespace tw::practice
