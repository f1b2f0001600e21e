#include "core/ChannelLine.h"

#include "core/PlainText.h"

#include <algorithm>

namespace tw {

std::string channelLineText(const ChannelText& line)
{
    std::string out;
    if (!line.channel.empty())
        out += "[" + line.channel + "] ";
    if (!line.talker.empty())
        out += line.talker + ": ";
    // The channel's name and the talker come from the game too, so the whole line is read as
    // the game's text.
    out = plainText(out + line.text);
    std::replace(out.begin(), out.end(), '\n', ' ');
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

} // namespace tw
