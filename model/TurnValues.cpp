#include "model/TurnValues.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

#include "model/Numbers.h"

namespace velmora {

namespace {

// The value without its blanks and its sign. What follows the sign must begin with a digit or a
// point: from_chars would also take "inf", "nan" and a second sign.
bool SplitSign(std::string_view text, bool& negative, std::string_view& number) {
    // Plain loops: the values are short, and the generic searches cost more than the blanks.
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return false;
    }
    number = text;
    negative = number.front() == '-';
    if (negative || number.front() == '+') {
        number.remove_prefix(1);
    }
    return !number.empty() &&
           ((number.front() >= '0' && number.front() <= '9') || number.front() == '.');
}

// The exponent of a number of the syntax of TurnValues.h (0 without one); one beyond 64 bits is
// held at the largest or smallest, which decides alone wherever it is used.
long long Exponent(std::string_view number) {
    const std::size_t e = number.find_first_of("Ee");
    if (e == std::string_view::npos) {
        return 0;
    }
    std::string_view digits = number.substr(e + 1);
    if (digits.front() == '+') {
        digits.remove_prefix(1);
    }
    long long exponent = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
    if (ec != std::errc{}) {
        return digits.front() == '-' ? LLONG_MIN : LLONG_MAX;
    }
    return exponent;
}

// The mantissa's digits and where its point stands among them (after that many digits).
struct Mantissa {
    std::string_view Text;  // digits and perhaps the point
    long long Point;
};

Mantissa MantissaOf(std::string_view number) {
    const std::string_view mantissa = number.substr(0, number.find_first_of("Ee"));
    return {mantissa, static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()))};
}

// For a number that from_chars found out of range: whether its magnitude lies below one, so that
// it underflowed rather than overflowed. Worked out from the digits: the power of ten of the
// first significant digit, plus the exponent.
bool BelowOne(std::string_view number) {
    const Mantissa m = MantissaOf(number);
    const std::size_t first = m.Text.find_first_not_of("0.");
    if (first == std::string_view::npos) {
        return true;  // all zeros
    }
    const auto at = static_cast<long long>(first);
    const long long lead = at < m.Point ? m.Point - at - 1 : m.Point - at;
    return Exponent(number) < -lead;
}

// For a magnitude whose double is a tie n + 0.5: whether the digits themselves lie below the tie
// (-1), on it (0) or above it (1). The double lies far closer to them than a half, so both share
// the whole part n and only the fraction is compared with .5. More than about seventeen
// significant digits can stand for a value just beside the tie the double lands on
// ("4501.49999999999999999999").
int AgainstHalf(std::string_view number) {
    const Mantissa m = MantissaOf(number);
    long long tenths = 0;  // index among the digits of the first one after the point
    if (__builtin_add_overflow(m.Point, Exponent(number), &tenths)) {
        return 0;
    }
    if (tenths < 0) {
        return -1;  // below 0.1
    }
    long long k = 0;
    for (const char c : m.Text) {
        if (c == '.') {
            continue;
        }
        if (k == tenths && c != '5') {
            return c < '5' ? -1 : 1;
        }
        if (k > tenths && c != '0') {
            return 1;
        }
        ++k;
    }
    return k > tenths ? 0 : -1;
}

// The whole value in T (the syntax of TurnValues.h); a magnitude too small for T reads as zero
// of its sign, one too large fails.
template <class T>
bool Convert(std::string_view text, T& value) {
    bool negative = false;
    std::string_view number;
    if (!SplitSign(text, negative, number)) {
        return false;
    }
    T v{};
    const char* end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, v);
    if (ptr != end) {
        return false;
    }
    if (ec == std::errc::result_out_of_range && BelowOne(number)) {
        v = T{0};
    } else if (ec != std::errc{}) {
        return false;
    }
    value = negative ? -v : v;
    return true;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    double v = 0;
    if (!Convert(text, v)) {
        return std::nullopt;
    }
    return v;
}

std::optional<WholeNumber> ParseWholeNumber(std::string_view text) {
    // Most values are plain integers: read as such, they need no rounding.
    bool negative = false;
    std::string_view number;
    if (!SplitSign(text, negative, number)) {
        return std::nullopt;
    }
    int digits = 0;
    const char* end = number.data() + number.size();
    if (const auto [ptr, ec] = std::from_chars(number.data(), end, digits);
        ec == std::errc{} && ptr == end) {
        const int v = negative ? -digits : digits;
        if (v < -32768 || v > 32767) {
            return std::nullopt;
        }
        return WholeNumber{static_cast<int16_t>(v), negative ? -double(digits) : double(digits)};
    }
    const std::optional<double> exact = ParseDecimal(text);
    if (!exact) {
        return std::nullopt;
    }
    double nearest = RoundHalfEven(*exact);
    const double whole = std::trunc(*exact);
    if (std::fabs(*exact - whole) == 0.5) {
        if (const int side = AgainstHalf(number); side != 0) {
            nearest = side < 0 ? whole : whole + std::copysign(1.0, *exact);
        }
    }
    const std::optional<int16_t> rounded = RoundToInt16(nearest);
    if (!rounded) {
        return std::nullopt;
    }
    return WholeNumber{*rounded, *exact};
}

std::optional<float> ParseRealNumber(std::string_view text) {
    float v = 0;
    if (!Convert(text, v)) {
        return std::nullopt;
    }
    return v;
}

}  // namespace velmora
