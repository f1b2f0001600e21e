// The game's out-of-band data: arbitrary received bytes through the telnet decoder, cut into
// reads of random sizes, and every message it hands out through the JSON reading and the
// readers. The messages must not depend on how the bytes are cut, none may pass its limit,
// and what the readers make of any message stays within bounds: few gauges with clamped
// numbers, names and texts cut, a room's exits in known directions, each direction once.
#include "net/GameDataReader.h"
#include "net/GmcpMessage.h"
#include "net/TelnetDecoder.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// The messages in the input, read in pieces whose sizes come from `seed` (0: all at once).
std::vector<std::string> messages(std::string_view input, unsigned seed)
{
    tw::TelnetDecoder d;
    std::string text;
    // The game offers its data first, as a real one does.
    d.decode("\xff\xfb\xc9", text);
    std::vector<std::string> out;
    unsigned state = seed;
    while (!input.empty()) {
        state = state * 1103515245u + 12345u;
        std::string_view read = input.substr(0, seed ? 1 + (state >> 16) % 97 : input.size());
        input.remove_prefix(read.size());
        while (!read.empty()) {
            const auto r = d.decode(read, text);
            check(r.consumed > 0 || r.stop != tw::TelnetDecoder::Stop::End);
            read.remove_prefix(r.consumed);
            if (r.stop == tw::TelnetDecoder::Stop::Gmcp)
                out.push_back(d.takeGmcp());
        }
    }
    return out;
}

void readMessage(const std::string& payload, std::vector<tw::VitalGauge>& gauges)
{
    using namespace tw::gamedata;
    check(payload.size() < tw::TelnetDecoder::MaxGmcpSubnegotiation);
    const std::optional<tw::GmcpMessage> m = tw::parseGmcp(payload);
    if (!m)
        return;
    // Every reader sees every message, whatever its package, to reach more of them.
    tw::mergeVitals(gauges, m->value);
    check(gauges.size() <= MaxGauges);
    for (const tw::VitalGauge& g : gauges)
        check(g.name.size() <= 4 * MaxName && g.value >= -MaxVital && g.value <= MaxVital &&
              g.maximum >= 0 && g.maximum <= MaxVital);
    if (const std::optional<tw::GameRoom> room = tw::readGameRoom(m->value)) {
        check(room->number >= 0 && room->number <= MaxRoomNumber && room->name.size() <= 4 * MaxName);
        int last = 0;
        for (const tw::GameExit& e : room->exits) {
            check(e.direction > last && e.direction <= 10 && e.number >= 0 && e.number <= MaxRoomNumber);
            last = e.direction;
        }
    }
    if (const std::optional<tw::ChannelText> line = tw::readChannelText(m->value))
        check(line->channel.size() <= 4 * MaxName && line->talker.size() <= 4 * MaxName &&
              line->text.size() <= 4 * MaxText);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<std::string> whole = messages(input, 0);
    check(whole == messages(input, 1u + data[0]));
    std::vector<tw::VitalGauge> gauges;
    for (const std::string& payload : whole)
        readMessage(payload, gauges);
    return 0;
}
