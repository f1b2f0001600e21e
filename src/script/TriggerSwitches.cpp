#include "script/TriggerSwitches.h"

namespace tw {
namespace {

std::string twoDigits(int n)
{
    return {char('0' + n / 10 % 10), char('0' + n % 10)};
}

int indexAt(std::string_view s, std::size_t pos, int count)
{
    if (s.size() < pos + 2)
        return 0;
    const char hi = s[pos], lo = s[pos + 1];
    if (hi < '0' || hi > '9' || lo < '0' || lo > '9')
        return 0;
    const int n = (hi - '0') * 10 + (lo - '0');
    return n < count ? n : 0;
}

} // namespace

std::string TriggerSwitches::toString() const
{
    const int f = fore >= 0 && fore < ForeColorCount ? fore : 0;
    const int b = back >= 0 && back < BackColorCount ? back : 0;
    return std::string(active ? "1" : "0") + "0" + twoDigits(f) + twoDigits(b);
}

TriggerSwitches TriggerSwitches::fromString(std::string_view s)
{
    TriggerSwitches t;
    t.active = !s.empty() && s[0] == '1';
    t.fore = indexAt(s, 2, ForeColorCount);
    t.back = indexAt(s, 4, BackColorCount);
    return t;
}

bool TriggerSwitches::acceptsPattern(std::string_view pattern)
{
    if (pattern.empty())
        return false;
    const std::size_t first = pattern.find("%%");
    return first == std::string_view::npos || first + 2 != pattern.size();
}

} // namespace tw
