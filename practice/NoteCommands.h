#pragma once
// The board commands, written one per line as old games had them: "note to NAME",
// "note subject TEXT", "note + TEXT" (once per line of text), "note send"; "notes" reads.
#include "NoteBoard.h"
#include "PlayerState.h"
#include "ReplyBuilder.h"

#include <string_view>

namespace tw::practice {

class NoteCommands {
public:
    NoteCommands(NoteBoard& board, PlayerState& player) : board_(board), player_(player) {}

    // `rest` is what follows the word "note", untrimmed.
    void note(std::string_view rest, ReplyBuilder& reply);
    void list(ReplyBuilder& reply) const;

    static constexpr std::size_t kMaxLines = 100;

private:
    Note& draft();

    NoteBoard& board_;
    PlayerState& player_;
};

} // namespace tw::practice
