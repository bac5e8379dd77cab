#pragma once
// The largest sky a turn file can hold, every contact within the view, for the redraw benchmarks.

#include <cmath>
#include <cstdint>

#include "model/SharedSubsAndVar.h"

namespace velmora {

// 32767 aircraft and 32767 objectives spread over the view on a spiral.
inline void FillCrowdedSky(SharedSubsAndVar& s) {
    s.ZoomLevel = 50;
    s.Visibility = 50;
    s.MaxRange = 4;
    s.ArenaMode = 1;
    s.OwnSquad = "Hawks";
    for (int i = 0; i < kMaxListCount; ++i) {
        const double angle = i * 2.399963;
        const float r = static_cast<float>(49.0 * std::sqrt((i + 0.5) / kMaxListCount));
        ObjectiveRecord& o = s.ObjectiveList.Append();
        o.X = r * static_cast<float>(std::cos(angle));
        o.Y = r * static_cast<float>(std::sin(angle));
        AircraftRecord& a = s.AircraftList.Append();
        a.X = -o.X;
        a.Y = o.Y;
        a.Squad = i % 2 ? "Hawks" : "Owls";
        a.HeadingSector = static_cast<int16_t>(i % 8);
    }
}

}  // namespace velmora
