#include <array>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "CombatReport.h"
#include "DamageChart.h"

namespace velmora {
namespace {

constexpr RgbColor kGreen{0, 255, 0}, kYellow{255, 255, 0}, kRed{255, 0, 0}, kBlack{0, 0, 0};

// Levels and colours in the order engine, left wing, right wing, controls, fuselage.
TEST(DamageChartTest, EachOutlineHasTheColourOfItsAreasLevel) {
    const struct {
        const char* name;
        std::array<int16_t, 5> levels;
        std::array<RgbColor, 5> colours;
    } rows[] = {
        {"all 0 green", {0, 0, 0, 0, 0}, {kGreen, kGreen, kGreen, kGreen, kGreen}},
        {"0, 1, 2, 3, -1", {0, 1, 2, 3, -1}, {kGreen, kYellow, kRed, kBlack, kBlack}},
        {"1, 2, 3, -1, 0", {1, 2, 3, -1, 0}, {kYellow, kRed, kBlack, kBlack, kGreen}},
        {"-1, 3, 0, 1, 2", {-1, 3, 0, 1, 2}, {kBlack, kBlack, kGreen, kYellow, kRed}},
        {"16-bit ends black", {32767, -32768, 2, 2, 2}, {kBlack, kBlack, kRed, kRed, kRed}},
    };
    for (const auto& row : rows) {
        SharedSubsAndVar s;
        s.DamageEngine = row.levels[0];
        s.DamageLeftWing = row.levels[1];
        s.DamageRightWing = row.levels[2];
        s.DamageControls = row.levels[3];
        s.DamageFuselage = row.levels[4];
        const auto outlines = DamageOutlines(s, {});
        for (std::size_t i = 0; i < outlines.size(); ++i) {
            EXPECT_EQ(outlines[i].Color, row.colours[i]) << row.name << ", outline " << i;
        }
    }
}

// Corners (x1, y1, x2, y2) in twips, in the order above.
TEST(DamageChartTest, OutlinesFollowThePicturesPlaceRoundedHalfToEven) {
    using Corners = std::array<int, 4>;
    const struct {
        const char* name;
        ControlBox place;
        std::array<Corners, 5> corners;
    } rows[] = {
        {"as designed",
         {120, 120, 3900, 3195},
         {{{1970, 320, 2170, 920},
           {120, 820, 1920, 1650},
           {4020, 820, 2220, 1650},
           {1240, 2920, 2900, 3220},
           {1860, 390, 2280, 3280}}}},
        {"odd width: 1970.5 and 2170.5 go down to even",
         {120, 120, 3901, 3195},
         {{{1970, 320, 2170, 920},
           {120, 820, 1920, 1650},
           {4021, 820, 2221, 1650},
           {1240, 2920, 2901, 3220},
           {1860, 390, 2281, 3280}}}},
        {"a twip right: 1971.5 and 2171.5 go up to even",
         {121, 120, 3901, 3195},
         {{{1972, 320, 2172, 920},
           {121, 820, 1921, 1650},
           {4022, 820, 2222, 1650},
           {1241, 2920, 2902, 3220},
           {1861, 390, 2282, 3280}}}},
        {"one and a half twips down: every y goes up to even",
         {120, 121.5, 3900, 3195},
         {{{1970, 322, 2170, 922},
           {120, 822, 1920, 1652},
           {4020, 822, 2220, 1652},
           {1240, 2922, 2900, 3222},
           {1860, 392, 2280, 3282}}}},
    };
    for (const auto& row : rows) {
        const auto outlines = DamageOutlines(SharedSubsAndVar{}, row.place);
        for (std::size_t i = 0; i < outlines.size(); ++i) {
            const ChartOutline& o = outlines[i];
            EXPECT_EQ((Corners{o.X1, o.Y1, o.X2, o.Y2}), row.corners[i])
                << row.name << ", outline " << i;
        }
    }
}

TEST(CombatReportTest, ShowsTheReportWithinItsBounds) {
    const ReportBounds small{16, 4, 4};  // bytes, lines, bytes of a line
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
        {"never inside a UTF-8 character", "abc\xC3\xA9z\r\n", small, "abc\r\n\xC3\xA9z\r\n"},
        {"whole lines up to the byte bound, line ends counted", "abcd\r\nabcd\r\nabcd\r\n", small,
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
