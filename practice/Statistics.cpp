#include "Statistics.h"

#include <array>
#include <numeric>
#include <string_view>

namespace tw::practice {

namespace {
constexpr std::array<std::string_view, 5> kLabels{"Strength:", "Intelligence:", "Wisdom:",
                                                   "Dexterity:", "Constitution:"};
}

int Statistics::total() const
{
    return std::accumulate(values.begin(), values.end(), 0);
}

std::string Statistics::line() const
{
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += ' ';
        // Rolls stay within 0..99, the clamp only guards the two-character form.
        const int value = values[i] < 0 ? 0 : (values[i] > 99 ? 99 : values[i]);
        text += kLabels[i];
        text += ' ';
        text += static_cast<char>('0' + value / 10);
        text += static_cast<char>('0' + value % 10);
    }
    return text;
}

} // namespace tw::practice
