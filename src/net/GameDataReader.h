#pragma once
// Turns the JSON of the game's data messages into the program's own records. The game is not
// trusted: values of the wrong kind are passed over, numbers are kept within sense and texts
// are cut to a sane length (never inside a UTF-8 character).
#include "map/GameRoom.h"
#include "net/GameData.h"

#include <nlohmann/json_fwd.hpp>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tw {

namespace gamedata {
constexpr std::size_t MaxName = 255;   // characters of a name: room, channel, talker, gauge
constexpr std::size_t MaxText = 4096;  // characters of a channel line
constexpr std::size_t MaxGauges = 8;   // more could not be drawn anyway
constexpr long long MaxVital = 1'000'000'000;
constexpr std::int64_t MaxRoomNumber = 999'999'999'999'999;
} // namespace gamedata

// Applies a Char.Vitals value to the gauges: a key X with a partner maxX is a gauge (hp, mp and
// mv are gauges even alone, named "HP", "MP", "MV" and kept first in that order; other gauges
// are named by their key in upper case). The gauges a message does not name keep their values.
// Returns whether anything changed.
bool mergeVitals(std::vector<VitalGauge>& gauges, const nlohmann::json& value);

// The room of a Room.Info value; nothing when it has no usable room number.
std::optional<GameRoom> readGameRoom(const nlohmann::json& value);

// The line of a Comm.Channel.Text value; nothing when it has no text.
std::optional<ChannelText> readChannelText(const nlohmann::json& value);

} // namespace tw
