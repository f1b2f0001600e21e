#pragma once
// Everything one connection remembers about its player. Each session has its own, so the door
// one player opens stays closed for everyone else.
#include "NoteBoard.h"
#include "Statistics.h"
#include "TelnetReader.h"
#include "Vitals.h"

#include <optional>
#include <string>

namespace tw::practice {

enum class LoginStage {
    AskName,
    AskPassword, // with --modern only
    ConfirmStatistics,
    Playing,
    Gone,
};

struct PlayerState {
    LoginStage stage = LoginStage::AskName;
    std::string name;
    Statistics statistics;
    int room = 0;
    bool doorOpen = false;
    int satedTicks = 0;           // hunger periods left before the next "You are hungry."
    std::optional<Note> draft;    // the note being written, if any
    bool modern = false;          // the connection speaks telnet (--modern)
    std::string password;
    TelnetInfo telnet;
    Vitals vitals;
};

} // namespace tw::practice
