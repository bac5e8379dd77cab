#include "TurnValues.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>
#include <type_traits>

#include "Numbers.h"

namespace velmora {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A value checked against the syntax of TurnValues.h: its sign and the unsigned rest, which
// std::from_chars reads exactly (from_chars itself would also take "inf", "nan" and no "+"),
// and, for the common short forms, the digits as one integer.
struct Decimal {
    bool negative = false;
    std::string_view body;   // mantissa and exponent, no sign, no blanks
    uint64_t digits = 0;     // all digits of the mantissa as an integer, point left out
    int fractionDigits = 0;  // how many of them follow the point
    bool simple = false;     // no exponent and at most 19 digits: digits is exact
};

bool CheckSyntax(std::string_view t, Decimal& d) {
    while (!t.empty() && t.front() == ' ') {
        t.remove_prefix(1);
    }
    while (!t.empty() && t.back() == ' ') {
        t.remove_suffix(1);
    }
    d = Decimal{};
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        d.negative = t.front() == '-';
        t.remove_prefix(1);
    }
    std::size_t i = 0;
    std::size_t count = 0;
    while (i < t.size() && IsDigit(t[i])) {
        d.digits = d.digits * 10 + static_cast<uint64_t>(t[i] - '0');  // wraps when > 19 digits
        ++i;
        ++count;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            d.digits = d.digits * 10 + static_cast<uint64_t>(t[i] - '0');
            ++i;
            ++count;
            ++d.fractionDigits;
        }
    }
    if (count == 0) {
        return false;
    }
    d.simple = count <= 19 && i == t.size();
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    if (i != t.size()) {
        return false;
    }
    d.body = t;
    return true;
}

// For a body that from_chars found out of range: whether its magnitude is below 1 (so the value
// underflowed rather than overflowed). Works on the digits, never on a converted value.
bool BelowOne(std::string_view body) {
    constexpr long long kCap = 1'000'000'000;  // far beyond any floating-point exponent
    std::size_t i = 0;
    while (i < body.size() && body[i] == '0') {
        ++i;
    }
    long long intDigits = 0;
    while (i < body.size() && IsDigit(body[i])) {
        ++i;
        if (intDigits < kCap) {
            ++intDigits;
        }
    }
    long long e10 = intDigits - 1;  // decimal exponent of the first significant digit
    if (i < body.size() && body[i] == '.') {
        ++i;
        if (intDigits == 0) {
            long long zeros = 0;
            while (i < body.size() && body[i] == '0') {
                ++i;
                if (zeros < kCap) {
                    ++zeros;
                }
            }
            if (i == body.size() || !IsDigit(body[i])) {
                return true;  // all digits zero: the value is 0
            }
            e10 = -zeros - 1;
        }
        while (i < body.size() && IsDigit(body[i])) {
            ++i;
        }
    } else if (intDigits == 0) {
        return true;
    }
    long long exponent = 0;
    if (i < body.size()) {  // 'E' or 'e'
        ++i;
        bool negative = false;
        if (body[i] == '+' || body[i] == '-') {
            negative = body[i] == '-';
            ++i;
        }
        for (; i < body.size(); ++i) {
            if (exponent < kCap) {
                exponent = exponent * 10 + (body[i] - '0');
            }
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    return e10 + exponent < 0;
}

// Powers of ten that are exact in the type (10^22 in a double, 10^10 in a single).
constexpr std::array<double, 23> kPow10Double = [] {
    std::array<double, 23> p{};
    double v = 1;
    for (double& e : p) {
        e = v;
        v *= 10;
    }
    return p;
}();
constexpr std::array<float, 11> kPow10Float = [] {
    std::array<float, 11> p{};
    float v = 1;
    for (float& e : p) {
        e = v;
        v *= 10;
    }
    return p;
}();

// The fast path of every decimal reader (Clinger's): when the digits and the power of ten are
// both exact in T, one division gives the correctly rounded value.
template <class T>
bool FastConvert(const Decimal& d, T& value) {
    constexpr bool isFloat = std::is_same_v<T, float>;
    constexpr uint64_t kMaxExactDigits = isFloat ? (uint64_t{1} << 24) : (uint64_t{1} << 53);
    constexpr int kMaxPower = isFloat ? 10 : 22;
    if (!d.simple || d.digits > kMaxExactDigits || d.fractionDigits > kMaxPower) {
        return false;
    }
    const auto power = static_cast<std::size_t>(d.fractionDigits);
    const T v = static_cast<T>(d.digits) / (isFloat ? static_cast<T>(kPow10Float[power])
                                                    : static_cast<T>(kPow10Double[power]));
    value = d.negative ? -v : v;
    return true;
}

// Results go through plain out-parameters: an optional built piece by piece and copied stalls the
// reader's hot loop on store forwarding.
template <class T>
bool Convert(const Decimal& d, T& value) {
    if (FastConvert(d, value)) {
        return true;
    }
    T v{};
    const char* first = d.body.data();
    const char* last = first + d.body.size();
    const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (!BelowOne(d.body)) {
            return false;
        }
        v = T{0};
    } else if (ec != std::errc{} || ptr != last || !std::isfinite(v)) {
        return false;  // not expected after CheckSyntax; kept as the safe answer
    }
    value = d.negative ? -v : v;
    return true;
}

}  // namespace

bool ReadDecimal(std::string_view Text, double& Value) {
    Decimal d;
    return CheckSyntax(Text, d) && Convert(d, Value);
}

bool ReadWholeNumber(std::string_view Text, int16_t& Value, double& Exact) {
    Decimal d;
    if (!CheckSyntax(Text, d)) {
        return false;
    }
    if (d.simple && d.fractionDigits == 0) {
        // The common case, a plain integer: no floating point, no rounding.
        if (d.digits > 32768 || (!d.negative && d.digits > 32767)) {
            return false;
        }
        const int v = static_cast<int>(d.digits);
        Value = static_cast<int16_t>(d.negative ? -v : v);
        Exact = d.negative ? -static_cast<double>(v) : static_cast<double>(v);
        return true;
    }
    double exact = 0;
    if (!Convert(d, exact)) {
        return false;
    }
    const std::optional<int16_t> rounded = RoundToInt16(exact);
    if (!rounded) {
        return false;
    }
    Value = *rounded;
    Exact = exact;
    return true;
}

bool ReadRealNumber(std::string_view Text, float& Value) {
    Decimal d;
    return CheckSyntax(Text, d) && Convert(d, Value);
}

std::optional<double> ParseDecimal(std::string_view Text) {
    double v = 0;
    if (!ReadDecimal(Text, v)) {
        return std::nullopt;
    }
    return v;
}

std::optional<WholeNumber> ParseWholeNumber(std::string_view Text) {
    WholeNumber w{};
    if (!ReadWholeNumber(Text, w.Value, w.Exact)) {
        return std::nullopt;
    }
    return w;
}

std::optional<float> ParseRealNumber(std::string_view Text) {
    float v = 0;
    if (!ReadRealNumber(Text, v)) {
        return std::nullopt;
    }
    return v;
}

}  // namespace velmora
