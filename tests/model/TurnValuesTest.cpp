#include "TurnValues.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ParseWholeNumber, ConvertsAndRoundsHalfToEven) {
    struct Row {
        std::string_view text;
        int value;
        double exact;
    };
    for (const Row r : {Row{"90", 90, 90},
                        {" 90", 90, 90},  // a value after "KEY =" keeps its blank
                        {"90 ", 90, 90},
                        {"   -5   ", -5, -5},
                        {"+7", 7, 7},
                        {"0", 0, 0},
                        {"-0", 0, -0.0},
                        {"007", 7, 7},
                        {"22.5", 22, 22.5},
                        {"67.5", 68, 67.5},
                        {"2.5", 2, 2.5},
                        {"3.5", 4, 3.5},
                        {"-2.5", -2, -2.5},
                        {".5", 0, 0.5},
                        {"1.", 1, 1},
                        {"32767", 32767, 32767},
                        {"-32768", -32768, -32768},
                        {"32767.4", 32767, 32767.4},
                        {"-32768.5", -32768, -32768.5},  // ties to the even -32768
                        {"1E3", 1000, 1000},
                        {"2.5e1", 25, 25},
                        {"1e-400", 0, 0},  // below double range: zero
                        {"400", 400, 400},
                        {"000000000000000000000000000012", 12, 12}}) {
        const std::optional<WholeNumber> w = ParseWholeNumber(r.text);
        ASSERT_TRUE(w.has_value()) << '"' << r.text << '"';
        EXPECT_EQ(w->Value, r.value) << '"' << r.text << '"';
        EXPECT_EQ(w->Exact, r.exact) << '"' << r.text << '"';
    }
}

TEST(ParseWholeNumber, Failures) {
    for (const std::string_view text : std::initializer_list<std::string_view>{
             "",
             " ",
             "   ",
             "East",
             "90x",
             "9 0",
             "- 5",
             "+-5",
             "--5",
             "5-",
             ".",
             "-.",
             "+",
             "1.2.3",
             "1,5",
             "1,000",
             "0x10",
             "&H10",
             "inf",
             "-inf",
             "nan",
             "Infinity",
             "1e",
             "1e+",
             "e5",
             "\t90",
             "90\t",
             "90\r",
             std::string_view("9\0", 2),
             "\xef\xbc\x99",  // fullwidth 9
             "32768",
             "-32769",
             "32767.5",
             "-32768.6",
             "40000",
             "99999999999",
             "1e5",
             "1e400",
             "100000000000000000000000000000000000000000000000000"}) {
        EXPECT_FALSE(ParseWholeNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(ParseRealNumber, ConvertsToSingle) {
    struct Row {
        std::string_view text;
        float value;
    };
    for (const Row r : {Row{"12.5", 12.5f},
                        {" -4.25", -4.25f},
                        {"-4.25 ", -4.25f},
                        {"+3", 3.0f},
                        {"0.1", 0.1f},  // the single nearest 0.1, not the double
                        {"1500.5", 1500.5f},
                        {".25", 0.25f},
                        {"7.", 7.0f},
                        {"3.051758E-05", 3.051758e-05f},
                        {"1e3", 1000.0f},
                        {"-2E+2", -200.0f},
                        {"16777217", 16777216.0f},  // rounded to the nearest single
                        {"3.4028235e38", std::numeric_limits<float>::max()},
                        {"1e-50", 0.0f},  // below single range: zero
                        {"0.0000000000000000000000000000000000000000000000000001", 0.0f},
                        {"1.4e-45", std::numeric_limits<float>::denorm_min()}}) {
        const std::optional<float> v = ParseRealNumber(r.text);
        ASSERT_TRUE(v.has_value()) << '"' << r.text << '"';
        EXPECT_EQ(*v, r.value) << '"' << r.text << '"';
    }
    const std::optional<float> negativeTiny = ParseRealNumber("-1e-50");
    ASSERT_TRUE(negativeTiny.has_value());
    EXPECT_TRUE(*negativeTiny == 0.0f && std::signbit(*negativeTiny));
}

TEST(ParseRealNumber, Failures) {
    for (const std::string_view text : std::initializer_list<std::string_view>{
             "",         "  ",
             "North",    "12.5km",
             "1,5",      "1.2.3",
             "inf",      "INF",
             "nan",      "NaN",
             "infinity", "0x1p3",
             "1e",       "E3",
             "--1",      "\t1",
             "1\r",      "3.4028236e38",
             "1e39",     "-1e39",
             "1e400",    "123456789012345678901234567890123456789012345678901234567890"}) {
        EXPECT_FALSE(ParseRealNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(ParseDecimal, WithoutRounding) {
    EXPECT_EQ(ParseDecimal(" 22.5 "), 22.5);
    EXPECT_EQ(ParseDecimal("-0.125"), -0.125);
    EXPECT_EQ(ParseDecimal("1e308"), 1e308);
    EXPECT_EQ(ParseDecimal("1e309"), std::nullopt);
    EXPECT_EQ(ParseDecimal("0e999999999999999999999"), 0.0);
    EXPECT_EQ(ParseDecimal("1e-99999999999999999999"), 0.0);
    EXPECT_EQ(ParseDecimal("1e99999999999999999999"), std::nullopt);
    EXPECT_EQ(ParseDecimal("0." + std::string(37, '0') + "1e38"), 1.0);
    // Many digits before the point, magnitude beyond double range.
    EXPECT_EQ(ParseDecimal(std::string(400, '9')), std::nullopt);
    EXPECT_EQ(ParseDecimal("0." + std::string(400, '0') + "1"), 0.0);
}

}  // namespace
}  // namespace velmora
