#include "StatRoller.h"

namespace tw::practice {

Statistics StatRoller::roll()
{
    Statistics stats;
    for (int& value : stats.values)
        value = 6 + die(6) + die(6) + die(6);
    return stats;
}

// The engine's raw output is fixed by the standard, unlike the library's distributions, so
// the same seed gives the same rolls with every compiler.
int StatRoller::die(int sides)
{
    return static_cast<int>(random_() % static_cast<unsigned>(sides)) + 1;
}

} // namespace tw::practice
