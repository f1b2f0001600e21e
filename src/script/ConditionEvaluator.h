#pragma once
// The truth of an #IF condition, found by rewriting its text: "percent" becomes a random
// number, every comparison becomes "1" or "0", then parentheses, not, and, or fold away.
#include <cstddef>
#include <random>
#include <string>
#include <string_view>

namespace tw {

// Text (summed over the folding rounds) that one evaluation may fold before it gives up with
// false. Conditions that people write fold in a few rounds of a few hundred characters.
inline constexpr std::size_t MaxFoldingWork = 2 * 1024 * 1024;

// True exactly when the condition reduces to "1". Malformed text is false or some
// deterministic value; it never fails.
bool EvaluateCondition(std::string_view condition, std::mt19937& rng);
// The same, adding the work the evaluation did (about the bytes it handled) to work.
bool EvaluateCondition(std::string_view condition, std::mt19937& rng, std::size_t& work);

// Collapses runs of blanks, removes blanks inside parentheses and at both ends, and strips
// parentheses that enclose the whole text as one pair.
void NormalizeCondition(std::string& text);

} // namespace tw
