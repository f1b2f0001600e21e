// The map window's picture in a sentence, as screen readers get it.
#include "map/MapSummary.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(MapSummary, CountsTheShownLevelAndNamesWhereYouAre)
{
    MapModel m;
    m.newMap();
    m.room(15, 15, 5)->title.set("Town Gate");
    EXPECT_EQ(mapSummary(m), "Level 5, 1 room. You are at 15,15,5: Town Gate.");
    m.InitRoom(3, 4, 5);
    m.InitRoom(3, 4, 6); // another level is not counted
    m.room(15, 15, 5)->title.set("");
    EXPECT_EQ(mapSummary(m), "Level 5, 2 rooms. You are at 15,15,5.");
    m.ViewLevel = 6;
    m.MapX = 3, m.MapY = 4, m.MapLevel = 6;
    EXPECT_EQ(mapSummary(m), "Level 6, 1 room. You are at 3,4,6: Initialize Me.");
}

} // namespace
} // namespace tw
