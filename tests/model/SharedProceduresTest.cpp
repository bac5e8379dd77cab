#include "SharedProcedures.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ParseKeyword, FindsKeyAtStartOfLine) {
    struct Row {
        const char* name;
        std::string_view text;
        std::string_view key;
        bool found;
        const char* value;  // the slot after the call; it starts as "old"
    };
    for (const Row& r : {
             Row{"key and value", "HEADING=90", "HEADING=", true, "90"},
             {"lower case, blanks around the key and the equals sign", " heading = 90",
              "HEADING=", true, " 90"},
             {"blanks inside the key", "H E A D ING=90", "HEADING=", true, "90"},
             {"key after other words", "NEW HEADING=90", "HEADING=", false, "old"},
             {"key alone", "HEADING=", "HEADING=", true, ""},
             {"key alone with trailing blanks", "HEADING=  ", "HEADING=", true, "  "},
             {"> ends the value", "HEADING=90>more text", "HEADING=", true, "90"},
             {"> at once after the key", "HEADING=>90", "HEADING=", true, ""},
             {"> inside the key", "HE>ADING=90", "HEADING=", false, "old"},
             {"> before the key", ">HEADING=90", "HEADING=", false, "old"},
             {"XY= is not X=", "XY=5", "X=", false, "old"},
             {"tab is not a blank", "\tHEADING=90", "HEADING=", false, "old"},
             {"tab in the value is kept", "SQUAD=\tRed", "SQUAD=", true, "\tRed"},
             {"value keeps case and blanks", "squad= Red  Wolves ", "SQUAD=", true,
              " Red  Wolves "},
             {"only the first > counts", "NAME=a>b>c", "NAME=", true, "a"},
             {"empty line", "", "HEADING=", false, "old"},
             {"blanks only", "    ", "HEADING=", false, "old"},
             {"key cut short by the line end", "HEADIN", "HEADING=", false, "old"},
             {"a tilde key", "str~ Target Name", "STR~", true, " Target Name"},
             {"a key in lower case never matches", "heading=90", "heading=", false, "old"},
             {"letters beyond A-Z are not upper-cased", "\xe9=1", "\xc9=", false, "old"},
             {"value with a lone CR and NUL", std::string_view("NAME=a\rb\0c", 10), "NAME=", true,
              nullptr},
         }) {
        std::string value = "old";
        bool found = !r.found;
        ParseKeyword(r.text, r.key, value, found);
        EXPECT_EQ(found, r.found) << r.name;
        if (r.value != nullptr) {
            EXPECT_EQ(value, r.value) << r.name;
        } else {
            EXPECT_EQ(value, std::string_view("a\rb\0c", 5)) << r.name;
        }
    }
}

TEST(ParseKeyword, EmptyKeyFollowsTheWalk) {
    // Not a key of the format, but the walk is defined for it: the accumulated name is empty, and
    // so equal to the key, after a leading blank; a first non-blank character spoils it.
    std::string value = "old";
    bool found = false;
    ParseKeyword(" abc", "", value, found);
    EXPECT_TRUE(found);
    EXPECT_EQ(value, "abc");
    ParseKeyword("abc", "", value, found);
    EXPECT_FALSE(found);
    EXPECT_EQ(value, "abc");
}

TEST(ParseKeyword, KeyEndingInEndMarkIsCompletedByTheLineEnd) {
    // The end mark that follows the line takes part in the walk.
    EXPECT_EQ(KeywordValue("AB", "AB>"), std::string_view{});
    EXPECT_EQ(KeywordValue("AB>CD", "AB>"), std::string_view("CD"));
    // A ">" that does not complete the key ends the walk, even when the key goes on with it.
    EXPECT_EQ(KeywordValue("A>B=1", "A>B="), std::nullopt);
}

TEST(GetBearing, QuadrantsAxesAndEdges) {
    struct Row {
        float x2;
        float y2;
        int bearing;
    };
    for (const Row r : {Row{0, 5, 0},
                        {5, 0, 90},
                        {0, -5, 180},
                        {-5, 0, 270},
                        {5, 5, 45},
                        {5, -5, 135},
                        {-5, -5, 225},
                        {-5, 5, 315},
                        {-0.001f, 10, 360},  // a hair west of north: 359.994 rounds to 360
                        {10, 0.0001f, 90},
                        {0, 0, 0},
                        {3, 4, 37},     // 36.87
                        {4, -3, 127},   // 180 - 53.13
                        {-4, -3, 233},  // 53.13 + 180
                        {-3, 4, 323}}) {
        EXPECT_EQ(GetBearing(0, 0, r.x2, r.y2), r.bearing) << r.x2 << ", " << r.y2;
    }
}

