#include "TacticalView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

AircraftRecord AircraftAt(float x, float y, int16_t team = 0, std::string squad = "",
                          int16_t sector = 0) {
    AircraftRecord a;
    a.X = x;
    a.Y = y;
    a.Team = team;
    a.Squad = std::move(squad);
    a.HeadingSector = sector;
    return a;
}

TEST(TacticalViewTest, PlacesMapPointsWithDesignGeometry) {
    struct Row {
        const char* name;
        int16_t zoom;
        float ownX, ownY, x, y;
        int16_t px, py, left, top;
    };
    const Row rows[] = {
        {"5 km east at zoom 10", 10, 0, 0, 5, 0, 1110, 0, 3450, 2340},
        {"own aircraft off the origin", 10, 10, -4, 15, -4, 1110, 0, 3450, 2340},
        {"1 km east at zoom 8 is a tie up to even", 8, 0, 0, 1, 0, 278, 0, 2618, 2340},
        {"3 km west at zoom 8 is a tie down to even", 8, 0, 0, -3, 0, -832, 0, 1508, 2340},
        {"north is up the screen", 8, 0, 0, 0, 1, 0, -278, 2340, 2062},
        {"the own position is the map's centre", 5, 2, 3, 2, 3, 0, 0, 2340, 2340},
    };
    const ViewGeometry geometry;
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.ZoomLevel = r.zoom;
        s.OwnX = r.ownX;
        s.OwnY = r.ownY;
        const auto p = PlaceMapPoint(s, geometry, DrawingHalves(geometry), r.x, r.y);
        ASSERT_TRUE(p) << r.name;
        EXPECT_EQ(p->Px, r.px) << r.name;
        EXPECT_EQ(p->Py, r.py) << r.name;
        EXPECT_EQ(p->Left, r.left) << r.name;
        EXPECT_EQ(p->Top, r.top) << r.name;
    }
}

TEST(TacticalViewTest, PassesOverPointsItCannotPlace) {
    const ViewGeometry geometry;
    const ViewHalves halves = DrawingHalves(geometry);
    SharedSubsAndVar s;
    for (int16_t zoom : {0, -1, -32768}) {
        s.ZoomLevel = zoom;
        EXPECT_FALSE(PlaceMapPoint(s, geometry, halves, 0, 0)) << zoom;
    }
    s.ZoomLevel = 1;
    EXPECT_FALSE(PlaceMapPoint(s, geometry, halves, 15, 0));     // px 33300
    EXPECT_FALSE(PlaceMapPoint(s, geometry, halves, 0, 1e30f));  // far beyond any width
    EXPECT_TRUE(PlaceMapPoint(s, geometry, halves, 13, 0));      // left 31200 still fits
}

TEST(TacticalViewTest, RangeCircleOnlyWhenViewReachesPastRange) {
    const ViewGeometry geometry;
    SharedSubsAndVar s;
    s.ZoomLevel = 10;
    s.MaxRange = 4;
    EXPECT_EQ(RedrawTacticalView(s, geometry),
              std::vector<DrawOp>{(CircleOp{2525, 2520, 888, {80, 80, 74}})});
    s.MaxRange = 10;
    EXPECT_TRUE(RedrawTacticalView(s, geometry).empty());
    s.MaxRange = -4;  // a negative range has no circle
    EXPECT_TRUE(RedrawTacticalView(s, geometry).empty());
}

TEST(TacticalViewTest, PaintsObjectivesThenAircraftInsideZoomOnly) {
    const ViewGeometry geometry;
    SharedSubsAndVar s;
    s.ZoomLevel = 10;
    s.MaxRange = 10;
    s.OwnTeam = 2;
    s.ObjectiveList.Append() = {"Depot", 0, 10, 0};          // exactly at the edge: not painted
    s.ObjectiveList.Append() = {"Bridge", 0, 9.99f, 0};      // just inside
    s.AircraftList.Append() = AircraftAt(5, 0, 2, "", 3);    // friend
    s.AircraftList.Append() = AircraftAt(5, 0, 1, "", 11);   // foe, sector out of 0..7
    s.AircraftList.Append() = AircraftAt(-8, -8, 1, "", 0);  // in the map's corner, beyond zoom
    const std::vector<DrawOp> expected = {
        PictureOp{PictureSet::BullsEye, 0, 2340, 122},
        PictureOp{PictureSet::Friendly, 3, 3450, 2340},
        PictureOp{PictureSet::BadGuy, 3, 3450, 2340},
    };
    EXPECT_EQ(RedrawTacticalView(s, geometry), expected);
}

