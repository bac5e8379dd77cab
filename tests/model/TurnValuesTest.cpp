#include "TurnValues.h"

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ParseWholeNumber, ConvertsAndRoundsHalfToEven) {
    // Text, value, and the exact value before rounding; the zeros outrun 19 digits.
    const std::string zeros = std::string(20, '0') + "12";
    using Row = std::tuple<std::string_view, int, double>;
    const Row rows[] = {{" 90", 90, 90},    {"-5 ", -5, -5},
                        {"+7", 7, 7},       {"32767.4", 32767, 32767.4},
                        {"22.5", 22, 22.5}, {"-32768.5", -32768, -32768.5},
                        {"67.5", 68, 67.5}, {".5", 0, 0.5},
                        {"1.", 1, 1},       {"2.5e1", 25, 25},
                        {"1e-400", 0, 0},   {zeros, 12, 12}};
    for (const auto& [text, value, exact] : rows) {
        const std::optional<WholeNumber> w = ParseWholeNumber(text);
        ASSERT_TRUE(w.has_value()) << '"' << text << '"';
        EXPECT_EQ(std::pair(int{w->Value}, w->Exact), std::pair(value, exact))
            << '"' << text << '"';
    }
}

TEST(ParseRealNumber, ConvertsToSingle) {
    // Each the single nearest the text: 0.1 not by way of the double, 1677721.7 not as the single
    // 16777216 divided by ten; a value below single range, even by an exponent beyond 64 bits,
    // gives zero of its sign.
    const std::string tiny = "0." + std::string(52, '0') + "1";
    const float max = std::numeric_limits<float>::max();
    const float denormMin = std::numeric_limits<float>::denorm_min();
    const std::string below64 = "1e-" + std::string(20, '9');
    const std::pair<std::string_view, float> rows[] = {
        {" -4.25 ", -4.25f},       {"-2E+2", -200.0f},    {"0.1", 0.1f},
        {"1677721.7", 1677721.7f}, {"3.4028235e38", max}, {tiny, 0.0f},
        {below64, 0.0f},           {"-1e-50", -0.0f},     {"1.4e-45", denormMin}};
    for (const auto& [text, value] : rows) {
        const std::optional<float> v = ParseRealNumber(text);
        ASSERT_TRUE(v.has_value()) << '"' << text << '"';
        EXPECT_EQ(std::pair(*v, std::signbit(*v)), std::pair(value, std::signbit(value)))
            << '"' << text << '"';
    }
}

TEST(TurnValues, MalformedTextFailsForEveryKind) {
    const std::string_view nul("9\0", 2);
    const std::string_view texts[] = {"",     " ",   "90x", "9 0", "+-5",  "5-",   "-.", "1,5",
                                      "0x10", "inf", "1e+", "e5",  "\t90", "90\r", nul};
    for (const std::string_view text : texts) {
        EXPECT_FALSE(ParseWholeNumber(text)) << '"' << text << '"';
        EXPECT_FALSE(ParseRealNumber(text)) << '"' << text << '"';
        EXPECT_FALSE(ParseDecimal(text)) << '"' << text << '"';
    }
}

TEST(TurnValues, OutOfRangeFails) {
    // 18446744073709551621 is 2^64 + 5: twenty digits must not wrap into range.
    for (const std::string_view text :
         {"32768", "-32769", "32767.5", "-32768.6", "1e400", "18446744073709551621"}) {
        EXPECT_FALSE(ParseWholeNumber(text)) << text;
    }
    for (const std::string_view text : {"3.4028236e38", "-1e39", "1e99999999999999999999"}) {
        EXPECT_FALSE(ParseRealNumber(text)) << text;
    }
}

}  // namespace
}  // namespace velmora
