#pragma once
// The town's notice board: notes posted by every player, shared by all sessions. It keeps the
// latest notes only, so a busy board cannot grow without bound.
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace tw::practice {

struct Note {
    std::string from;
    std::string to;
    std::string subject;
    std::vector<std::string> lines;
};

class NoteBoard {
public:
    static constexpr std::size_t kMaxNotes = 100;

    void post(Note note);
    const std::deque<Note>& notes() const { return notes_; }
    // Number of the first kept note, counting every note ever posted from 1.
    std::size_t firstNumber() const { return dropped_ + 1; }

private:
    std::deque<Note> notes_;
    std::size_t dropped_ = 0;
};

} // namespace tw::practice
