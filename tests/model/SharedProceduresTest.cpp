#include "SharedProcedures.h"

#include <limits>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(GetBearing, QuadrantsAxesAndEdges) {
    const float big = std::numeric_limits<float>::max();
    const float tiny = 1e-30f;
    // 3-4-5 triangles tell each quadrant's formula from its mirror.
    const struct {
        const char* name;
        float x1, y1, x2, y2;
        int bearing;
    } rows[] = {
        {"north", 0, 0, 0, 5, 0},
        {"east", 0, 0, 5, 0, 90},
        {"south", 0, 0, 0, -5, 180},
        {"west", 0, 0, -5, 0, 270},
        {"north-east", 0, 0, 3, 4, 37},
        {"south-east", 0, 0, 4, -3, 127},
        {"south-west", 0, 0, -4, -3, 233},
        {"north-west", 0, 0, -3, 4, 323},
        {"a hair west of north rounds to 360", 0, 0, -0.001f, 10, 360},
        {"the same point", 0, 0, 0, 0, 0},
        {"from a point other than the origin", 1, 1, 4, 5, 37},
        {"differences that overflow a single", big, big, -big, -big, 225},
        {"squares that underflow a single", tiny, 0, 0, tiny, 315},
        {"NaN", std::numeric_limits<float>::quiet_NaN(), 0, 1, 1, 0},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(GetBearing(r.x1, r.y1, r.x2, r.y2), r.bearing) << r.name;
    }
}

TEST(HeadingToSector, StrictBandsLaterWins) {
    // Each band's edges: the whole degree below stays, the half degree goes to the later band.
    const double edges[][2] = {{22, 0},    {22.5, 1},  {67, 1},    {67.5, 2},  {112, 2},
                               {112.5, 3}, {157, 3},   {157.5, 4}, {202, 4},   {202.5, 5},
                               {247, 5},   {247.5, 6}, {292, 6},   {292.5, 7}, {337.5, 7},
                               {337.9, 7}, {338, 0},   {400, 0},   {-0.5, 0}};
    for (const auto& [heading, sector] : edges) {
        EXPECT_EQ(HeadingToSector(heading), sector) << "heading " << heading;
    }
    EXPECT_EQ(HeadingToSector(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(WrapHeadingAndSector, IntoOneTurn) {
    const int max = std::numeric_limits<int>::max();  // 5965232 * 360 + 127; 268435455 * 8 + 7
    const int min = std::numeric_limits<int>::min();  // -5965233 * 360 + 232; -268435456 * 8
    const struct {
        const char* name;
        int in, heading, sector;
    } rows[] = {
        {"one turn", 360, 0, 0}, {"minus one", -1, 359, 7}, {"two turns and 5", 725, 5, 5},
        {"eight", 8, 8, 0},      {"int max", max, 127, 7},  {"int min", min, 232, 0},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(WrapHeading(r.in), r.heading) << r.name;
        EXPECT_EQ(WrapSector(r.in), r.sector) << r.name;
    }
}

TEST(CompassNameToSector, ExactNamesOnly) {
    const std::pair<std::string_view, int> rows[] = {
        {"North", 0},     {"Northeast", 1}, {"East", 2},      {"Southeast", 3}, {"South", 4},
        {"Southwest", 5}, {"West", 6},      {"Northwest", 7}, {"", 0},          {"east", 0},
        {" East", 0},     {"East ", 0},     {"90", 0}};
    for (const auto& [name, sector] : rows) {
        EXPECT_EQ(CompassNameToSector(name), sector) << '"' << name << '"';
    }
}

}  // namespace
}  // namespace velmora
