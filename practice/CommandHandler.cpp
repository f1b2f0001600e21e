#include "CommandHandler.h"

#include "Ansi.h"
#include "DiagnosticCommands.h"
#include "Gmcp.h"
#include "ModernText.h"
#include "TextUtil.h"

namespace tw::practice {

CommandHandler::CommandHandler(const WorldMap& map, NoteBoard& board, PlayerState& player,
                               std::mt19937::result_type seed)
    : map_(map), player_(player), random_(seed), roller_(random_), guard_(random_),
      login_(player, roller_), notes_(board, player), view_(map)
{
    player_.room = map_.startRoom();
}

void CommandHandler::greet(ReplyBuilder& reply)
{
    login_.greet(reply);
}

void CommandHandler::handle(const InputLine& line, ReplyBuilder& reply)
{
    if (player_.stage == LoginStage::Gone)
        return;
    if (line.tooLong) {
        reply.line("That line is too long; it was ignored.");
        if (player_.stage == LoginStage::Playing)
            prompt(reply);
        else
            login_.handle("", reply);
        return;
    }
    if (toLower(trim(line.text)) == "quit") {
        quit(reply);
        return;
    }
    if (player_.stage != LoginStage::Playing) {
        login_.handle(line.text, reply);
        if (player_.stage == LoginStage::Playing) {
            view_.show(player_, reply);
            prompt(reply);
        }
        return;
    }
    play(line.text, reply);
    if (player_.stage == LoginStage::Playing)
        prompt(reply);
}

void CommandHandler::prompt(ReplyBuilder& reply)
{
    if (player_.telnet.gmcp)
        reply.telnetCommand(gmcp::vitals(player_.vitals));
    reply.prompt();
}

void CommandHandler::telnetReport(ReplyBuilder& reply)
{
    if (!player_.modern) {
        reply.line("This world speaks no telnet; start it with --modern.");
        return;
    }
    const TelnetInfo& t = player_.telnet;
    const auto onOff = [](bool on) { return on ? std::string("on") : std::string("off"); };
    reply.line("Window: " + (t.width ? std::to_string(t.width) + " x " + std::to_string(t.height)
                                     : std::string("unknown")));
    reply.line("Terminal: " + (t.terminalType.empty() ? std::string("unknown") : t.terminalType));
    reply.line("Compression: " + onOff(t.compressing));
    reply.line("End of record: " + onOff(t.endOfRecord));
    std::string gmcp = "GMCP: " + onOff(t.gmcp);
    if (t.gmcp && !t.gmcpClient.empty())
        gmcp += "; client " + t.gmcpClient;
    for (std::size_t i = 0; t.gmcp && i < t.gmcpSupports.size(); ++i)
        gmcp += (i == 0 ? "; supports " : ", ") + t.gmcpSupports[i];
    reply.line(gmcp);
}

void CommandHandler::hungerTick(ReplyBuilder& reply)
{
    if (player_.stage != LoginStage::Playing)
        return;
    if (player_.satedTicks > 0) {
        --player_.satedTicks;
        return;
    }
    // The reminder arrives after a prompt, so it starts on a fresh line.
    player_.vitals.starve();
    reply.line();
    reply.colouredLine(ansi::kHunger, "You are hungry.");
    prompt(reply);
}

void CommandHandler::play(std::string_view line, ReplyBuilder& reply)
{
    const auto [word, rest] = splitFirstWord(line);
    if (word.empty())
        return; // an empty line only asks for a new prompt
    const std::string verb = toLower(word);
    const auto direction = parseDirection(verb);
    const bool moving = direction && rest.empty();
    const bool casting = verb == "cast" && player_.modern;
    // A move spends movement only when it succeeds; every other command rests.
    if (!moving)
        player_.vitals.rest();
    if (!casting)
        player_.vitals.recoverMana();

    if (moving) {
        move(*direction, reply);
    } else if (casting) {
        cast(reply);
    } else if (verb == "telnet") {
        telnetReport(reply);
    } else if (verb == "look" || verb == "l") {
        view_.show(player_, reply);
    } else if (verb == "exits") {
        view_.listExits(player_, reply);
    } else if (verb == "open" || verb == "close") {
        door(verb == "open", rest, reply);
    } else if (verb == "say") {
        say(rest, reply);
    } else if (verb == "talk") {
        talk(rest, reply);
    } else if (verb == "eat") {
        eat(reply);
    } else if (verb == "note") {
        // The text of "note + TEXT" is kept as typed, so the note gets the untrimmed rest.
        const std::size_t at = toLower(line).find("note");
        notes_.note(line.substr(at + 4), reply);
    } else if (verb == "notes") {
        notes_.list(reply);
    } else if (verb == "help") {
        help(reply);
    } else if (verb == "flood") {
        if (!DiagnosticCommands::flood(rest, reply))
            reply.line("Usage: flood N (1 to 200000 lines).");
    } else if (verb == "colours" || verb == "colors") {
        if (player_.modern)
            ModernText::colours(reply);
        else
            reply.line("Only a modern world paints in more than sixteen colours; start it with --modern.");
    } else if (verb == "dump") {
        dump(rest, reply);
    } else if (verb == "certificate") {
        if (switchCertificate && switchCertificate())
            reply.line("TLS connections from now on get the other certificate.");
        else
            reply.line("This world has one TLS certificate; start it with --tls-cert2 and --tls-key2 for a second.");
    } else {
        reply.line("Huh? Type 'help' for the commands.");
    }
}

void CommandHandler::move(Direction direction, ReplyBuilder& reply)
{
    const Exit& exit = map_.room(player_.room).exit(direction);
    if (exit.to < 0) {
        // Failure answers stay uncoloured: a client's automapper compares the whole line.
        reply.line("Alas, you cannot go that way.");
        return;
    }
    if (exit.door && !player_.doorOpen) {
        reply.line("The door is closed.");
        return;
    }
    player_.room = exit.to;
    player_.vitals.walk();
    view_.show(player_, reply);
}

void CommandHandler::door(bool open, std::string_view what, ReplyBuilder& reply)
{
    const std::string verb = open ? "Open" : "Close";
    if (toLower(what) != "door") {
        reply.line(verb + " what? Try '" + toLower(verb) + " door'.");
        return;
    }
    bool doorHere = false;
    for (const Exit& exit : map_.room(player_.room).exits)
        doorHere = doorHere || (exit.to >= 0 && exit.door);
    if (!doorHere) {
        reply.line("You see no door here.");
        return;
    }
    if (player_.doorOpen == open) {
        reply.line(open ? "The door is already open." : "The door is already closed.");
        return;
    }
    player_.doorOpen = open;
    reply.line(open ? "You open the door." : "You close the door.");
}

void CommandHandler::say(std::string_view text, ReplyBuilder& reply)
{
    if (text.empty()) {
        reply.line("Say what?");
        return;
    }
    speak("You", "You say '" + std::string(text) + "'", reply);
    if (playerMeetsGuard())
        speak("The guard", guard_.answer(text), reply);
}

void CommandHandler::speak(std::string_view talker, const std::string& text, ReplyBuilder& reply)
{
    reply.colouredLine(ansi::kSpeech, text);
    // The channel keeps the text's colours, as the terminal shows it.
    if (player_.telnet.gmcp) {
        const std::string coloured = std::string(ansi::kSpeech) + text + std::string(ansi::kReset);
        reply.telnetCommand(gmcp::channelText("say", talker, coloured));
    }
}

void CommandHandler::talk(std::string_view whom, ReplyBuilder& reply)
{
    const std::string lower = toLower(whom);
    if (lower.empty()) {
        reply.line("Talk to whom?");
    } else if (lower != "guard" && lower != "to guard") {
        reply.line("There is nobody of that name here.");
    } else if (!playerMeetsGuard()) {
        reply.line("There is no guard here.");
    } else {
        speak("The guard", guard_.chat(), reply);
    }
}

void CommandHandler::eat(ReplyBuilder& reply)
{
    player_.satedTicks = kSatedPeriods;
    player_.vitals.eat();
    reply.line("You eat a loaf of fresh bread. You are no longer hungry.");
}

void CommandHandler::cast(ReplyBuilder& reply)
{
    reply.line(player_.vitals.cast() ? "You wave your hands; sparks fly." : "You are too tired to cast.");
}

void CommandHandler::help(ReplyBuilder& reply)
{
    reply.colouredLine(ansi::kHeading, "Commands of the practice world:");
    reply.line("  n s e w ne nw se sw u d   move (north, northeast, up ... work too)");
    reply.line("  look, exits               the room and where its exits lead");
    reply.line("  open door, close door     the armoury door east of the East Road");
    reply.line("  say TEXT, talk guard      speak; the guard at the town gate answers");
    reply.line("  eat                       stop being hungry for a while");
    reply.line("  note to NAME, note subject TEXT, note + TEXT, note send");
    reply.line("  notes                     read the notice board");
    reply.line("  flood N, dump HEX         send N coloured lines, or raw bytes");
    reply.line("  quit                      leave the world");
    if (switchCertificate)
        reply.line("  certificate               TLS connections from now on get the other certificate");
    if (player_.modern) {
        reply.line("  telnet                    what the client agreed to over telnet");
        reply.line("  colours                   256 and 24-bit colours and UTF-8 text");
        reply.line("  cast                      spend mana on a few sparks");
    }
}

void CommandHandler::quit(ReplyBuilder& reply)
{
    const std::string who = player_.name.empty() ? std::string("stranger") : player_.name;
    reply.line();
    reply.colouredLine(ansi::kNotice, "Farewell, " + who + ". Come back soon!");
    reply.closeAfterwards();
    player_.stage = LoginStage::Gone;
}

void CommandHandler::dump(std::string_view hex, ReplyBuilder& reply)
{
    const auto bytes = DiagnosticCommands::decodeHex(hex);
    if (!bytes) {
        reply.line("Usage: dump HEX (pairs of hex digits, e.g. dump 1b5b316d).");
        return;
    }
    // Sent exactly as decoded: no line end is added before the prompt.
    reply.raw(*bytes);
}

bool CommandHandler::playerMeetsGuard() const
{
    return map_.room(player_.room).guard;
}

} // namespace tw::practice
