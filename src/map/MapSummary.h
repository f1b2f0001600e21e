#pragma once
// The map window's picture in a sentence, for those who cannot see it.
#include "map/MapModel.h"

#include <string>

namespace tw {

// "Level 5, 12 rooms. You are at 16,15,5: Town Square." (the title left out when empty).
std::string mapSummary(const MapModel& map);

} // namespace tw
