#include <array>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "CombatReport.h"
#include "DamageChart.h"

namespace velmora {
namespace {

constexpr RgbColor kGreen{0, 255, 0}, kYellow{255, 255, 0}, kRed{255, 0, 0}, kBlack{0, 0, 0};

using Corners = std::array<int, 4>;

std::array<Corners, 5> CornersOf(const std::array<ChartOutline, 5>& outlines) {
    std::array<Corners, 5> corners;
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        corners[i] = {outlines[i].X1, outlines[i].Y1, outlines[i].X2, outlines[i].Y2};
    }
    return corners;
}

TEST(DamageChartTest, EachLevelHasItsColourOnEveryArea) {
    const struct {
        const char* name;
        int16_t level;
        RgbColor colour;
    } rows[] = {
        {"0 green", 0, kGreen},           {"1 yellow", 1, kYellow}, {"2 red", 2, kRed},
        {"3 black", 3, kBlack},           {"-1 black", -1, kBlack}, {"32767 black", 32767, kBlack},
        {"-32768 black", -32768, kBlack},
    };
    for (const auto& row : rows) {
        SharedSubsAndVar s;
        s.DamageEngine = s.DamageLeftWing = s.DamageRightWing = s.DamageControls =
            s.DamageFuselage = row.level;
        EXPECT_EQ(DamageColor(row.level), row.colour) << row.name;
        for (const ChartOutline& outline : DamageOutlines(s, {})) {
            EXPECT_EQ(outline.Color, row.colour) << row.name;
        }
    }
}

TEST(DamageChartTest, EachAreaTakesItsOwnLevelInDrawingOrder) {
    SharedSubsAndVar s;
    s.DamageEngine = 0;
    s.DamageLeftWing = 1;
    s.DamageRightWing = 2;
    s.DamageControls = 3;
    s.DamageFuselage = -1;
    const auto outlines = DamageOutlines(s, {});
    const RgbColor order[] = {kGreen, kYellow, kRed, kBlack, kBlack};
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        EXPECT_EQ(outlines[i].Color, order[i]) << "outline " << i;
    }
    s.DamageFuselage = 1;  // the fuselage is the last one drawn, the controls the one before
    EXPECT_EQ(DamageOutlines(s, {})[4].Color, kYellow);
}

// Engine, left wing, right wing, controls, fuselage: corners (x1, y1, x2, y2) in twips.
TEST(DamageChartTest, OutlinesFollowThePicturesPlaceRoundedHalfToEven) {
    const struct {
        const char* name;
        ChartPlace place;
        std::array<Corners, 5> corners;
    } rows[] = {
        {"as designed",
         {120, 120, 3900},
         {{{1970, 320, 2170, 920},
           {120, 820, 1920, 1650},
           {4020, 820, 2220, 1650},
           {1240, 2920, 2900, 3220},
           {1860, 390, 2280, 3280}}}},
        {"odd width: 1970.5 and 2170.5 go down to even",
         {120, 120, 3901},
         {{{1970, 320, 2170, 920},
           {120, 820, 1920, 1650},
           {4021, 820, 2221, 1650},
           {1240, 2920, 2901, 3220},
           {1860, 390, 2281, 3280}}}},
        {"moved a twip right: 1971.5 and 2171.5 go up to even",
         {121, 120, 3901},
         {{{1972, 320, 2172, 920},
           {121, 820, 1921, 1650},
           {4022, 820, 2222, 1650},
           {1241, 2920, 2902, 3220},
           {1861, 390, 2282, 3280}}}},
        {"half a twip down: every y goes down to even",
         {120, 120.5, 3900},
         {{{1970, 320, 2170, 920},
           {120, 820, 1920, 1650},
           {4020, 820, 2220, 1650},
           {1240, 2920, 2900, 3220},
           {1860, 390, 2280, 3280}}}},
        {"one and a half twips down: every y goes up to even",
         {120, 121.5, 3900},
         {{{1970, 322, 2170, 922},
           {120, 822, 1920, 1652},
           {4020, 822, 2220, 1652},
           {1240, 2922, 2900, 3222},
           {1860, 392, 2280, 3282}}}},
        {"far right: corners beyond 16 bits are held at its edge",
         {32000, 120, 3900},
         {{{32767, 320, 32767, 920},
           {32000, 820, 32767, 1650},
           {32767, 820, 32767, 1650},
           {32767, 2920, 32767, 3220},
           {32767, 390, 32767, 3280}}}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CornersOf(DamageOutlines(SharedSubsAndVar{}, row.place)), row.corners)
            << row.name;
    }
}

TEST(CombatReportTest, ShowsTheReportWithinItsBounds) {
    const ReportBounds small{16, 4, 4};
    const struct {
        const char* name;
        std::string report;
        ReportBounds bounds;
        std::string shown;
    } rows[] = {
        {"three lines as they are", "One\r\nTwo\r\nSix\r\n", {}, "One\r\nTwo\r\nSix\r\n"},
        {"no report", "", {}, ""},
        {"bare LF ends and a last line without an end", "a\nb", {}, "a\nb"},
        {"a line of the longest length stays whole", "abcd\r\nef\r\n", small, "abcd\r\nef\r\n"},
        {"a longer line goes on in the next lines", "abcdefghij\r\n", small,
         "abcd\r\nefgh\r\nij\r\n"},
        {"a long last line without an end", "abcdef", small, "abcd\r\nef"},
        {"never inside a UTF-8 character", "abc\xC3\xA9z\r\n", small, "abc\r\n\xC3\xA9z\r\n"},
        {"whole lines up to the byte bound", "abc\r\ndef\r\nghi\r\njk\r\n", small,
         "abc\r\ndef\r\nghi\r\n"},
        {"a line end counts towards the bytes", "abcd\r\nabcd\r\nabcd\r\n", small,
         "abcd\r\nabcd\r\n"},
        {"whole lines up to the line bound", "a\r\nb\r\nc\r\nd\r\ne\r\n", small,
         "a\r\nb\r\nc\r\nd\r\n"},
        {"pieces of a long line count as lines",
         "abcdefghijklmnopq",
         {64, 2, 4},
         "abcd\r\nefgh\r\n"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ShownCombatText(row.report, row.bounds), row.shown) << row.name;
    }
}

TEST(CombatReportTest, AHugeReportShowsAtMostAMebibyteOfShortLines) {
    const std::string huge(20 << 20, 'x');
    const std::string shown = ShownCombatText(huge);
    EXPECT_LE(shown.size(), std::size_t{1} << 20);
    EXPECT_GT(shown.size(), std::size_t{1} << 19);
    EXPECT_EQ(shown.substr(0, 4098), std::string(4096, 'x') + "\r\n");
    EXPECT_EQ(shown.find_first_not_of("x\r\n"), std::string::npos);
}

TEST(CombatReportTest, TheBoxFollowsTheOuterSizeWhileItStaysPositive) {
    const struct {
        const char* name;
        float W, H;
        std::optional<float> width, height;
    } rows[] = {
        {"designed inner size with a 120 x 405 frame", 4305, 3630, 3975, 3015},
        {"1000 twips wider", 5305, 3630, 4975, 3015},
        {"330 wide leaves the width", 330, 3630, std::nullopt, 3015},
        {"615 high leaves the height", 4305, 615, 3975, std::nullopt},
        {"too small for either", 15, 15, std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        const ReportBoxSize size = CombatBoxSize(row.W, row.H);
        EXPECT_EQ(size.Width, row.width) << row.name;
        EXPECT_EQ(size.Height, row.height) << row.name;
    }
}

}  // namespace
}  // namespace velmora
