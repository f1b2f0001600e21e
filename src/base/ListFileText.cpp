#include "base/ListFileText.h"

namespace tw {

std::string importTooLargeText(std::size_t have)
{
    return "The file holds more entries than the list can take: an options file can keep at most "
           "65535, and the list has " + std::to_string(have) + " already. Nothing was imported.";
}

} // namespace tw
