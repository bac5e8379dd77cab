#include "TacticalView.h"

#include <iterator>
#include <optional>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace velmora {
namespace {

AircraftRecord AircraftAt(float x, float y, int16_t team = 0, int16_t sector = 0) {
    AircraftRecord a;
    a.X = x;
    a.Y = y;
    a.Team = team;
    a.HeadingSector = sector;
    return a;
}

// The main window's geometry, the own aircraft at (10, -4): a point dx km east lies
// dx / zoom * 2220 twips right of the map's centre.
TEST(TacticalViewTest, PlacesMapPointsWithinSixteenBits) {
    struct Row {
        const char* name;
        int16_t zoom;
        float dx;
        std::optional<std::vector<int>> placed;  // Px, Py, Left, Top
    };
    const Row rows[] = {
        {"5 km east at zoom 10", 10, 5, {{1110, 0, 3450, 2340}}},
        {"277.5 rounds up to even", 8, 1, {{278, 0, 2618, 2340}}},
        {"-832.5 rounds down to even", 8, -3, {{-832, 0, 1508, 2340}}},
        {"left 31200 fits", 1, 13, {{28860, 0, 31200, 2340}}},
        {"px 33300 does not", 1, 15, std::nullopt},
        {"zoom 0 has no scale", 0, 0, std::nullopt},
        {"nor has a negative zoom", -32768, 0, std::nullopt},
    };
    const ViewGeometry g;
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.ZoomLevel = r.zoom;
        s.OwnX = 10;
        s.OwnY = -4;
        const auto p = PlaceMapPoint(s, g, DrawingHalves(g), 10 + r.dx, -4);
        EXPECT_EQ(p ? std::optional(std::vector<int>{p->Px, p->Py, p->Left, p->Top}) : std::nullopt,
                  r.placed)
            << r.name;
    }
}

TEST(TacticalViewTest, PaintsRangeCircleThenObjectivesThenAircraftInsideZoom) {
    SharedSubsAndVar s;
    s.ZoomLevel = 10;
    s.MaxRange = 4;
    s.OwnTeam = 2;
    s.ObjectiveList.Append() = {"at the edge", 0, 10, 0};
    s.ObjectiveList.Append() = {"just inside", 0, 9.99f, 0};
    s.AircraftList.Append() = AircraftAt(5, 0, 2, 3);
    s.AircraftList.Append() = AircraftAt(5, 0, 1, 11);  // sector outside 0..7
    s.AircraftList.Append() = AircraftAt(-8, -8);       // in the map's corner, beyond zoom
    const std::vector<DrawOp> expected = {
        CircleOp{2525, 2520, 888, {80, 80, 74}},
        PictureOp{PictureSet::BullsEye, 0, 2340, 122},
        PictureOp{PictureSet::Friendly, 3, 3450, 2340},
        PictureOp{PictureSet::BadGuy, 3, 3450, 2340},
    };
    EXPECT_EQ(RedrawTacticalView(s, {}), expected);
}

// An aircraft 9 km east: painted alone when the view does not reach past the range; not at all
// without a scale (where the circle would divide by zero) or when its corner is past 16 bits.
TEST(TacticalViewTest, LeavesOutWhatItCannotShow) {
    const std::tuple<int16_t, float, int, std::size_t> rows[] = {
        {10, 10, 4800, 1}, {10, -4, 4800, 1}, {0, -3, 4800, 0}, {10, 10, 200000, 0}};
    for (const auto& [zoom, maxRange, width, ops] : rows) {
        SharedSubsAndVar s;
        s.ZoomLevel = zoom;
        s.MaxRange = maxRange;
        s.AircraftList.Append() = AircraftAt(9, 0);
        ViewGeometry g;
        g.ViewWindow.Width = width;
        EXPECT_EQ(RedrawTacticalView(s, g).size(), ops) << zoom << " " << maxRange << " " << width;
    }
}

TEST(TacticalViewTest, FriendOrFoe) {
    // Arena mode, own team, team, own squad, squad: squads count under mode 1 only.
    const std::tuple<int16_t, int16_t, int16_t, const char*, const char*, bool> rows[] = {
        {1, 1, 2, "Hawks", "Hawks", true},  {1, 1, 1, "Hawks", "hawks", false},
        {1, 1, 1, "", "", false},           {0, 3, 3, "Hawks", "Owls", true},
        {0, 3, 4, "Hawks", "Hawks", false}, {2, 3, 3, "", "x", true}};
    for (const auto& [arenaMode, ownTeam, team, ownSquad, squad, isFriend] : rows) {
        SharedSubsAndVar s;
        s.ArenaMode = arenaMode;
        s.OwnTeam = ownTeam;
        s.OwnSquad = ownSquad;
        AircraftRecord a = AircraftAt(0, 0, team);
        a.Squad = squad;
        EXPECT_EQ(IsFriend(s, a), isFriend) << arenaMode << " " << ownSquad << "/" << squad;
    }
}

// Each step of the script, from zoom 2 under visibility 10; MaxRange matters to ZoomToRange only.
TEST(TacticalViewTest, ZoomSteps) {
    const auto in = ZoomIn, out = ZoomOut, range = ZoomToRange;
    const std::tuple<void (*)(SharedSubsAndVar&), float, int> script[] = {
        {in, 0, 1},   {in, 0, 1},       {range, 2.5f, 2},    {range, 3.5f, 4}, {range, 12, 12},
        {out, 0, 12}, {in, 0, 11},      {in, 0, 10},         {in, 0, 9},       {out, 0, 10},
        {out, 0, 10}, {range, 0.4f, 0}, {range, 1e6f, 32767}};
    SharedSubsAndVar s;
    s.ZoomLevel = 2;
    s.Visibility = 10;
    for (std::size_t i = 0; i < std::size(script); ++i) {
        const auto& [step, maxRange, zoom] = script[i];
        s.MaxRange = maxRange;
        step(s);
        EXPECT_EQ(s.ZoomLevel, zoom) << "step " << i;
    }
}

}  // namespace
}  // namespace velmora
