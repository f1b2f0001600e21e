#include "NoteBoard.h"

namespace tw::practice {

void NoteBoard::post(Note note)
{
    notes_.push_back(std::move(note));
    while (notes_.size() > kMaxNotes) {
        notes_.pop_front();
        ++dropped_;
    }
}

} // namespace tw::practice
