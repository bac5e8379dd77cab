#include "TurnValues.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "Numbers.h"

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

// For a number that from_chars found out of range: whether its magnitude lies below one, so that
// it underflowed rather than overflowed. Worked out from the digits: the power of ten of the
// first significant digit, plus the exponent.
bool BelowOne(std::string_view number) {
    const std::size_t e = std::min(number.find_first_of("Ee"), number.size());
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) {
        return true;  // all zeros
    }
    const auto lead = first < point ? static_cast<long long>(point - first) - 1
                                    : -static_cast<long long>(first - point);
    long long exponent = 0;
    if (e < number.size()) {
        std::string_view digits = number.substr(e + 1);
        const bool negative = digits.front() == '-';
        if (digits.front() == '+') {
            digits.remove_prefix(1);
        }
        const auto [ptr, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        if (ec != std::errc{}) {
            return negative;  // an exponent beyond 64 bits decides alone
        }
    }
    return exponent < -lead;
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

std::optional<double> ParseDecimal(std::string_view Text) {
    double v = 0;
    if (!Convert(Text, v)) {
        return std::nullopt;
    }
    return v;
}

std::optional<WholeNumber> ParseWholeNumber(std::string_view Text) {
    // Most values are plain integers: read as such, they need no rounding.
    bool negative = false;
    std::string_view number;
    if (!SplitSign(Text, negative, number)) {
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
    const std::optional<double> exact = ParseDecimal(Text);
    if (!exact) {
        return std::nullopt;
    }
    const std::optional<int16_t> rounded = RoundToInt16(*exact);
    if (!rounded) {
        return std::nullopt;
    }
    return WholeNumber{*rounded, *exact};
}

std::optional<float> ParseRealNumber(std::string_view Text) {
    float v = 0;
    if (!Convert(Text, v)) {
        return std::nullopt;
    }
    return v;
}

}  // namespace velmora
