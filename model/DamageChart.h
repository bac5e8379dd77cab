#pragma once
// The damage chart as data: the colour of each damage level and the five outlines that the
// damage report draws over its chart picture, in twips of the report's inner area.

#include <array>
#include <cstdint>

#include "model/ColorAndBox.h"
#include "model/SharedSubsAndVar.h"

namespace velmora {

// 0 green, 1 yellow, 2 red; any other level black.
RgbColor DamageColor(int16_t level);

// A one-pixel box outline with corners (X1, Y1) and (X2, Y2), in the colour of its level.
struct ChartOutline {
    int16_t X1 = 0;
    int16_t Y1 = 0;
    int16_t X2 = 0;
    int16_t Y2 = 0;
    RgbColor Color;
    bool operator==(const ChartOutline&) const = default;
};

// Engine, left wing, right wing, controls (the tail plane) and fuselage, in drawing order: the
// fuselage goes last, so its colour lies on top where it crosses the engine and tail boxes.
// Each corner is rounded half to even (clamped into 16 bits) from the chart picture's box, read
// from the window at every draw, so the outlines follow the picture wherever it lies.
std::array<ChartOutline, 5> DamageOutlines(const SharedSubsAndVar& state, const ControlBox& chart);

}  // namespace velmora
