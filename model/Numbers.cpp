#include "model/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace velmora {

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

// std::to_chars writes the same bytes under every locale; printf-style formatting would follow
// the C library's locale, which the toolkit sets from the desktop's language ("7,5" under a
// German desktop), and the game master would read another number than the pilot typed.
std::string CaptionWithDigits(double v, int digits) {
    if (v == 0.0 || std::isnan(v)) {
        return " 0";  // also -0, which would otherwise be written with a minus sign
    }
    if (std::isinf(v)) {
        return v < 0 ? "-INF" : " INF";
    }
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
    std::string s(buf, ec == std::errc() ? end : buf);
    // Trailing zeros are dropped; large or tiny values are written as "1E+07".
    std::replace(s.begin(), s.end(), 'e', 'E');
    return v < 0 ? s : " " + s;
}

}  // namespace

std::string CaptionNumber(double v) {
    return CaptionWithDigits(v, 7);
}

std::string CaptionNumberDouble(double v) {
    return CaptionWithDigits(v, 15);
}

std::string MapNumber(double v) {
    if (std::isnan(v)) {
        return "0.0";
    }
    if (std::isinf(v)) {
        return v < 0 ? "-Infinity" : "Infinity";
    }
    char buf[400];  // a float's largest value has 39 digits; a double's 309
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    std::string s(buf, ec == std::errc() ? end : buf);
    if (!s.empty() && s.back() == '0') {
        s.pop_back();
    }
    if (s == "-0.0") {
        s = "0.0";
    }
    return s;
}

}  // namespace velmora
