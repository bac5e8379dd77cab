#include "Numbers.h"

#include <cmath>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(RoundHalfEven, TiesGoToEven) {
    struct Row {
        double in;
        double out;
    };
    for (const Row r : {Row{0.5, 0},
                        {1.5, 2},
                        {2.5, 2},
                        {76.5, 76},
                        {277.5, 278},
                        {-2.5, -2},
                        {22.5, 22},
                        {67.5, 68},
                        {2.4999, 2},
                        {-0.4, 0}}) {
        EXPECT_EQ(RoundHalfEven(r.in), r.out) << r.in;
    }
}

TEST(RoundToInt16, RangeEdges) {
    EXPECT_EQ(RoundToInt16(32767.4), int16_t{32767});
    EXPECT_EQ(RoundToInt16(32767.5), std::nullopt);  // rounds to 32768
    EXPECT_EQ(RoundToInt16(-32768.5), int16_t{-32768});
    EXPECT_EQ(RoundToInt16(-32768.6), std::nullopt);
    EXPECT_EQ(RoundToInt16(40000), std::nullopt);
    EXPECT_EQ(RoundToInt16(std::nan("")), std::nullopt);
    EXPECT_EQ(RoundToInt16(HUGE_VAL), std::nullopt);
    EXPECT_EQ(RoundClampInt16(1e9), 32767);
    EXPECT_EQ(RoundClampInt16(-1e9), -32768);
}

TEST(CaptionNumber, LeadingBlankOrSign) {
    struct Row {
        double in;
        const char* out;
    };
    for (const Row r : {Row{90, " 90"},
                        {-5, "-5"},
                        {0, " 0"},
                        {-0.0, " 0"},
                        {3000, " 3000"},
                        {32767, " 32767"},
                        {-32768, "-32768"},
                        {1500.5, " 1500.5"},
                        {0.25, " 0.25"},
                        {-0.75, "-0.75"},
                        {1e7, " 1E+07"},
                        {-1.5e-7, "-1.5E-07"}}) {
        EXPECT_EQ(CaptionNumber(r.in), r.out) << r.in;
    }
    // A single keeps seven significant digits, not the binary expansion of the double.
    EXPECT_EQ(CaptionNumber(1234.567f), " 1234.567");
    EXPECT_EQ(CaptionNumber(0.1f), " 0.1");
    // A typed parameter is a double: fifteen digits, so 0.1 stays 0.1 and 1/3 keeps its length.
    EXPECT_EQ(CaptionNumberDouble(0.1), " 0.1");
    EXPECT_EQ(CaptionNumberDouble(-3), "-3");
    EXPECT_EQ(CaptionNumberDouble(1.0 / 3), " 0.333333333333333");
    EXPECT_EQ(CaptionNumberDouble(123456789012.5), " 123456789012.5");
}

TEST(MapNumber, OneOrTwoDecimals) {
    struct Row {
        double in;
        const char* out;
    };
    for (const Row r : {Row{3, "3.0"},
                        {12.5, "12.5"},
                        {-4.25, "-4.25"},
                        {0, "0.0"},
                        {-0.001, "0.0"},
                        {2.0, "2.0"},
                        {1.999, "2.0"},
                        {123456.78, "123456.78"},
                        {0.125, "0.12"},
                        {-0.375, "-0.38"}}) {
        EXPECT_EQ(MapNumber(r.in), r.out) << r.in;
    }
}

}  // namespace
}  // namespace velmora
