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
    const double left = chart.Left;
    const double top = chart.Top;
    const double width = chart.Width;
    return {
        Outline(state.DamageEngine, left + width / 2 - 100, top + 200, left + width / 2 + 100,
                top + 800),
        Outline(state.DamageLeftWing, left, top + 700, left + 1800, top + 1530),
        Outline(state.DamageRightWing, left + width, top + 700, left + width - 1800, top + 1530),
        Outline(state.DamageControls, left + 1120, top + 2800, left + width - 1120, top + 3100),
        Outline(state.DamageFuselage, left + 1740, top + 270, left + width - 1740, top + 3160),
    };
}

}  // namespace velmora
