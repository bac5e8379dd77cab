#include "SharedProcedures.h"

#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ParseKeyword, FindsKeyAtStartOfLine) {
    struct Row {
        const char* name;
        std::string_view text, key;
        bool found;
        const char* value;  // the slot after the call; it starts as "old"
    };
    const Row rows[] = {
        {"key and value", "HEADING=90", "HEADING=", true, "90"},
        {"lower case and blanks in and around the key", " h e a d ing = 90", "HEADING=", true,
         " 90"},
        {"the first > ends the value", "NAME=a>b>c", "NAME=", true, "a"},
        {"> before the key", ">HEADING=90", "HEADING=", false, "old"},
        {"key after other words", "NEW HEADING=90", "HEADING=", false, "old"},
        {"XY= is not X=", "XY=5", "X=", false, "old"},
        {"tab is not a blank", "\tHEADING=90", "HEADING=", false, "old"},
        {"value keeps case, tabs and blanks", "squad=\tRed  Wolves ", "SQUAD=", true,
         "\tRed  Wolves "},
        {"key cut short by the line end", "HEADIN", "HEADING=", false, "old"},
        {"a tilde key", "str~ Target Name", "STR~", true, " Target Name"},
        {"letters beyond A-Z are not upper-cased", "\xe9=1", "\xc9=", false, "old"},
        {"the end mark after the line completes a key", "AB", "AB>", true, ""},
        {"a > that does not complete the key ends the walk", "A>B=1", "A>B=", false, "old"},
    };
    for (const Row& r : rows) {
        std::string value = "old";
        bool found = !r.found;
        ParseKeyword(r.text, r.key, value, found);
        EXPECT_EQ(found, r.found) << r.name;
        EXPECT_EQ(value, r.value) << r.name;
    }
}

TEST(GetBearing, QuadrantsAxesAndEdges) {
    const float big = std::numeric_limits<float>::max();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float tiny = 1e-30f;
    // 3-4-5 triangles tell each quadrant's formula from its mirror; a hair west of north rounds
    // to 360; the single differences of big overflow, the squares of tiny underflow a single.
    const std::tuple<float, float, float, float, int> rows[] = {
        {0, 0, 0, 5, 0},         {0, 0, 5, 0, 90},   {0, 0, 0, -5, 180},
        {0, 0, -5, 0, 270},      {0, 0, 3, 4, 37},   {0, 0, 4, -3, 127},
        {0, 0, -4, -3, 233},     {0, 0, -3, 4, 323}, {0, 0, -0.001f, 10, 360},
        {0, 0, 0, 0, 0},         {1, 1, 4, 5, 37},   {big, big, -big, -big, 225},
        {tiny, 0, 0, tiny, 315}, {nan, 0, 1, 1, 0}};
    for (const auto& [x1, y1, x2, y2, bearing] : rows) {
        EXPECT_EQ(GetBearing(x1, y1, x2, y2), bearing)
            << x1 << ", " << y1 << " to " << x2 << ", " << y2;
    }
}

TEST(HeadingToSector, StrictBandsLaterWins) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, int> rows[] = {
        {22, 0},    {22.5, 1},  {67, 1},    {67.5, 2}, {112, 2},   {112.5, 3}, {157, 3},
        {157.5, 4}, {202, 4},   {202.5, 5}, {247, 5},  {247.5, 6}, {292, 6},   {292.5, 7},
        {337.5, 7}, {337.9, 7}, {338, 0},   {400, 0},  {-0.5, 0},  {nan, 0}};
    for (const auto& [heading, sector] : rows) {
        EXPECT_EQ(HeadingToSector(heading), sector) << heading;
    }
}

TEST(WrapHeading, IntoZeroTo359) {
    const int max = std::numeric_limits<int>::max();  // 5965232 * 360 + 127
    const int min = std::numeric_limits<int>::min();  // -5965233 * 360 + 232
    const std::pair<int, int> rows[] = {{0, 0},   {360, 0},    {-1, 359},  {-360, 0},
                                        {725, 5}, {-721, 359}, {max, 127}, {min, 232}};
    for (const auto& [heading, wrapped] : rows) {
        EXPECT_EQ(WrapHeading(heading), wrapped) << heading;
    }
}

TEST(CompassNameToSector, ExactNamesOnly) {
    const char* const names[] = {"North", "Northeast", "East", "Southeast",
                                 "South", "Southwest", "West", "Northwest"};
    for (int sector = 0; sector < 8; ++sector) {
        EXPECT_EQ(CompassNameToSector(names[sector]), sector);
    }
    for (const std::string_view other : {"", "east", " East", "East ", "90"}) {
        EXPECT_EQ(CompassNameToSector(other), 0) << '"' << other << '"';
    }
}

}  // namespace
}  // namespace velmora
