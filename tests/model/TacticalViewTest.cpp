// The main window's map: where points go, what a redraw paints, the zoom steps, and the target
// information under the pointer.
#include "model/TacticalView.h"

#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/TargetInfo.h"

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

TEST(TacticalViewTest, PaintsRangeCircleThenObjectivesThenAircraftInsideZoomOrLeavesThemOut) {
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

    // What the view cannot show it leaves out: the circle of a range it does not reach past or of
    // a negative one (range 0 gives radius 0), and everything once the corners pass 16 bits.
    const std::tuple<float, int, std::size_t> rows[] = {
        {10, 4800, 3}, {-4, 4800, 3}, {0, 4800, 4}, {10, 200000, 0}};
    for (const auto& [maxRange, width, ops] : rows) {
        s.MaxRange = maxRange;
        ViewGeometry g;
        g.ViewWindow.Width = width;
        EXPECT_EQ(RedrawTacticalView(s, g).size(), ops) << maxRange << ", width " << width;
    }
}

// Each step of the script, from zoom 2 under visibility 10; MaxRange matters to ZoomToRange only.
TEST(TacticalViewTest, ZoomSteps) {
    const std::tuple<const char*, void (*)(SharedSubsAndVar&), float, int> script[] = {
        // clang-format off
        {"in from 2", ZoomIn, 0, 1}, {"in stops at 1", ZoomIn, 0, 1},
        {"range 2.5 to even", ZoomToRange, 2.5f, 2},
        {"range 12 past the visibility", ZoomToRange, 12, 12}, {"out stays there", ZoomOut, 0, 12},
        {"in from past it", ZoomIn, 0, 11}, {"in to the visibility", ZoomIn, 0, 10},
        {"in below it", ZoomIn, 0, 9}, {"out up to it", ZoomOut, 0, 10},
        {"out stops at it", ZoomOut, 0, 10}, {"range 3.5 to even", ZoomToRange, 3.5f, 4},
        {"range beyond 16 bits clamps", ZoomToRange, 1e6f, 32767},
        // clang-format on
    };
    SharedSubsAndVar s;
    std::tie(s.ZoomLevel, s.Visibility) = std::tuple(2, 10);
    for (const auto& [name, step, maxRange, zoom] : script) {
        s.MaxRange = maxRange;
        step(s);
        EXPECT_EQ(s.ZoomLevel, zoom) << name;
    }
}

const std::string kDeg = "\xC2\xB0";

AircraftRecord AircraftAtBearing(double bearing, double km, int16_t altitude) {
    AircraftRecord a;
    a.X = static_cast<float>(km * std::sin(bearing * std::numbers::pi / 180));
    a.Y = static_cast<float>(km * std::cos(bearing * std::numbers::pi / 180));
    a.Altitude = altitude;
    return a;
}

