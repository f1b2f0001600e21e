#include "map/MapAutoSave.h"

#include "map/MapFile.h"

namespace tw {

std::optional<std::string> MapAutoSave::saveChanges(MapModel& map) const
{
    if (!due(map) || !map.changed())
        return std::nullopt;
    return MapFile::save(map, map.MapFileName);
}

} // namespace tw
