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
        {"277.5 rounds up to even", 8, 1, std::pair(2618, 2340)},
        {"-832.5 rounds down to even", 8, -3, std::pair(1508, 2340)},
        {"left 31200 fits", 1, 13, std::pair(31200, 2340)},
        {"an offset of 33300 does not", 1, 15, std::nullopt},
        {"zoom 0 has no scale", 0, 0, std::nullopt},
    };
    const ViewGeometry g;
    for (const auto& [name, zoom, dx, placed] : rows) {
        SharedSubsAndVar s;
        std::tie(s.ZoomLevel, s.OwnX, s.OwnY) = std::tuple(zoom, 10, -4);
        const auto p = PlaceMapPoint(s, g, DrawingHalves(g), 10 + dx, -4);
        EXPECT_EQ(p ? std::optional(std::pair<int, int>(p->Left, p->Top)) : std::nullopt, placed)
            << name;
    }
}

TEST(TacticalViewTest, PaintsRangeCircleThenObjectivesThenAircraftInsideZoom) {
    SharedSubsAndVar s;
    std::tie(s.ZoomLevel, s.MaxRange, s.OwnTeam, s.OwnX, s.OwnY) = std::tuple(10, 4, 2, 10, -4);
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

// An aircraft 9 km east: painted alone when the view does not reach past the range; not at all
// when its corner is past 16 bits.
TEST(TacticalViewTest, LeavesOutWhatItCannotShow) {
    // Zoom, MaxRange, the view's width; the drawing operations.
    const std::tuple<const char*, int16_t, float, int, std::size_t> rows[] = {
        {"range beyond the zoom: no circle", 10, 10, 4800, 1},
        {"a negative range: no circle", 10, -4, 4800, 1},
        {"range 0: a circle of radius 0", 10, 0, 4800, 2},
        {"a corner beyond 16 bits", 10, 10, 200000, 0},
    };
    for (const auto& [name, zoom, maxRange, width, ops] : rows) {
        SharedSubsAndVar s;
        std::tie(s.ZoomLevel, s.MaxRange) = std::tuple(zoom, maxRange);
        s.AircraftList.Append().X = 9;
        ViewGeometry g;
        g.ViewWindow.Width = width;
        EXPECT_EQ(RedrawTacticalView(s, g).size(), ops) << name;
    }
}

// Each step of the script, from zoom 2 under visibility 10; MaxRange matters to ZoomToRange only.
TEST(TacticalViewTest, ZoomSteps) {
    const std::tuple<const char*, void (*)(SharedSubsAndVar&), float, int> script[] = {
        // clang-format off
        {"in from 2", ZoomIn, 0, 1}, {"in stops at 1", ZoomIn, 0, 1},
        {"range 2.5 rounds to even", ZoomToRange, 2.5f, 2},
        {"range 12 goes beyond the visibility", ZoomToRange, 12, 12},
        {"out stays beyond the visibility", ZoomOut, 0, 12}, {"in from beyond", ZoomIn, 0, 11},
        {"in to the visibility", ZoomIn, 0, 10}, {"in below it", ZoomIn, 0, 9},
        {"out up to it", ZoomOut, 0, 10}, {"out stops at it", ZoomOut, 0, 10},
        {"range 3.5 rounds to even", ZoomToRange, 3.5f, 4},
        {"range beyond 16 bits clamps", ZoomToRange, 1e6f, 32767},
        // clang-format on
    };
    SharedSubsAndVar s;
    s.ZoomLevel = 2;
    s.Visibility = 10;
    for (const auto& [name, step, maxRange, zoom] : script) {
        s.MaxRange = maxRange;
        step(s);
        EXPECT_EQ(s.ZoomLevel, zoom) << name;
    }
}

}  // namespace
}  // namespace velmora
