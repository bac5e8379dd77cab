#include "TacticalView.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(TacticalViewTest, PlacesMapPoints) {
    struct Row {
        const char* name;
        int16_t zoom;
        float ownX, ownY, x, y;
        int16_t px, py, left, top;
    } rows[] = {
        {"5 km east at zoom 10", 10, 0, 0, 5, 0, 1110, 0, 3450, 2340},
        {"own aircraft off the origin", 10, 10, -4, 15, -4, 1110, 0, 3450, 2340},
        {"277.5 rounds up to even", 8, 0, 0, 1, 0, 278, 0, 2618, 2340},
        {"-832.5 rounds down to even", 8, 0, 0, -3, 0, -832, 0, 1508, 2340},
    };
    const ViewGeometry g;
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.ZoomLevel = r.zoom;
        s.OwnX = r.ownX;
        s.OwnY = r.ownY;
        const auto p = PlaceMapPoint(s, g, DrawingHalves(g), r.x, r.y);
        ASSERT_TRUE(p) << r.name;
        EXPECT_EQ((std::vector<int>{p->Px, p->Py, p->Left, p->Top}),
                  (std::vector<int>{r.px, r.py, r.left, r.top}))
            << r.name;
    }
}

TEST(TacticalViewTest, PassesOverWhatItCannotPlace) {
    ViewGeometry g;
    SharedSubsAndVar s;
    s.MaxRange = -3;  // the circle would divide by zero at zoom 0
    s.AircraftList.Append();
    for (int16_t zoom : {0, -1, -32768}) {
        s.ZoomLevel = zoom;
        EXPECT_FALSE(PlaceMapPoint(s, g, DrawingHalves(g), 0, 0)) << zoom;
        EXPECT_TRUE(RedrawTacticalView(s, g).empty()) << zoom;
    }
    s.ZoomLevel = 1;
    EXPECT_FALSE(PlaceMapPoint(s, g, DrawingHalves(g), 15, 0));  // px 33300
    EXPECT_TRUE(PlaceMapPoint(s, g, DrawingHalves(g), 13, 0));   // left 31200

    s.ZoomLevel = 10;
    s.AircraftList(1).X = 9;
    g.ViewWindow.Width = 200000;  // inside the view, but its corner is past 16 bits
    EXPECT_TRUE(RedrawTacticalView(s, g).empty());
}

TEST(TacticalViewTest, RangeCircleOnlyWhenViewReachesPastRange) {
    SharedSubsAndVar s;
    s.ZoomLevel = 10;
    s.MaxRange = 4;
    EXPECT_EQ(RedrawTacticalView(s, {}),
              std::vector<DrawOp>{(CircleOp{2525, 2520, 888, {80, 80, 74}})});
    for (float range : {10.0f, -4.0f}) {
        s.MaxRange = range;
        EXPECT_TRUE(RedrawTacticalView(s, {}).empty()) << range;
    }
}

TEST(TacticalViewTest, PaintsObjectivesThenAircraftInsideZoomOnly) {
    SharedSubsAndVar s;
    s.ZoomLevel = 10;
    s.MaxRange = 10;
    s.OwnTeam = 2;
    s.ObjectiveList.Append() = {"at the edge", 0, 10, 0};
    s.ObjectiveList.Append() = {"just inside", 0, 9.99f, 0};
    s.AircraftList.Append() = AircraftAt(5, 0, 2, 3);
    s.AircraftList.Append() = AircraftAt(5, 0, 1, 11);  // sector outside 0..7
    s.AircraftList.Append() = AircraftAt(-8, -8);       // in the map's corner, beyond zoom
    const std::vector<DrawOp> expected = {
        PictureOp{PictureSet::BullsEye, 0, 2340, 122},
        PictureOp{PictureSet::Friendly, 3, 3450, 2340},
        PictureOp{PictureSet::BadGuy, 3, 3450, 2340},
    };
    EXPECT_EQ(RedrawTacticalView(s, {}), expected);
}

TEST(TacticalViewTest, FriendOrFoe) {
    struct Row {
        int16_t arenaMode, ownTeam, team;
        const char *ownSquad, *squad;
        bool isFriend;
    } rows[] = {
        {1, 1, 2, "Hawks", "Hawks", true},  {1, 1, 1, "Hawks", "hawks", false},
        {1, 1, 1, "", "", false},           {0, 3, 3, "Hawks", "Owls", true},
        {0, 3, 4, "Hawks", "Hawks", false}, {2, 3, 3, "", "x", true},
    };
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.ArenaMode = r.arenaMode;
        s.OwnTeam = r.ownTeam;
        s.OwnSquad = r.ownSquad;
        AircraftRecord a = AircraftAt(0, 0, r.team);
        a.Squad = r.squad;
        EXPECT_EQ(IsFriend(s, a), r.isFriend) << r.arenaMode << " " << r.ownSquad << r.squad;
    }
}

TEST(TacticalViewTest, ZoomSteps) {
    enum Step { In, Out, Range };
    // Range steps first set MaxRange to the row's value.
    const struct {
        Step step;
        float maxRange;
        int16_t zoom;
    } script[] = {{In, 0, 1},      {In, 0, 1},       {Range, 2.5f, 2},     {Range, 3.5f, 4},
                  {Range, 12, 12}, {Out, 0, 12},     {In, 0, 11},          {In, 0, 10},
                  {Out, 0, 10},    {Range, 0.4f, 0}, {Range, 1e6f, 32767}, {Out, 0, 32767}};
    SharedSubsAndVar s;
    s.ZoomLevel = 2;
    s.Visibility = 10;
    for (const auto& row : script) {
        if (row.step == Range) {
            s.MaxRange = row.maxRange;
        }
        if (row.step == In) {
            ZoomIn(s);
        } else if (row.step == Out) {
            ZoomOut(s);
        } else {
            ZoomToRange(s);
        }
        EXPECT_EQ(s.ZoomLevel, row.zoom) << &row - script;
    }
}

}  // namespace
}  // namespace velmora
