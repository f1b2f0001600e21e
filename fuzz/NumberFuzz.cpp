// Number and port texts: the number boxes' whole numbers, their range check, the leading
// number of a port text and the port look-up. Whatever is accepted stays in its range and
// reads back from its own decimal text.
#include "base/WholeNumber.h"
#include "net/SocketNames.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const long low = in.ConsumeIntegralInRange<long>(INT_MIN, INT_MAX);
    const long high = in.ConsumeIntegralInRange<long>(low, INT_MAX);
    const std::string text = in.ConsumeRemainingBytesAsString();

    if (const std::optional<long> n = tw::parseWholeNumber(text)) {
        if (*n < INT_MIN || *n > INT_MAX || tw::parseWholeNumber(std::to_string(*n)) != n)
            std::abort();
    }
    const std::string fallback = std::to_string(low);
    const std::optional<long> clamped = tw::parseWholeNumber(tw::clampedNumberText(text, low, high, fallback.c_str()));
    if (!clamped || *clamped < low || *clamped > high)
        std::abort();
    if (tw::leadingNumber(text) > 0xFFFFFFFFul)
        std::abort();
    const tw::PortName port = tw::parsePort(text, "tcp");
    // A decimal text names exactly its own number, and no text names a port beyond 16 bits.
    const bool decimal = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    if (decimal && port.number != 0 && port.number != tw::leadingNumber(text))
        std::abort();
    return 0;
}
