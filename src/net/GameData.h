#pragma once
// What a game tells beside its text (telnet option 201, GMCP), in the form the rest of the
// program reads it: the character's vitals and the lines of its chat channels.
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace tw {

// One gauge of the character's vitals, such as "HP" at 37 of 100. A gauge whose maximum is not
// known (or not above 0) has maximum 0.
struct VitalGauge {
    std::string name;
    long long value = 0;
    long long maximum = 0;
    bool operator==(const VitalGauge&) const = default;
};

// One line said on a channel: the channel's name, who spoke and what (the text may carry the
// game's colour sequences).
struct ChannelText {
    std::string channel, talker, text;
    bool operator==(const ChannelText&) const = default;
};

// The channel lines of the session, the oldest first; the oldest go once there are too many.
class ChannelLog {
public:
    static constexpr std::size_t MaxLines = 2000;

    void add(ChannelText line)
    {
        if (lines_.size() == MaxLines)
            lines_.pop_front();
        lines_.push_back(std::move(line));
        ++added_;
    }
    const std::deque<ChannelText>& lines() const { return lines_; }
    // How many lines were ever added, so that a reader can tell which ones it has not seen.
    std::size_t added() const { return added_; }
    void clear() { lines_.clear(); }

private:
    std::deque<ChannelText> lines_;
    std::size_t added_ = 0;
};

} // namespace tw