TEST(TacticalViewTest, ZoomBelowOneShowsTheBareMap) {
    const ViewGeometry geometry;
    SharedSubsAndVar s;
    s.MaxRange = -3;  // the circle would divide by zero at zoom 0
    s.ObjectiveList.Append();
    s.AircraftList.Append();
    for (int16_t zoom : {0, -1, -32768}) {
        s.ZoomLevel = zoom;
        EXPECT_TRUE(RedrawTacticalView(s, geometry).empty()) << zoom;
    }
}

TEST(TacticalViewTest, PointInsideViewButBeyondSixteenBitsIsSkipped) {
    ViewGeometry geometry;
    geometry.ViewWindow.Width = 200000;  // HalfW clamps to 32767
    SharedSubsAndVar s;
    s.ZoomLevel = 10;
    s.MaxRange = 10;
    s.AircraftList.Append() = AircraftAt(9, 0);
    EXPECT_TRUE(RedrawTacticalView(s, geometry).empty());
}

TEST(TacticalViewTest, FriendOrFoe) {
    struct Row {
        const char* name;
        int16_t arenaMode, ownTeam, team;
        const char* ownSquad;
        const char* squad;
        bool isFriend;
    };
    const Row rows[] = {
        {"squadron mode, same squadron", 1, 1, 2, "Hawks", "Hawks", true},
        {"squadron mode, letter case differs", 1, 1, 1, "Hawks", "hawks", false},
        {"squadron mode, empty own squadron", 1, 1, 1, "", "", false},
        {"team mode, same team, other squadron", 0, 3, 3, "Hawks", "Owls", true},
        {"team mode, other team, same squadron", 0, 3, 4, "Hawks", "Hawks", false},
        {"mode 2 compares teams", 2, 3, 3, "", "x", true},
        {"mode -1 compares teams", -1, 3, 4, "", "", false},
    };
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.ArenaMode = r.arenaMode;
        s.OwnTeam = r.ownTeam;
        s.OwnSquad = r.ownSquad;
        EXPECT_EQ(IsFriend(s, AircraftAt(0, 0, r.team, r.squad)), r.isFriend) << r.name;
    }
}

TEST(TacticalViewTest, ZoomSteps) {
    enum Step { In, Out, Range };
    struct Row {
        const char* name;
        int16_t zoom, visibility;
        float maxRange;
        std::vector<Step> steps;
        std::vector<int16_t> zooms;
    };
    const Row rows[] = {
        {"in stops at 1", 2, 10, 4, {In, In}, {1, 1}},
        {"out stops at visibility", 9, 10, 4, {Out, Out}, {10, 10}},
        {"range 2.5 is a tie down to even", 7, 10, 2.5f, {Range}, {2}},
        {"range 3.5 is a tie up to even", 7, 10, 3.5f, {Range}, {4}},
        {"range past visibility", 5, 10, 12, {Range, Out, In, In, In}, {12, 12, 11, 10, 9}},
        {"range below 0.5 gives 0", 5, 10, 0.4f, {Range}, {0}},
        {"range beyond 16 bits clamps", 5, 10, 1e6f, {Range}, {32767}},
        {"negative range beyond 16 bits clamps", 5, 10, -1e6f, {Range}, {-32768}},
        {"out at the 16-bit limit", 32766, 32767, 0, {Out, Out}, {32767, 32767}},
    };
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.ZoomLevel = r.zoom;
        s.Visibility = r.visibility;
        s.MaxRange = r.maxRange;
        std::vector<int16_t> zooms;
        for (Step step : r.steps) {
            step == In ? ZoomIn(s) : step == Out ? ZoomOut(s) : ZoomToRange(s);
            zooms.push_back(s.ZoomLevel);
        }
        EXPECT_EQ(zooms, r.zooms) << r.name;
    }
}

}  // namespace
}  // namespace velmora