TEST(GetBearing, FromAPointOtherThanTheOrigin) {
    // The differences are singles: 12.5 - 10.5 and -4.25 - (-6.25) are exact.
    EXPECT_EQ(GetBearing(12.5f, -4.25f, 14.5f, -6.25f), 135);
    EXPECT_EQ(GetBearing(12.5f, -4.25f, 12.5f, 3.0f), 0);
    EXPECT_EQ(GetBearing(12.5f, -4.25f, 12.5f, -4.25f), 0);
}

TEST(GetBearing, NeverFailsForExtremeOrBrokenPoints) {
    const float big = std::numeric_limits<float>::max();
    EXPECT_EQ(GetBearing(-big, 0, big, 0), 90);
    EXPECT_EQ(GetBearing(big, big, -big, -big), 225);
    EXPECT_EQ(GetBearing(0, -big, 0, big), 0);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(GetBearing(nan, 0, 1, 1), 0);
    const int b = GetBearing(1e-30f, 0, 0, 1e-30f);
    EXPECT_EQ(b, 315);
}

TEST(HeadingToSector, StrictBandsLaterWins) {
    struct Row {
        double heading;
        int sector;
    };
    for (const Row r :
         {Row{0, 0},    {22, 0},  {22.5, 1}, {23, 1},    {45, 1},  {67, 1},  {67.5, 2},
          {68, 2},      {90, 2},  {112, 2},  {112.5, 3}, {113, 3}, {157, 3}, {157.5, 4},
          {158, 4},     {180, 4}, {202, 4},  {202.5, 5}, {203, 5}, {247, 5}, {247.5, 6},
          {248, 6},     {270, 6}, {292, 6},  {292.5, 7}, {293, 7}, {337, 7}, {337.5, 7},
          {337.9, 7},   {338, 0}, {359, 0},  {360, 0},   {400, 0}, {-1, 0},  {-400, 0},
          {22.0001, 1}, {-0.5, 0}}) {
        EXPECT_EQ(HeadingToSector(r.heading), r.sector) << r.heading;
    }
    EXPECT_EQ(HeadingToSector(std::nan("")), 0);
}

TEST(HeadingToSector, EachBandHoldsFortyFiveWholeDegrees) {
    int perSector[8] = {};
    for (int h = 0; h < 360; ++h) {
        ++perSector[HeadingToSector(h)];
    }
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(perSector[k], 45) << k;
    }
}

TEST(WrapHeading, IntoZeroTo359) {
    struct Row {
        int heading;
        int wrapped;
    };
    for (const Row r : {Row{0, 0},
                        {359, 359},
                        {360, 0},
                        {-1, 359},
                        {-10, 350},
                        {725, 5},
                        {-360, 0},
                        {-721, 359},
                        {32767, 7},
                        {-32768, 352},
                        {std::numeric_limits<int>::max(), 127},     // 5965232 * 360 + 127
                        {std::numeric_limits<int>::min(), 232}}) {  // -5965233 * 360 + 232
        EXPECT_EQ(WrapHeading(r.heading), r.wrapped) << r.heading;
    }
}

TEST(CompassNameToSector, ExactNamesOnly) {
    struct Row {
        std::string_view name;
        int sector;
    };
    for (const Row r : {Row{"North", 0},
                        {"Northeast", 1},
                        {"East", 2},
                        {"Southeast", 3},
                        {"South", 4},
                        {"Southwest", 5},
                        {"West", 6},
                        {"Northwest", 7},
                        {"", 0},
                        {"east", 0},
                        {"EAST", 0},
                        {" East", 0},
                        {"East ", 0},
                        {"North-east", 0},
                        {"90", 0}}) {
        EXPECT_EQ(CompassNameToSector(r.name), r.sector) << '"' << r.name << '"';
    }
}

}  // namespace
}  // namespace velmora
