#include "TacticalView.h"

#include <array>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace velmora {
namespace {

// The main window's geometry, the own aircraft at (10, -4): a point dx km east lies
// dx / zoom * 2220 twips right of the map's centre.
TEST(TacticalViewTest, PlacesMapPointsWithinSixteenBits) {
    // Zoom, km east of the own aircraft, the picture's Left and Top.
    const std::tuple<const char*, int16_t, float, std::optional<std::pair<int, int>>> rows[] = {
        {"5 km east at zoom 10", 10, 5, std::pair(3450, 2340)},
        {"277.5 rounds up to even", 8, 1, std::pair(2618, 2340)},
        {"-832.5 rounds down to even", 8, -3, std::pair(1508, 2340)},
        {"left 31200 fits", 1, 13, std::pair(31200, 2340)},
        {"an offset of 33300 does not", 1, 15, std::nullopt},
        {"zoom 0 has no scale", 0, 0, std::nullopt},
    };
    const ViewGeometry g;
    for (const auto& [name, zoom, dx, placed] : rows) {
        SharedSubsAndVar s;
        s.ZoomLevel = zoom;
        s.OwnX = 10;
        s.OwnY = -4;
        const auto p = PlaceMapPoint(s, g, DrawingHalves(g), 10 + dx, -4);
        EXPECT_EQ(p ? std::optional(std::pair<int, int>(p->Left, p->Top)) : std::nullopt, placed)
            << name;
    }
}

TEST(TacticalViewTest, PaintsRangeCircleThenObjectivesThenAircraftInsideZoom) {
    SharedSubsAndVar s;
    s.ZoomLevel = 10;
    s.MaxRange = 4;
    s.OwnTeam = 2;
    s.OwnX = 10;
    s.OwnY = -4;
    s.ObjectiveList.Append() = {"10 km north, at the edge", 10, 6, 0};
    s.ObjectiveList.Append() = {"just inside", 10, 5.99f, 0};
    // Aircraft (X, Y, team, sector): a friend, a foe whose sector lies outside 0..7, and one in
    // the map's corner, beyond the zoom.
    for (const auto& [x, y, team, sector] :
         {std::array{15, -4, 2, 3}, std::array{15, -4, 1, 11}, std::array{2, -12, 0, 0}}) {
        AircraftRecord& a = s.AircraftList.Append();
        std::tie(a.X, a.Y, a.Team, a.HeadingSector) = std::tuple(x, y, team, sector);
    }
    const std::vector<DrawOp> expected = {
        CircleOp{2525, 2520, 888, {80, 80, 74}},
        PictureOp{PictureSet::BullsEye, 0, 2340, 122},
        PictureOp{PictureSet::Friendly, 3, 3450, 2340},
        PictureOp{PictureSet::BadGuy, 3, 3450, 2340},
    };
    EXPECT_EQ(RedrawTacticalView(s, {}), expected);
}

}  // namespace
}  // namespace velmora
