#include "NoteCommands.h"

#include "Ansi.h"
#include "TextUtil.h"

namespace tw::practice {

void NoteCommands::note(std::string_view rest, ReplyBuilder& reply)
{
    // "note + TEXT" keeps the text as typed after the one blank that follows the plus, so an
    // empty line of the message ("note + ") stays an empty line.
    std::string_view afterBlanks = rest;
    while (!afterBlanks.empty() && afterBlanks.front() == ' ')
        afterBlanks.remove_prefix(1);
    if (!afterBlanks.empty() && afterBlanks.front() == '+') {
        std::string_view text = afterBlanks.substr(1);
        if (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        Note& note = draft();
        if (note.lines.size() >= kMaxLines) {
            reply.line("Your note is full.");
            return;
        }
        note.lines.emplace_back(text);
        reply.line("Line " + std::to_string(note.lines.size()) + " added.");
        return;
    }

    const auto [word, argument] = splitFirstWord(rest);
    const std::string verb = toLower(word);
    if (verb == "to" && !argument.empty()) {
        draft().to = std::string(argument);
        reply.line("To: " + std::string(argument));
    } else if (verb == "subject" && !argument.empty()) {
        draft().subject = std::string(argument);
        reply.line("Subject: " + std::string(argument));
    } else if (verb == "send" && argument.empty()) {
        if (!player_.draft || player_.draft->to.empty()) {
            reply.line("Your note needs a recipient first: note to NAME.");
            return;
        }
        Note posted = std::move(*player_.draft);
        player_.draft.reset();
        posted.from = player_.name;
        if (posted.subject.empty())
            posted.subject = "(no subject)";
        const std::string to = posted.to;
        board_.post(std::move(posted));
        reply.colouredLine(ansi::kNotice, "Note posted to " + to + ".");
    } else {
        reply.line("Usage: note to NAME | note subject TEXT | note + TEXT | note send");
    }
}

void NoteCommands::list(ReplyBuilder& reply) const
{
    const auto& notes = board_.notes();
    if (notes.empty()) {
        reply.line("There are no notes on the board.");
        return;
    }
    std::size_t number = board_.firstNumber();
    for (const Note& note : notes) {
        reply.colouredLine(ansi::kHeading,
                           "Note " + std::to_string(number++) + " from " + note.from);
        reply.line("To: " + note.to);
        reply.line("Subject: " + note.subject);
        for (const std::string& line : note.lines)
            reply.line("  " + line);
    }
}

Note& NoteCommands::draft()
{
    if (!player_.draft)
        player_.draft.emplace();
    return *player_.draft;
}

} // namespace tw::practice
