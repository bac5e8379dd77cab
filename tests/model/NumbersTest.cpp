#include "Numbers.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/CommaLocale.h"

namespace velmora {
namespace {

// Each table runs under the C locale and again under one that writes a decimal comma: the
// numbers must come out the same, whatever language the desktop speaks.
template <class Check>
void underEveryLocale(Check check) {
    check();
    test::CommaLocale comma;
    ASSERT_TRUE(comma.Active()) << comma.Error();
    SCOPED_TRACE(test::CommaLocale::kName);
    check();
}

TEST(CaptionNumber, LeadingBlankOrSign) {
    // A single keeps seven digits, so 0.1f shows no binary tail.
    const std::pair<double, const char*> rows[] = {
        {90, " 90"},           {-5, "-5"},       {-0.0, " 0"},
        {1500.5, " 1500.5"},   {-0.75, "-0.75"}, {1e7, " 1E+07"},
        {-1.5e-7, "-1.5E-07"}, {0.1f, " 0.1"},   {3.4028235e38f, " 3.402823E+38"},
        {HUGE_VAL, " INF"}};
    underEveryLocale([&] {
        for (const auto& [in, out] : rows) {
            EXPECT_EQ(CaptionNumber(in), out) << in;
        }
        EXPECT_EQ(CaptionNumberDouble(1.0 / 3), " 0.333333333333333");
        EXPECT_EQ(CaptionNumberDouble(-2.5), "-2.5");
    });
}

TEST(MapNumber, OneOrTwoDecimals) {
    const double nan = std::nan("");
    const std::pair<double, const char*> rows[] = {
        {3, "3.0"},     {-4.25, "-4.25"}, {-0.001, "0.0"},
        {1.999, "2.0"}, {0.125, "0.12"},  {-0.375, "-0.38"},
        {nan, "0.0"},   {16.36, "16.36"}, {-HUGE_VAL, "-Infinity"}};
    underEveryLocale([&] {
        for (const auto& [in, out] : rows) {
            EXPECT_EQ(MapNumber(in), out) << in;
        }
        EXPECT_EQ(MapNumber(1e20), "1" + std::string(20, '0') + ".0");
    });
}

}  // namespace
}  // namespace velmora
