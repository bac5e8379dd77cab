#include "model/SharedProcedures.h"

#include <array>
#include <cmath>

#include "model/Numbers.h"

namespace velmora {

namespace {

constexpr char kEndMark = '>';

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::optional<std::string_view> ParseKeyword(std::string_view text, std::string_view key) {
    // The walk over the line followed by one end mark. The accumulated name only
    // grows, so once it stops being the start of key it can never equal key: the walk stops there
    // with the same result as walking on to the first ">".
    std::size_t matched = 0;  // length of the accumulated name, which equals key's start
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? UpperAscii(text[i]) : kEndMark;
        if (c != ' ') {
            if (matched == key.size() || key[matched] != c) {
                return std::nullopt;
            }
            ++matched;
        }
        if (matched == key.size()) {
            if (i >= text.size()) {
                return std::string_view{};  // the key was completed by the end mark itself
            }
            const std::string_view rest = text.substr(i + 1);
            return rest.substr(0, rest.find(kEndMark));
        }
        if (c == kEndMark) {
            return std::nullopt;  // a ">" that does not complete the key ends the walk
        }
    }
    return std::nullopt;  // not reached: the end mark always ends the walk
}

int16_t GetBearing(float x1, float y1, float x2, float y2) {
    // Distance in single precision: the differences are singles before they are squared; the
    // squares and their sum are doubles (exact for single inputs) and the root is held as single.
    const float dx = x1 - x2;
    const float dy = y1 - y2;
    float d =
        static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    float a = std::fabs(x2 - x1);
    if (!std::isfinite(d) || !std::isfinite(a)) {
        // Points so far apart that their single difference overflows: the single-precision
        // steps would give inf / inf; take the same ratio from the double differences instead.
        const double ddx = static_cast<double>(x1) - x2;
        const double ddy = static_cast<double>(y1) - y2;
        const double dd = std::hypot(ddx, ddy);
        d = 1.0f;
        a = static_cast<float>(dd > 0 ? std::fabs(ddx) / dd : 0.0);
    }
    double angle = 0;
    if (d != 0) {
        // a <= d holds for every pair of singles; the clamp only guards the arcsine's domain.
        float r = a / d;
        if (r > 1.0f) {
            r = 1.0f;
        }
        angle = std::asin(static_cast<double>(r)) * 180 / kPi;
    }
    if (x2 < x1 && y2 < y1) {
        angle = angle + 180;
    }
    if (x2 < x1 && y2 > y1) {
        angle = 360 - angle;
    }
    if (x2 > x1 && y2 < y1) {
        angle = 180 - angle;
    }
    if (y2 == y1) {
        if (x2 > x1) {
            angle = 90;
        } else if (x2 < x1) {
            angle = 270;
        }
    }
    if (x2 == x1) {
        if (y2 > y1) {
            angle = 0;
        } else if (y2 < y1) {
            angle = 180;
        }
    }
    // The angle lies in 0..360; the clamp also turns a NaN from NaN coordinates into 0.
    return RoundClampInt16(angle);
}

int16_t HeadingToSector(double heading) {
    int16_t result = 0;
    if (heading > 337 || heading < 23) {
        result = 0;
    }
    struct Band {
        double Above;  // strict lower bound
        double Below;  // strict upper bound
        int16_t Sector;
    };
    static constexpr std::array<Band, 7> kBands = {{{22, 68, 1},
                                                    {67, 113, 2},
                                                    {112, 158, 3},
                                                    {157, 203, 4},
                                                    {202, 248, 5},
                                                    {247, 293, 6},
                                                    {292, 338, 7}}};
    for (const Band& b : kBands) {
        if (heading > b.Above && heading < b.Below) {
            result = b.Sector;
        }
    }
    return result;
}

int16_t WrapHeading(int heading) {
    // Adding or taking 360 until the heading lies in 0..359, done in one step, so that no input
    // can loop for long.
    int r = heading % 360;
    if (r < 0) {
        r += 360;
    }
    return static_cast<int16_t>(r);
}

int16_t WrapSector(int sector) {
    const int r = sector % 8;
    return static_cast<int16_t>(r < 0 ? r + 8 : r);
}

int16_t CompassNameToSector(std::string_view name) {
    static constexpr std::array<std::string_view, 8> kNames = {
        "North", "Northeast", "East", "Southeast", "South", "Southwest", "West", "Northwest"};
    // Each name is compared only with the names of its length.
    for (std::size_t k = 0; k < kNames.size(); ++k) {
        if (name.size() == kNames[k].size() && name == kNames[k]) {
            return static_cast<int16_t>(k);
        }
    }
    return 0;
}

}  // namespace velmora