// Score parts: line of sight (30 beyond 60 degrees, then d x 6 / 60), elevation (30 beyond 45
// up or 80 down, (e - 10) or (e - 45) x 5 / 35, 30 beyond 4000 ft), range (30 beyond MaxRange,
// else dist x 5 / MaxRange); each part rounded half to even. Shot classes below 5, 10 and 16.
TEST(TargetInfoTest, ShotRating) {
    // Own heading, altitude and MaxRange; the contact's bearing, km and altitude; the distance,
    // whether in range and ahead, the elevation, the score and the shot.
    using Row = std::tuple<const char*, int16_t, int16_t, float, double, double, int16_t,
                           const char*, bool, bool, const char*, int16_t, const char*>;
    const Row rows[] = {
        // clang-format off
        {"ahead: 0 + 0 + 2.5 to even", 0, 0, 4, 0, 2, 0, "2.0", 1, 1, " 0", 2, "Excellent"},
        {"above: 4 + 2 + 2, 22.504 degrees", 0, 0, 2, 40, 1, 1359, "1.0", 1, 1, " 23", 8, "Good"},
        {"below: 0 + 2 + 1", 0, 3000, 2, 0, 0.5, 0, "0.5", 1, 1, "-61", 3, "Excellent"},
        {"across north: 350 to 10", 350, 0, 4, 10, 1, 0, "1.0", 1, 1, " 0", 3, "Excellent"},
        {"25 degrees: 2.5 to even", 25, 0, 4, 0, 1, 0, "1.0", 1, 1, " 0", 3, "Excellent"},
        {"on the own position", 0, 0, 4, 0, 0, 0, "0.0", 1, 1, " --", 30, "Impossible"},
        {"at the range: out, no 30", 0, 0, 4, 0, 4, 0, "4.0", 0, 1, " 0", 5, "Good"},
        {"10 is Decent, 60 degrees ahead", 0, 0, 4, 60, 3, 0, "3.0", 1, 1, " 0", 10, "Decent"},
        {"15 is Decent", 0, 0, 1.3f, 50, 1.22, 4000, "1.22", 1, 1, " 45", 15, "Decent"},
        {"16 is Impossible", 0, 0, 1.3f, 60, 1.22, 4000, "1.22", 1, 1, " 45", 16, "Impossible"},
        {"0.1 km adds no range", 0, 0, 0.1f, 0, 0.1, 0, "0.1", 0, 1, " 0", 0, "Excellent"},
        {"range 0", 0, 0, 0, 0, 1, 0, "1.0", 0, 1, " 0", 30, "Impossible"},
        {"16 bits apart", 0, 32767, 2, 0, 1, -32768, "1.0", 1, 1, "-87", 68, "Impossible"},
        {"heading far below a turn", -32768, 0, 4, 90, 1, 0, "1.0", 1, 0, " 0", 41, "Impossible"},
        // clang-format on
    };
    for (const auto& [name, heading, ownAlt, maxRange, bearing, km, alt, dist, inRange, ahead,
                      elevation, score, shot] : rows) {
        SharedSubsAndVar s;
        std::tie(s.OwnHeading, s.OwnAltitude, s.MaxRange) = std::tuple(heading, ownAlt, maxRange);
        const CombatInfo c = AircraftCombatInfo(s, AircraftAtBearing(bearing, km, alt));
        EXPECT_EQ(std::tuple(c.infoDist, c.infoForward, c.InfoElev, c.Score, c.infoProb),
                  std::tuple(std::string("Distance: ") + dist + " km  (Target " +
                                 (inRange ? "in" : "out of") + " range)",
                             std::string("In Forward Line-of-Sight: ") + (ahead ? "Yes" : "No"),
                             std::string("Angle of Elevation:") + elevation +
                                 (elevation[1] == '-' ? "" : kDeg),
                             score, std::string("Probability: ") + shot + " Shot"))
            << name;
    }
}

// The main window's geometry, zoom 10: a contact 5 km east is painted at (3450, 2340) in the
// window, which is (3330, 2220) relative to the map picture. Aircraft 1 lies there; aircraft 2
// in the map's corner, beyond the zoom, painted at (4224, 456); aircraft 3 beyond 16 bits;
// objective 1 (shown as -1) 5 km west, 1640 feet below: 0.5 km down, 5.7 degrees.
TEST(TargetInfoTest, HitBoxIsThePaintedSquare) {
    // The pointer, the contacts shown, the angle of elevation on the labels.
    const std::tuple<const char*, float, float, std::vector<int>, std::string> rows[] = {
        {"just inside the top left", 3331, 2221, {1}, "Angle of Elevation:-6" + kDeg},
        {"on the left edge", 3330, 2300, {}, ""},
        {"on the bottom edge", 3400, 2580, {}, ""},
        {"in the corner, beyond the zoom", 4124, 356, {2}, "Angle of Elevation:-2" + kDeg},
        {"an objective below", 1111, 2221, {-1}, "Angle of Elevation:-6" + kDeg},
    };
    SharedSubsAndVar s;
    std::tie(s.ZoomLevel, s.OwnAltitude) = std::tuple(10, 1640);
    s.AircraftList.Append() = AircraftAtBearing(90, 5, 0);
    s.AircraftList.Append() = AircraftAtBearing(45, 12, 0);
    s.AircraftList.Append() = AircraftAtBearing(90, 1e6, 0);
    s.ObjectiveList.Append() = {"", -5, 0, 0};
    for (const auto& [name, x, y, contacts, elevation] : rows) {
        const PointerMoveResult r = ViewWindowPointerMove(s, {}, 0, x, y);
        std::vector<int> shown;
        for (const ContactShown& c : r.Shown) {
            shown.push_back(c.IsAircraft ? c.Index : -c.Index);
        }
        EXPECT_EQ(std::pair(shown, r.Labels.InfoElev.Caption.value_or("")),
                  std::pair(contacts, elevation))
            << name;
    }
}

}  // namespace
}  // namespace velmora
