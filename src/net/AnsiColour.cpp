#include "net/AnsiColour.h"

namespace tw {

std::string AttrToSgr(std::uint8_t attr)
{
    const int foreground = attr % 16;
    const int background = (attr / 16) % 8;
    std::string s = "\x1b[0;30;40m";
    s[2] = foreground >= 8 ? '1' : '0';
    s[5] = char('0' + PcToAnsi[std::size_t(foreground % 8)]);
    s[8] = char('0' + PcToAnsi[std::size_t(background)]);
    return s;
}

} // namespace tw
