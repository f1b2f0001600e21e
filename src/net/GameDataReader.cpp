#include "net/GameDataReader.h"

#include "base/TextCut.h"
#include "map/AutomapTracker.h"
#include "map/MapRoom.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <string_view>

namespace tw {

using nlohmann::json;

namespace {

constexpr auto Largest = std::numeric_limits<std::int64_t>::max();

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

std::string lowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), asciiLower);
    return out;
}

// A whole number given as a JSON number or as a string of digits with an optional sign;
// anything beyond what 64 bits hold becomes the largest (or smallest) of them.
std::optional<std::int64_t> wholeNumber(const json& v)
{
    if (v.is_number_unsigned())
        return std::int64_t(std::min<std::uint64_t>(v.get<std::uint64_t>(), Largest));
    if (v.is_number_integer())
        return v.get<std::int64_t>();
    if (v.is_number_float()) {
        const double d = v.get<double>();
        if (std::isnan(d))
            return std::nullopt;
        return std::int64_t(std::clamp(d, -9.0e18, 9.0e18));
    }
    if (!v.is_string())
        return std::nullopt;
    std::string_view s = v.get_ref<const std::string&>();
    const bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+'))
        s.remove_prefix(1);
    if (s.empty())
        return std::nullopt;
    std::int64_t n = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n > (Largest - (c - '0')) / 10 ? Largest : n * 10 + (c - '0');
    }
    return negative ? -n : n;
}

std::string cutText(const json& v, std::size_t maxCharacters)
{
    if (!v.is_string())
        return {};
    return std::string(cutToCharacters(v.get_ref<const std::string&>(), maxCharacters, TextCoding::Utf8));
}

const json* member(const json& object, const char* key)
{
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

// The gauges every game knows come first, in this order.
constexpr std::string_view Conventional[] = {"HP", "MP", "MV"};

std::size_t rank(std::string_view name)
{
    return std::size_t(std::find(std::begin(Conventional), std::end(Conventional), name) - std::begin(Conventional));
}

// A room number the map can keep: none below 0, none absurdly large.
std::optional<std::int64_t> roomNumber(const json& v)
{
    const std::optional<std::int64_t> n = wholeNumber(v);
    if (!n || *n < 0 || *n > gamedata::MaxRoomNumber)
        return std::nullopt;
    return n;
}

int exitDirection(const std::string& key)
{
    static constexpr std::string_view Words[] = {"north", "south", "west", "east", "northwest",
                                                 "northeast", "southwest", "southeast", "up", "down"};
    if (const int d = movementDirection(key))
        return d;
    const auto word = std::find(std::begin(Words), std::end(Words), key);
    return word == std::end(Words) ? dir::None : int(word - std::begin(Words)) + 1;
}

} // namespace

bool mergeVitals(std::vector<VitalGauge>& gauges, const json& value)
{
    if (!value.is_object())
        return false;
    // The message's numbers by gauge name, a value and a maximum each.
    struct Pair {
        std::optional<long long> value, maximum;
    };
    std::map<std::string, Pair> pairs;
    for (const auto& [key, v] : value.items()) {
        const std::optional<std::int64_t> n = wholeNumber(v);
        if (!n)
            continue;
        std::string name(cutToCharacters(key, gamedata::MaxName, TextCoding::Utf8));
        std::transform(name.begin(), name.end(), name.begin(), asciiUpper);
        const bool isMaximum = name.size() > 3 && name.starts_with("MAX");
        Pair& pair = pairs[isMaximum ? name.substr(3) : name];
        (isMaximum ? pair.maximum : pair.value) = std::clamp<long long>(*n, -gamedata::MaxVital, gamedata::MaxVital);
    }
    const std::vector<VitalGauge> before = gauges;
    for (const auto& entry : pairs) {
        const std::string& name = entry.first;
        const Pair& p = entry.second;
        auto gauge = std::find_if(gauges.begin(), gauges.end(), [&](const VitalGauge& g) { return g.name == name; });
        if (gauge == gauges.end()) {
            const bool isGauge = rank(name) < std::size(Conventional) || (p.value && p.maximum);
            if (!isGauge || gauges.size() == gamedata::MaxGauges)
                continue;
            gauge = gauges.insert(gauges.end(), VitalGauge{name, 0, 0});
        }
        if (p.value)
            gauge->value = *p.value;
        if (p.maximum)
            gauge->maximum = std::max(0LL, *p.maximum);
    }
    std::stable_sort(gauges.begin(), gauges.end(),
                     [](const VitalGauge& a, const VitalGauge& b) { return rank(a.name) < rank(b.name); });
    return gauges != before;
}

std::optional<GameRoom> readGameRoom(const json& value)
{
    if (!value.is_object())
        return std::nullopt;
    const json* num = member(value, "num");
    const std::optional<std::int64_t> number = num ? roomNumber(*num) : std::nullopt;
    if (!number)
        return std::nullopt;
    GameRoom room{*number, {}, {}};
    if (const json* name = member(value, "name"))
        room.name = cutText(*name, gamedata::MaxName);
    const json* exits = member(value, "exits");
    if (!exits || !exits->is_object())
        return room;
    for (const auto& [key, to] : exits->items()) {
        const int d = exitDirection(lowered(key));
        const std::optional<std::int64_t> n = roomNumber(to);
        const bool known = std::any_of(room.exits.begin(), room.exits.end(),
                                       [d](const GameExit& e) { return e.direction == d; });
        if (d != dir::None && n && !known)
            room.exits.push_back({d, *n});
    }
    std::sort(room.exits.begin(), room.exits.end(),
              [](const GameExit& a, const GameExit& b) { return a.direction < b.direction; });
    return room;
}

std::optional<ChannelText> readChannelText(const json& value)
{
    const json* text = value.is_object() ? member(value, "text") : nullptr;
    if (!text || !text->is_string())
        return std::nullopt;
    ChannelText line;
    if (const json* channel = member(value, "channel"))
        line.channel = cutText(*channel, gamedata::MaxName);
    if (const json* talker = member(value, "talker"))
        line.talker = cutText(*talker, gamedata::MaxName);
    line.text = cutText(*text, gamedata::MaxText);
    return line;
}

} // namespace tw
