#pragma once
// Speedwalk: the shortest way over the stored exits from one room to another, as movement
// commands, and the steps of a walk still to be sent.
#include "map/MapModel.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tw {

class Speedwalk {
public:
    static constexpr const char* NoWayText = "No known way there.";

    // The commands ("n", "se", "u" ...) of a shortest way from one cell to another, following
    // exits that lead to rooms; nothing when no way is known. Empty when from is to.
    static std::optional<std::vector<std::string>> route(const MapModel& map, const Cell& from,
                                                         const Cell& to);

    void start(const std::vector<std::string>& steps) { steps_.assign(steps.begin(), steps.end()); }
    bool walking() const { return !steps_.empty(); }
    std::string next()
    {
        std::string s = std::move(steps_.front());
        steps_.pop_front();
        return s;
    }
    void cancel() { steps_.clear(); }

private:
    std::deque<std::string> steps_;
};

} // namespace tw
