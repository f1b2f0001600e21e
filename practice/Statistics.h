#pragma once
// The five rolled statistics of a character and the one line that shows them.
#include <array>
#include <string>

namespace tw::practice {

struct Statistics {
    // Strength, Intelligence, Wisdom, Dexterity, Constitution, in this order.
    std::array<int, 5> values{};

    int total() const;
    // "Strength: 18 Intelligence: 12 Wisdom: 09 Dexterity: 17 Constitution: 15": each value
    // is written with two digits so that a stat roller reading two characters finds them.
    std::string line() const;
};

} // namespace tw::practice
