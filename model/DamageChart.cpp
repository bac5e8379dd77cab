#include "model/DamageChart.h"

#include "model/Numbers.h"

namespace velmora {

RgbColor DamageColor(int16_t level) {
    switch (level) {
        case 0:
            return {0, 255, 0};
        case 1:
            return {255, 255, 0};
        case 2:
            return {255, 0, 0};
        default:
            return {0, 0, 0};
    }
}

namespace {

ChartOutline Outline(int16_t level, double x1, double y1, double x2, double y2) {
    return {RoundClampInt16(x1), RoundClampInt16(y1), RoundClampInt16(x2), RoundClampInt16(y2),
            DamageColor(level)};
}

}  // namespace

std::array<ChartOutline, 5> DamageOutlines(const SharedSubsAndVar& state, const ControlBox& chart) {
    const double L = chart.Left;
    const double T = chart.Top;
    const double W = chart.Width;
    return {
        Outline(state.DamageEngine, L + W / 2 - 100, T + 200, L + W / 2 + 100, T + 800),
        Outline(state.DamageLeftWing, L, T + 700, L + 1800, T + 1530),
        Outline(state.DamageRightWing, L + W, T + 700, L + W - 1800, T + 1530),
        Outline(state.DamageControls, L + 1120, T + 2800, L + W - 1120, T + 3100),
        Outline(state.DamageFuselage, L + 1740, T + 270, L + W - 1740, T + 3160),
    };
}

}  // namespace velmora
