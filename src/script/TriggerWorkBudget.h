#pragma once
// How much work the triggers may do on one received block. A trigger list of any size or
// shape then costs a bounded time per block: once the budget is spent, the rest of the block
// goes unmatched and the status row says so. A unit is about a nanosecond or two of work on
// these machines, so a whole budget is a few hundredths of a second, at worst about a tenth.
#include <cstddef>

namespace tw {

class TriggerWorkBudget {
public:
    static constexpr std::size_t PerBlock = 32u << 20;
    // What the kinds of work cost, in units.
    static constexpr std::size_t PerTrigger = 32;  // looking at one trigger at all
    static constexpr std::size_t PerMatch = 16;    // a match and its captures
    static constexpr std::size_t PerResponse = 256; // running a response, beside its own text
    static constexpr std::size_t searching(std::size_t bytes) { return bytes / 4; }
    static constexpr std::size_t copying(std::size_t bytes) { return bytes / 8; }

    static constexpr const char* StoppedText =
        "Trigger matching stopped for this block: too much work.";

    void start() { spent_ = 0; }
    // Counts work done; false once the block's budget is spent.
    bool charge(std::size_t units)
    {
        spent_ += units;
        return !exhausted();
    }
    bool exhausted() const { return spent_ > PerBlock; }

private:
    std::size_t spent_ = 0;
};

} // namespace tw
