#pragma once
// The questions before play: the player's name, then rolling statistics until the player keeps
// a set. Entering the world is left to the caller, which sees the stage change to Playing.
#include "PlayerState.h"
#include "ReplyBuilder.h"
#include "StatRoller.h"

#include <string_view>

namespace tw::practice {

class LoginDialogue {
public:
    LoginDialogue(PlayerState& player, StatRoller& roller) : player_(player), roller_(roller) {}

    void greet(ReplyBuilder& reply);
    void handle(std::string_view line, ReplyBuilder& reply);

    static constexpr std::size_t kMaxNameLength = 12;

private:
    void askName(ReplyBuilder& reply);
    void askPassword(ReplyBuilder& reply);
    void rollAndAsk(ReplyBuilder& reply);
    static bool isValidName(std::string_view name);

    PlayerState& player_;
    StatRoller& roller_;
};

} // namespace tw::practice
