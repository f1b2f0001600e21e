#include "RoomView.h"

#include "Ansi.h"
#include "Gmcp.h"
#include "ModernText.h"

namespace tw::practice {

void RoomView::show(const PlayerState& player, ReplyBuilder& reply) const
{
    const Room& room = map_.room(player.room);
    if (player.telnet.gmcp) {
        // Cut in the middle of its JSON, so that a client meets a message arriving in pieces.
        const std::string info = gmcp::roomInfo(map_, player.room);
        reply.telnetCommand(std::string_view(info).substr(0, info.size() / 2));
        reply.pause();
        reply.telnetCommand(std::string_view(info).substr(info.size() / 2));
    }
    reply.colouredLine(ansi::kTitle, room.title);
    for (const std::string& line : room.description)
        reply.line(line);
    if (room.guard) {
        reply.colouredLine(ansi::kGuard, "A town guard stands here, watching the road.");
        if (player.modern)
            reply.line(ModernText::sign());
    }
    showExitsLine(player, reply);
}

void RoomView::showExitsLine(const PlayerState& player, ReplyBuilder& reply) const
{
    const Room& room = map_.room(player.room);
    std::string text(ansi::kExits);
    text += "Exits:";
    bool any = false;
    for (int code = 1; code <= kDirectionCount; ++code) {
        const Direction direction = directionFromCode(code);
        const Exit& exit = room.exit(direction);
        if (exit.to < 0)
            continue;
        any = true;
        text += ' ';
        text += directionName(direction);
        if (exit.door && !player.doorOpen) {
            text += ansi::kClosedDoor;
            text += "(closed)";
            text += ansi::kReset;
            text += ansi::kExits;
        }
    }
    if (!any)
        text += " none";
    text += ansi::kReset;
    reply.line(text);
}

void RoomView::listExits(const PlayerState& player, ReplyBuilder& reply) const
{
    const Room& room = map_.room(player.room);
    reply.colouredLine(ansi::kHeading, "Obvious exits:");
    for (int code = 1; code <= kDirectionCount; ++code) {
        const Direction direction = directionFromCode(code);
        const Exit& exit = room.exit(direction);
        if (exit.to < 0)
            continue;
        std::string text(directionName(direction));
        text.resize(10, ' ');
        text += "- ";
        if (exit.door && !player.doorOpen)
            text += "a closed door";
        else
            text += map_.room(exit.to).title;
        reply.line(text);
    }
}

} // namespace tw::practice
