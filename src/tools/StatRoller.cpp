#include "tools/StatRoller.h"

#include "base/Host.h"
#include "base/WholeNumber.h"

namespace tw {

namespace {

constexpr std::string_view Labels[] = {"Strength:", "Intelligence:", "Wisdom:", "Dexterity:",
                                       "Constitution:"};

// A statistic as the game shows it: leading blanks, then nothing but digits. A sign, a "$",
// a tab or a trailing blank makes it no number.
std::optional<int> statisticValue(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    int value = 0;
    for (const char c : text.substr(first)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The two characters one past the separator after a label, converted. A missing label gives
// the two characters at the label's length from the start.
std::optional<int> statisticAfter(std::string_view buffer, std::string_view label)
{
    const std::size_t at = buffer.find(label);
    const std::size_t start = (at == std::string_view::npos ? 0 : at + 1) + label.size();
    if (start >= buffer.size())
        return std::nullopt;
    return statisticValue(buffer.substr(start, 2));
}

} // namespace

const std::array<StatRoller::Race, 14>& StatRoller::races()
{
    static const std::array<Race, 14> table{{
        {"Default", {10, 10, 10, 10, 10, 90}},
        {"Human", {20, 18, 18, 20, 20, 96}},
        {"Dwarf", {19, 18, 18, 16, 21, 92}},
        {"Elf", {18, 21, 18, 20, 17, 94}},
        {"Grey-Elf", {17, 20, 20, 20, 16, 93}},
        {"Dark-Elf", {18, 20, 18, 21, 17, 94}},
        {"Centaur", {20, 17, 18, 18, 19, 92}},
        {"Troll", {21, 16, 17, 18, 20, 92}},
        {"Giant", {21, 16, 17, 18, 21, 93}},
        {"Gnome", {17, 19, 21, 18, 18, 93}},
        {"Draconian", {21, 20, 18, 18, 19, 96}},
        {"Ethereal", {17, 20, 19, 20, 18, 94}},
        {"Changeling", {17, 20, 20, 21, 15, 93}},
        {"Illithid", {16, 23, 20, 18, 16, 93}},
    }};
    return table;
}

void StatRoller::RollBtnClick()
{
    rolling_ = !rolling_;
    if (rolling_)
        StatBuffer.clear();
}

bool StatRoller::ComboBox1Change(std::string_view text)
{
    for (const Race& race : races()) {
        if (text != race.name)
            continue;
        for (std::size_t i = 0; i < BoxCount; ++i)
            boxes[i] = std::to_string(race.minimums[i]);
        return true;
    }
    return false;
}

std::string StatRoller::StatExit(const std::string& text) { return clampedNumberText(text, 5, 30, "17"); }

std::string StatRoller::ETOTExit(const std::string& text) { return clampedNumberText(text, 0, 200, "85"); }

void StatRoller::exitBox(Box box)
{
    boxes[box] = box == TOT ? ETOTExit(boxes[box]) : StatExit(boxes[box]);
}

// The minimums as the boxes would hold them once left: a box still being edited when a set
// arrives counts with its correction rather than failing the examination.
StatRoller::Values StatRoller::minimums() const
{
    Values v{};
    for (std::size_t i = 0; i < BoxCount; ++i)
        v[i] = int(*parseWholeNumber(i == TOT ? ETOTExit(boxes[i]) : StatExit(boxes[i])));
    return v;
}

bool StatRoller::Examine(std::string_view block)
{
    StatBuffer.append(block.substr(0, MaxBlock));
    if (StatBuffer.size() > MaxBlock)
        StatBuffer.resize(MaxBlock);
    if (StatBuffer.find(Labels[0]) == std::string::npos) {
        if (StatBuffer.size() >= 200)
            StatBuffer.clear();
        return false;
    }
    Values stats{};
    int sum = 0;
    for (std::size_t i = 0; i < std::size(Labels); ++i) {
        const std::optional<int> value = statisticAfter(StatBuffer, Labels[i]);
        if (!value) {
            StatBuffer.clear(); // wait for the next set the game shows
            return false;
        }
        stats[i] = *value;
        sum += stats[i];
    }
    StatBuffer.clear();
    const Values min = minimums();
    bool match = sum >= min[TOT];
    for (std::size_t i = 0; i < TOT; ++i)
        match = match && stats[i] >= min[i];
    if (!match)
        return true;
    rolling_ = false;
    if (stopped)
        stopped();
    host_.messageBox("Warning", "Found a match!", MsgButtons::Ok);
    return false;
}

} // namespace tw
