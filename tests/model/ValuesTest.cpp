// Numbers as the turn file writes them and as the windows show them, and the compass rules.
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "model/Numbers.h"
#include "model/SharedProcedures.h"
#include "model/TurnValues.h"
#include "tests/support/CommaLocale.h"

namespace velmora {
namespace {

// Each conversion on texts it takes, then on texts that fail: malformed ones for every kind, out
// of range ones for each kind's own.
TEST(TurnValues, ConvertOrFail) {
    // Whole numbers, rounded half to even: text, value, and the exact value before rounding; the
    // zeros outrun 19 digits. Beyond 17 digits the text lies beside the tie its double lands on,
    // and its digits decide.
    const std::string zeros = std::string(20, '0') + "12";
    const std::tuple<std::string_view, int, double> wholes[] = {
        // clang-format off
        {" 90", 90, 90}, {"-5 ", -5, -5}, {"+7", 7, 7}, {"32767.4", 32767, 32767.4},
        {"22.5", 22, 22.5}, {"-32768.5", -32768, -32768.5}, {"67.5", 68, 67.5}, {".5", 0, 0.5},
        {"1.", 1, 1}, {"2.5e1", 25, 25}, {"1e-400", 0, 0}, {zeros, 12, 12},
        {"4501.49999999999999999999", 4501, 4501.5}, {"32767.4999999999999999999", 32767, 32767.5},
        {"-2.50000000000000000000001", -3, -2.5}, {"-32768.50000000000000000000", -32768, -32768.5},
        {"0.0450149999999999999999999e5", 4501, 4501.5},
        // clang-format on
    };
    for (const auto& [text, value, exact] : wholes) {
        const std::optional<WholeNumber> w = ParseWholeNumber(text);
        EXPECT_EQ(w ? std::pair(int{w->Value}, w->Exact) : std::pair(-1, -1.0),
                  std::pair(value, exact))
            << '"' << text << '"';
    }

    // Singles, each the single nearest the text: 0.1 not by way of the double, 1677721.7 not as the
    // single 16777216 divided by ten; a value below single range, even by an exponent beyond 64
    // bits, gives zero of its sign.
    const std::string tiny = "0." + std::string(52, '0') + "1";
    const std::string below64 = "1e-" + std::string(20, '9');
    const std::pair<std::string_view, float> singles[] = {
        // clang-format off
        {" -4.25 ", -4.25f}, {"-2E+2", -200.0f}, {"0.1", 0.1f}, {"1677721.7", 1677721.7f},
        {"3.4028235e38", std::numeric_limits<float>::max()}, {tiny, 0.0f}, {below64, 0.0f},
        {"-1e-50", -0.0f}, {"1.4e-45", std::numeric_limits<float>::denorm_min()},
        // clang-format on
    };
    for (const auto& [text, value] : singles) {
        const float v = ParseRealNumber(text).value_or(NAN);
        EXPECT_EQ(std::pair(v, std::signbit(v)), std::pair(value, std::signbit(value)))
            << '"' << text << '"';
    }

    const std::string_view nul("9\0", 2);
    const std::string_view texts[] = {"",     " ",   "90x", "9 0", "+-5",  "5-",   "-.", "1,5",
                                      "0x10", "inf", "1e+", "e5",  "\t90", "90\r", nul};
    for (const std::string_view text : texts) {
        EXPECT_FALSE(ParseWholeNumber(text) || ParseRealNumber(text) || ParseDecimal(text))
            << '"' << text << '"';
    }
    // 18446744073709551621 is 2^64 + 5: twenty digits must not wrap into range.
    for (const std::string_view text :
         {"32768", "-32769", "32767.5", "-32768.6", "1e400", "18446744073709551621",
          "-32768.5000000000000000001", "3276750000000000000000001e-20"}) {
        EXPECT_FALSE(ParseWholeNumber(text)) << text;
    }
    for (const std::string_view text : {"3.4028236e38", "-1e39", "1e99999999999999999999"}) {
        EXPECT_FALSE(ParseRealNumber(text)) << text;
    }
}

// Both notations under the C locale and again under one that writes a decimal comma: the
// numbers must come out the same, whatever language the desktop speaks.
TEST(Notations, CaptionAndMapNumbersUnderEveryLocale) {
    // A single keeps seven digits, so 0.1f shows no binary tail.
    const std::pair<double, const char*> captions[] = {
        {90, " 90"},           {-5, "-5"},       {-0.0, " 0"},
        {1500.5, " 1500.5"},   {-0.75, "-0.75"}, {1e7, " 1E+07"},
        {-1.5e-7, "-1.5E-07"}, {0.1f, " 0.1"},   {3.4028235e38f, " 3.402823E+38"},
        {HUGE_VAL, " INF"}};
    const std::pair<double, const char*> maps[] = {
        {3, "3.0"},     {-4.25, "-4.25"}, {-0.001, "0.0"},
        {1.999, "2.0"}, {0.125, "0.12"},  {-0.375, "-0.38"},
        {NAN, "0.0"},   {16.36, "16.36"}, {-HUGE_VAL, "-Infinity"}};
    const auto check = [&] {
        for (const auto& [in, out] : captions) {
            EXPECT_EQ(CaptionNumber(in), out) << in;
        }
        for (const auto& [in, out] : maps) {
            EXPECT_EQ(MapNumber(in), out) << in;
        }
        EXPECT_EQ(CaptionNumberDouble(1.0 / 3), " 0.333333333333333");
        EXPECT_EQ(CaptionNumberDouble(-2.5), "-2.5");
    };
    check();
    const test::CommaLocale comma;
    ASSERT_TRUE(comma.Active()) << comma.Error();
    SCOPED_TRACE(test::CommaLocale::kName);
    check();
}

TEST(CompassRules, SectorBandsAndWrapping) {
    // Each band's edges: the whole degree below stays, the half degree goes to the later band.
    const double edges[][2] = {{22, 0},    {22.5, 1}, {67, 1},    {67.5, 2},  {157, 3},
                               {157.5, 4}, {292, 6},  {292.5, 7}, {337.9, 7}, {338, 0}};
    for (const auto& [heading, sector] : edges) {
        EXPECT_EQ(HeadingToSector(heading), sector) << "heading " << heading;
    }

    const int min = std::numeric_limits<int>::min();  // -5965233 * 360 + 232; -268435456 * 8
    const std::tuple<const char*, int, int, int> rows[] = {
        {"one turn", 360, 0, 0}, {"minus one", -1, 359, 7}, {"int min", min, 232, 0}};
    for (const auto& [name, in, heading, sector] : rows) {
        EXPECT_EQ(std::tuple(WrapHeading(in), WrapSector(in)), std::tuple(heading, sector)) << name;
    }
}

}  // namespace
}  // namespace velmora
