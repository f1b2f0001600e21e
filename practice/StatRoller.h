#pragma once
// Rolls a character's statistics: each one is three six-sided dice plus six (9 to 24), so that
// the client's stat roller finds the usual race minimums within a few hundred rolls.
#include "Statistics.h"

#include <random>

namespace tw::practice {

class StatRoller {
public:
    explicit StatRoller(std::mt19937& random) : random_(random) {}

    Statistics roll();

    static constexpr int kLowest = 9;
    static constexpr int kHighest = 24;

private:
    int die(int sides);

    std::mt19937& random_;
};

} // namespace tw::practice
