#include "Numbers.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace velmora {

// The program never leaves round-to-nearest-even, so nearbyint rounds half to even.
double RoundHalfEven(double v) {
    return std::nearbyint(v);
}

std::optional<int16_t> RoundToInt16(double v) {
    if (!std::isfinite(v)) {
        return std::nullopt;
    }
    const double r = RoundHalfEven(v);
    if (r < -32768.0 || r > 32767.0) {
        return std::nullopt;
    }
    return static_cast<int16_t>(r);
}

int16_t RoundClampInt16(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    const double r = RoundHalfEven(v);
    if (r <= -32768.0) {
        return -32768;
    }
    if (r >= 32767.0) {
        return 32767;
    }
    return static_cast<int16_t>(r);
}

namespace {

std::string captionWithDigits(double v, int digits) {
    if (v == 0.0 || std::isnan(v)) {
        return " 0";  // also -0, which would otherwise print a minus sign
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, v);
    // %G drops trailing zeros and writes large or tiny values as "1E+07".
    const std::string s = buf;
    return v < 0 ? s : " " + s;
}

}  // namespace

std::string CaptionNumber(double v) {
    return captionWithDigits(v, 7);
}

std::string CaptionNumberDouble(double v) {
    return captionWithDigits(v, 15);
}

std::string MapNumber(double v) {
    if (std::isnan(v)) {
        return "0.0";
    }
    if (std::isinf(v)) {
        return v < 0 ? "-Infinity" : "Infinity";
    }
    char buf[400];  // a float's largest value has 39 digits; a double's 309
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string s = buf;
    if (s.back() == '0') {
        s.pop_back();
    }
    if (s == "-0.0") {
        s = "0.0";
    }
    return s;
}

}  // namespace velmora
