#include <array>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "model/CombatReport.h"
#include "model/DamageChart.h"

namespace velmora {
namespace {

constexpr RgbColor kGreen{0, 255, 0}, kYellow{255, 255, 0}, kRed{255, 0, 0}, kBlack{0, 0, 0};

// Outlines in drawing order: engine, left wing, right wing, controls, fuselage; each in the colour
// of its area's level, its corners (x1, y1, x2, y2) rounded half to even from the chart's box.
TEST(DamageChartTest, OutlinesFollowTheLevelsAndThePicturesPlace) {
    using Corners = std::array<int, 4>;
    using Levels = std::array<int16_t, 5>;
    using Colours = std::array<RgbColor, 5>;
    const std::tuple<const char*, Levels, ControlBox, Colours, std::array<Corners, 5>> rows[] = {
        // clang-format off
        {"half a twip down, one wider: 1970.5 and 320.5 go down to even",
         {0, 1, 2, 3, -1}, {120, 120.5, 3901, 3195}, {kGreen, kYellow, kRed, kBlack, kBlack},
         {{{1970, 320, 2170, 920}, {120, 820, 1920, 1650}, {4021, 820, 2221, 1650},
           {1240, 2920, 2901, 3220}, {1860, 390, 2281, 3280}}}},
        {"a twip right and down again: 1971.5 and 321.5 go up to even",
         {32767, -32768, 1, 2, 0}, {121, 121.5, 3901, 3195}, {kBlack, kBlack, kYellow, kRed, kGreen},
         {{{1972, 322, 2172, 922}, {121, 822, 1921, 1652}, {4022, 822, 2222, 1652},
           {1241, 2922, 2902, 3222}, {1861, 392, 2282, 3282}}}},
        // clang-format on
    };
    for (const auto& [name, levels, chart, colours, corners] : rows) {
        SharedSubsAndVar s;
        std::tie(s.DamageEngine, s.DamageLeftWing, s.DamageRightWing, s.DamageControls,
                 s.DamageFuselage) = std::tuple_cat(levels);
        const auto outlines = DamageOutlines(s, chart);
        for (std::size_t i = 0; i < outlines.size(); ++i) {
            const ChartOutline& o = outlines[i];
            EXPECT_EQ(std::pair(Corners{o.X1, o.Y1, o.X2, o.Y2}, o.Color),
                      std::pair(corners[i], colours[i]))
                << name << ", outline " << i;
        }
    }
}

TEST(CombatReportTest, ShowsTheReportWithinItsBoundsAndSaysWhatItLeftOut) {
    const ReportBounds small{16, 4, 4};  // bytes, lines, bytes of a line
    const std::string more = "[Report shortened: 1 more line not shown]\r\n";
    const std::tuple<const char*, std::string, ReportBounds, std::string> rows[] = {
        {"bare LF ends and a last line without an end", "a\nb", {}, "a\nb"},
        {"a line of the longest length stays whole, a longer one goes on in the next lines",
         "abcd\r\nefghij\r\n", small, "abcd\r\nefgh\r\nij\r\n"},
        {"never inside a UTF-8 character of two bytes or of four",
         "abc\xC3\xA9\xF0\x9F\x9B\xA9\r\n", small, "abc\r\n\xC3\xA9\r\n\xF0\x9F\x9B\xA9\r\n"},
        {"whole lines up to the byte bound, line ends counted", "abcd\r\nabcd\r\nabcd\r\n", small,
         "abcd\r\nabcd\r\n" + more},
        {"whole lines up to the line bound", "a\r\nb\r\nc\r\nd\r\ne", small,
         "a\r\nb\r\nc\r\nd\r\n" + more},
        {"pieces of a long line count as lines; it is not counted as left out",
         "abcdefghij\nk\r\nl\n", ReportBounds{64, 2, 4},
         "abcd\r\nefgh\r\n[Report shortened: the rest of a line and 2 more lines not shown]\r\n"},
        {"the count of a long report", std::string(100000, '\n'), ReportBounds{},
         std::string(65536, '\n') + "[Report shortened: 34464 more lines not shown]\r\n"},
    };
    for (const auto& [name, report, bounds, shown] : rows) {
        EXPECT_EQ(ShownCombatText(report, bounds), shown) << name;
    }
}

}  // namespace
}  // namespace velmora
