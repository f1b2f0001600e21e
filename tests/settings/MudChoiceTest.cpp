// Which game the MUD list offers first, and which entry an address belongs to.
#include "settings/MudChoice.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(MudChoice, LastUsedElseFirstAndEntriesByAddress)
{
    const MudList muds = {{"Practice World", "127.0.0.1", "4000"},
                          {"Riverside", "Mud.Example.org", " 6789x"},
                          {"Riverside", "mud.example.org", "23"}};
    EXPECT_EQ(preselectedMud({}, "x"), std::nullopt);
    EXPECT_EQ(preselectedMud(muds, ""), 0u);
    EXPECT_EQ(preselectedMud(muds, "Riverside --> mud.example.org:23"), 2u);
    EXPECT_EQ(preselectedMud(muds, "Riverside --> mud.example.org:24"), 0u);

    EXPECT_EQ(mudForAddress(muds, "127.0.0.1", 4000), 0u);
    EXPECT_EQ(mudForAddress(muds, "mud.example.ORG", 6789), 1u);
    EXPECT_EQ(mudForAddress(muds, "mud.example.org", 23), 2u);
    EXPECT_EQ(mudForAddress(muds, "127.0.0.1", 4001), std::nullopt);
    EXPECT_EQ(mudForAddress(muds, "127.0.0.10", 4000), std::nullopt);
}

} // namespace
} // namespace tw
