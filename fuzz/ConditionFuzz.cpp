// EvaluateCondition and NormalizeCondition on arbitrary text.
#include "script/ConditionEvaluator.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::mt19937 rng(static_cast<std::uint32_t>(size));
    tw::EvaluateCondition(text, rng);
    std::string normal = text;
    tw::NormalizeCondition(normal);
    // Normalizing never makes a text longer, and a normal text stays as it is.
    if (normal.size() > text.size())
        std::abort();
    std::string again = normal;
    tw::NormalizeCondition(again);
    if (again.size() > normal.size())
        std::abort();
    return 0;
}
