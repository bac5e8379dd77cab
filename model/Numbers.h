#pragma once
// The number rules every window shares: one rounding, and the two ways numbers are written.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// Pi as the bearing, elevation and placement rules write it. std::numbers::pi is nearer pi in
// the fifteenth digit, which could move a bearing that lies on a half degree to the other side.
inline constexpr double kPi = 3.14159265358979;

// Rounds half to even (2.5 -> 2, 3.5 -> 4, -0.5 -> -0): the program never leaves the default
// rounding mode, round to nearest even. (Adding and taking away 1.5 x 2^52 does the same without
// a library call, but bench_threed's largest redraw ran no fewer instructions with it.)
inline double RoundHalfEven(double v) {
    return std::nearbyint(v);
}

// Holds a whole value within -32768..32767.
inline int16_t Saturate16(long long v) {
    return static_cast<int16_t>(std::clamp<long long>(v, -32768, 32767));
}

// Rounds half to even into a 16-bit integer; nothing when the result is outside
// -32768..32767 or the value is not finite.
std::optional<int16_t> RoundToInt16(double v);

// Rounds half to even and clamps into 16 bits; for values that are expected to fit but
// must never overflow (geometry of far-away points, sums of scores).
int16_t RoundClampInt16(double v);

// A number after a caption word: one leading blank when not negative, the minus sign in its
// place otherwise. Whole numbers carry no decimals; a single-precision value is written with up
// to seven significant digits and no trailing zeros (1500.5f -> " 1500.5", -5 -> "-5").
std::string CaptionNumber(double v);
inline std::string CaptionNumber(float v) {
    return CaptionNumber(static_cast<double>(v));
}
inline std::string CaptionNumber(int v) {
    return CaptionNumber(static_cast<double>(v));
}

// The same notation for a double-precision value (a typed parameter): up to fifteen
// significant digits (2.5 -> " 2.5", -3 -> "-3").
std::string CaptionNumberDouble(double v);

// A map position or distance, "#0.0#": at least one and at most two decimals
// (3 -> "3.0", 12.5 -> "12.5", -4.25 -> "-4.25").
std::string MapNumber(double v);

}  // namespace velmora
