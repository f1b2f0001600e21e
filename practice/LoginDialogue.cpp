#include "LoginDialogue.h"

#include "Ansi.h"
#include "TextUtil.h"

namespace tw::practice {

void LoginDialogue::greet(ReplyBuilder& reply)
{
    // Today's servers end some lines with a line feed alone.
    if (player_.modern)
        reply.text("Connecting...\n");
    reply.colouredLine(ansi::kBanner, " Welcome to the Tarnwick practice world! ");
    reply.line("A small walled town to try your client on. Nothing here can hurt you.");
    reply.line();
    askName(reply);
}

void LoginDialogue::handle(std::string_view line, ReplyBuilder& reply)
{
    const std::string_view answer = trim(line);
    if (player_.stage == LoginStage::AskName) {
        if (answer.empty()) {
            askName(reply);
            return;
        }
        if (!isValidName(answer)) {
            reply.line("A name is 2 to 12 letters and nothing else.");
            askName(reply);
            return;
        }
        player_.name = toLower(answer);
        player_.name[0] = static_cast<char>(player_.name[0] - 'a' + 'A');
        if (player_.modern) {
            player_.stage = LoginStage::AskPassword;
            reply.line("Welcome, " + player_.name + "!");
            askPassword(reply);
            return;
        }
        player_.stage = LoginStage::ConfirmStatistics;
        reply.line("Welcome, " + player_.name + "! Rolling your statistics...");
        rollAndAsk(reply);
        return;
    }

    if (player_.stage == LoginStage::AskPassword) {
        // The client stops hiding what is typed; the line end is the one it did not echo.
        reply.telnetCommand(telnet::command(telnet::WONT, telnet::Echo));
        reply.line();
        if (answer.empty()) {
            reply.line("A password cannot be empty.");
            askPassword(reply);
            return;
        }
        player_.password = std::string(answer);
        player_.stage = LoginStage::ConfirmStatistics;
        reply.line("Password set. Rolling your statistics...");
        rollAndAsk(reply);
        return;
    }

    const std::string lower = toLower(answer);
    if (lower == "n" || lower == "no") {
        rollAndAsk(reply);
    } else if (lower == "y" || lower == "yes") {
        player_.stage = LoginStage::Playing;
        reply.line("You keep these statistics. Type 'help' for the commands.");
        reply.line();
    } else {
        reply.line("Please answer y or n.");
        reply.text("Keep these statistics? (y/n) ");
    }
}

void LoginDialogue::askName(ReplyBuilder& reply)
{
    reply.text("By what name do you wish to be known? ");
}

void LoginDialogue::askPassword(ReplyBuilder& reply)
{
    reply.text("Choose a password: ");
    // The world echoes nothing, so the client hides what is typed.
    reply.telnetCommand(telnet::command(telnet::WILL, telnet::Echo));
}

// The statistics line and the question travel in one short write, so that a stat roller that
// examines one received block at a time sees the whole set.
void LoginDialogue::rollAndAsk(ReplyBuilder& reply)
{
    player_.statistics = roller_.roll();
    reply.line(player_.statistics.line());
    reply.text("Keep these statistics? (y/n) ");
}

bool LoginDialogue::isValidName(std::string_view name)
{
    if (name.size() < 2 || name.size() > kMaxNameLength)
        return false;
    for (const char c : name) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    }
    return true;
}

} // namespace tw::practice
