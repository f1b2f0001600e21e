// Arbitrary received bytes through the telnet decoder: no crash, the same text, answers and
// echo state however the bytes are cut into reads, and answers bounded by the input.
#include "net/TelnetDecoder.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct Outcome {
    std::string text, replies;
    bool echoes = false;
};

Outcome decode(std::string_view input, std::size_t step)
{
    tw::TelnetDecoder d;
    Outcome out;
    for (std::size_t at = 0; at < input.size(); at += step) {
        std::string_view read = input.substr(at, step);
        while (!read.empty()) {
            const auto r = d.decode(read, out.text);
            if (r.consumed == 0 && r.stop == tw::TelnetDecoder::Stop::End)
                std::abort(); // no progress
            read.remove_prefix(r.consumed);
        }
        if (at % 7 == 0)
            d.setWindowSize(int(at % 300), int(at % 90));
        out.replies += d.takeReplies();
    }
    out.echoes = d.serverEchoes();
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::size_t step = 1 + data[0] % 16;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const Outcome whole = decode(input, input.size() + 1);
    const Outcome pieces = decode(input, step);
    if (whole.text.size() > input.size() || whole.replies.size() > 8 * input.size() + 64)
        std::abort();
    // Window sizes are told at different moments, so only the text and echo state must agree.
    if (whole.text != pieces.text || whole.echoes != pieces.echoes)
        std::abort();
    return 0;
}
