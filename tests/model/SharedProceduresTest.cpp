#include "SharedProcedures.h"

#include <limits>
#include <string_view>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(HeadingToSector, StrictBandsLaterWins) {
    // Each band's edges: the whole degree below stays, the half degree goes to the later band.
    const double edges[][2] = {{22, 0},    {22.5, 1}, {67, 1},    {67.5, 2},  {157, 3},
                               {157.5, 4}, {292, 6},  {292.5, 7}, {337.9, 7}, {338, 0}};
    for (const auto& [heading, sector] : edges) {
        EXPECT_EQ(HeadingToSector(heading), sector) << "heading " << heading;
    }
}

TEST(WrapHeadingAndSector, IntoOneTurn) {
    const int min = std::numeric_limits<int>::min();  // -5965233 * 360 + 232; -268435456 * 8
    const std::tuple<const char*, int, int, int> rows[] = {
        {"one turn", 360, 0, 0}, {"minus one", -1, 359, 7}, {"int min", min, 232, 0}};
    for (const auto& [name, in, heading, sector] : rows) {
        EXPECT_EQ(std::tuple(WrapHeading(in), WrapSector(in)), std::tuple(heading, sector)) << name;
    }
}

TEST(CompassNameToSector, ExactNamesOnly) {
    const std::pair<std::string_view, int> rows[] = {
        {"North", 0}, {"Southeast", 3}, {"Northwest", 7}, {"east", 0}, {"East ", 0}, {"", 0}};
    for (const auto& [name, sector] : rows) {
        EXPECT_EQ(CompassNameToSector(name), sector) << '"' << name << '"';
    }
}

}  // namespace
}  // namespace velmora
