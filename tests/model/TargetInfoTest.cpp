#include "TargetInfo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace velmora {
namespace {

const std::string kDeg = "\xC2\xB0";
const RgbColor kYellow{255, 255, 0};
const RgbColor kDim{64, 64, 0};

// An aircraft seen from the origin at the given bearing and distance.
AircraftRecord AircraftAtBearing(double bearing, double km, int16_t altitude) {
    AircraftRecord a;
    a.X = static_cast<float>(km * std::sin(bearing * std::numbers::pi / 180));
    a.Y = static_cast<float>(km * std::cos(bearing * std::numbers::pi / 180));
    a.Altitude = altitude;
    return a;
}

TEST(TargetInfoTest, OwnAircraftCaptionsAndColours) {
    SharedSubsAndVar s;
    s.OwnHeading = 90;
    s.OwnAltitude = 3000;
    s.OwnAirspeed = 250;
    s.OwnX = 12.5f;
    s.OwnY = -4.25f;
    s.OwnSquad = "Hawks";
    s.OwnAircraftType = "Spad";
    s.OwnVictories = 3;
    s.OwnDefeats = -1;
    s.SelectedAircraft = 1;
    ASSERT_TRUE(CntrFighterPointerMove(s, ViewGeometry{}));
    const OwnAircraftShown shown = *CntrFighterPointerMove(s, ViewGeometry{});
    const InfoLabels& u = shown.Labels;
    EXPECT_EQ(shown.Frame, (FrameBox{2345, 2340, 340, 340}));
    EXPECT_EQ(u.PName.Caption, "Your Aircraft");
    EXPECT_EQ(u.InfoSquad.Caption, "Squadron: Hawks");
    EXPECT_EQ(u.InfoAircraft.Caption, "Aircraft: Spad");
    EXPECT_EQ(u.InfoAircraft.ToolTipText, "");
    EXPECT_EQ(u.InfoSpeed.Caption, "Airspeed: 250");
    EXPECT_EQ(u.InfoAlt.Caption, "Altitude: 3000");
    EXPECT_EQ(u.InfoBear.Caption, "Heading: 90" + kDeg);
    EXPECT_EQ(u.InfoX.Caption, "X: 12.5");
    EXPECT_EQ(u.InfoY.Caption, "Y: -4.25");
    EXPECT_EQ(u.InfoVictories.Caption, "Victories: 3");
    EXPECT_EQ(u.InfoDefeats.Caption, "Defeats:-1");
    EXPECT_EQ(u.RecordInfoLbl.ForeColor, kYellow);
    for (const LabelUpdate* l :
         {&u.CombatInfoLbl, &u.infoDist, &u.infoForward, &u.InfoElev, &u.infoProb}) {
        EXPECT_EQ(l->ForeColor, kDim);
        EXPECT_FALSE(l->Caption);
    }

    s.OwnHeading = -5;
    s.OwnX = 3;
    EXPECT_EQ(OwnAircraftLabels(s).InfoBear.Caption, "Heading:-5" + kDeg);
    EXPECT_EQ(OwnAircraftLabels(s).InfoX.Caption, "X: 3.0");
    s.SelectedAircraft = 0;
    EXPECT_FALSE(CntrFighterPointerMove(s, ViewGeometry{}));
}

TEST(TargetInfoTest, ShotRating) {
    struct Row {
        const char* name;
        int16_t heading, ownAltitude;
        float maxRange;
        AircraftRecord target;
        std::string dist;
        const char* forward;
        std::string elevation;
        int16_t score;
        const char* shot;
    };
    const std::string in = " km  (Target in range)";
    const std::string out = " km  (Target out of range)";
    const Row rows[] = {
        {"dead ahead, level, 2 km", 0, 0, 4, AircraftAtBearing(0, 2, 0), "2.0" + in, "Yes",
         " 0" + kDeg, 2, "Excellent Shot"},
        {"abeam", 0, 0, 4, AircraftAtBearing(90, 2, 0), "2.0" + in, "No", " 0" + kDeg, 41,
         "Impossible Shot"},
        {"climb of 1000 ft at bearing 40", 0, 0, 2, AircraftAtBearing(40, 1, 1000), "1.0" + in,
         "Yes", " 17" + kDeg, 7, "Good Shot"},
        {"dive of 3000 ft", 0, 3000, 2, AircraftAtBearing(0, 0.5, 0), "0.5" + in, "Yes",
         "-61" + kDeg, 3, "Excellent Shot"},
        {"dive of 6000 ft", 0, 6000, 2, AircraftAtBearing(0, 1, 0), "1.0" + in, "Yes", "-61" + kDeg,
         34, "Impossible Shot"},
        {"across north: heading 350, bearing 10", 350, 0, 4, AircraftAtBearing(10, 1, 0),
         "1.0" + in, "Yes", " 0" + kDeg, 3, "Excellent Shot"},
        {"25 degrees off: 2.5 points round to 2", 25, 0, 4, AircraftAtBearing(0, 1, 0), "1.0" + in,
         "Yes", " 0" + kDeg, 3, "Excellent Shot"},
        {"60 degrees off is ahead", 0, 0, 4, AircraftAtBearing(60, 1, 0), "1.0" + in, "Yes",
         " 0" + kDeg, 7, "Good Shot"},
        {"61 degrees off is not", 0, 0, 4, AircraftAtBearing(61, 1, 0), "1.0" + in, "No",
         " 0" + kDeg, 37, "Impossible Shot"},
        {"at the own position", 0, 0, 4, AircraftAtBearing(0, 0, 0), "0.0" + in, "Yes", " --", 30,
         "Impossible Shot"},
        {"at the own position, negative range", 0, 0, -1, AircraftAtBearing(0, 0, 0), "0.0" + out,
         "Yes", " --", 60, "Impossible Shot"},
        {"exactly at weapon range", 0, 0, 4, AircraftAtBearing(0, 4, 0), "4.0" + out, "Yes",
         " 0" + kDeg, 5, "Good Shot"},
        {"no weapon range", 0, 0, 0, AircraftAtBearing(0, 1, 0), "1.0" + out, "Yes", " 0" + kDeg,
         30, "Impossible Shot"},
        {"altitudes beyond 16 bits apart", 0, 32767, 2, AircraftAtBearing(0, 1, -32768), "1.0" + in,
         "Yes", "-87" + kDeg, 68, "Impossible Shot"},
        {"heading far outside 0..359", 32767, 0, 4, AircraftAtBearing(0, 1, 0), "1.0" + in, "Yes",
         " 0" + kDeg, 2, "Excellent Shot"},
    };
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.OwnHeading = r.heading;
        s.OwnAltitude = r.ownAltitude;
        s.MaxRange = r.maxRange;
        const CombatInfo c = AircraftCombatInfo(s, r.target);
        EXPECT_EQ(c.infoDist, "Distance: " + r.dist) << r.name;
        EXPECT_EQ(c.infoForward, std::string("In Forward Line-of-Sight: ") + r.forward) << r.name;
        EXPECT_EQ(c.InfoElev, "Angle of Elevation:" + r.elevation) << r.name;
        EXPECT_EQ(c.Score, r.score) << r.name;
        EXPECT_EQ(c.infoProb, std::string("Probability: ") + r.shot) << r.name;
    }
}

TEST(TargetInfoTest, ObjectiveLeavesAircraftLabelsDimmed) {
    SharedSubsAndVar s;
    s.OwnAltitude = 2000;
    s.MaxRange = 4;
    const ObjectiveRecord depot{"Depot", 0, 2, 1500.5f};
    const InfoLabels u = ObjectiveLabels(s, depot);
    EXPECT_EQ(u.PName.Caption, "Depot");
    EXPECT_EQ(u.InfoAlt.Caption, "Altitude: 1500.5");
    EXPECT_EQ(u.InfoBear.Caption, "Bearing: 0" + kDeg);
    EXPECT_EQ(u.InfoX.Caption, "X: 0.0");
    EXPECT_EQ(u.InfoY.Caption, "Y: 2.0");
    EXPECT_EQ(u.infoDist.Caption, "Distance: 2.0 km  (Target in range)");
    EXPECT_EQ(u.InfoElev.Caption, "Angle of Elevation:-4" + kDeg);  // 499.5 ft below, 2 km
    for (const LabelUpdate* l : {&u.InfoSquad, &u.InfoAircraft, &u.InfoSpeed, &u.RecordInfoLbl,
                                 &u.InfoVictories, &u.InfoDefeats, &u.infoProb}) {
        EXPECT_FALSE(l->Caption);
        EXPECT_EQ(l->ForeColor, kDim);
    }
    EXPECT_FALSE(u.PName.ForeColor);  // never dimmed, so left yellow
    EXPECT_EQ(u.InfoElev.Visible, true);
    EXPECT_EQ(u.InfoElev.ForeColor, kYellow);
}

TEST(TargetInfoTest, AircraftCaptionsTooltipAndVisibility) {
    SharedSubsAndVar s;
    AircraftRecord a = AircraftAtBearing(90, 3, 1200);
    a.Name = "Baron";
    a.Pic = "RB";
    a.Squad = "Jasta";
    a.Plane = "Albatros";
    a.Airspeed = 110;
    a.Victories = 12;
    const InfoLabels u = AircraftLabels(s, a);
    EXPECT_EQ(u.PName.Caption, "Baron (RB)");
    EXPECT_EQ(u.InfoAircraft.Caption, "Aircraft: Albatros");
    EXPECT_EQ(u.InfoAircraft.ToolTipText, "Aircraft: Albatros");
    EXPECT_EQ(u.InfoAircraft.Visible, true);
    EXPECT_EQ(u.InfoBear.Caption, "Bearing: 90" + kDeg);
    EXPECT_EQ(u.InfoVictories.Caption, "Victories: 12");
    EXPECT_EQ(u.infoProb.Visible, true);
    EXPECT_EQ(u.infoProb.ForeColor, kYellow);
}

// Design geometry, zoom 10: a contact 5 km east is painted at (3450, 2340) in the window,
// which is (3330, 2220) relative to the map picture.
struct PointerFixture {
    SharedSubsAndVar s;
    ViewGeometry g;
    int16_t lastObjective = 0;
    PointerFixture() { s.ZoomLevel = 10; }
    std::vector<int> MoveTo(float x, float y) {
        const PointerMoveResult r = ViewWindowPointerMove(s, g, lastObjective, x, y);
        s.SelectedAircraft = r.SelectedAircraft;
        lastObjective = r.LastObjective;
        std::vector<int> shown;  // objectives negative, aircraft positive
        for (const ContactShown& c : r.Shown) {
            shown.push_back(c.IsAircraft ? c.Index : -c.Index);
        }
        return shown;
    }
};

TEST(TargetInfoTest, HitBoxIsThePaintedSquare) {
    struct Row {
        float x, y;
        bool hit;
    };
    const Row rows[] = {{3331, 2221, true},  {3689, 2579, true},  {3330, 2300, false},
                        {3690, 2300, false}, {3400, 2220, false}, {3400, 2580, false}};
    for (const Row& r : rows) {
        PointerFixture f;
        f.s.AircraftList.Append() = AircraftAtBearing(90, 5, 0);
        EXPECT_EQ(f.MoveTo(r.x, r.y).size(), r.hit ? 1u : 0u) << r.x << "," << r.y;
    }
    PointerFixture f;
    f.s.AircraftList.Append() = AircraftAtBearing(90, 5, 0);
    const PointerMoveResult r = ViewWindowPointerMove(f.s, f.g, 0, 3400, 2300);
    ASSERT_EQ(r.Shown.size(), 1u);
    EXPECT_EQ(r.Shown[0].Frame, (FrameBox{3450, 2340, 340, 340}));
    EXPECT_EQ(r.Shown[0].Picture, (PictureOp{PictureSet::Friendly, 0, 3450, 2340}));
}

TEST(TargetInfoTest, PointerMoveHoldsAndLastShownWins) {
    PointerFixture f;
    f.s.ObjectiveList.Append() = {"A", 5, 0, 0};
    f.s.ObjectiveList.Append() = {"B", 5, 0, 0};
    f.s.AircraftList.Append() = AircraftAtBearing(90, 5, 0);
    f.s.AircraftList.Append() = AircraftAtBearing(90, 5, 0);
    f.s.AircraftList.Append() = AircraftAtBearing(180, 1, 0);  // 1 km south, elsewhere
    EXPECT_EQ(f.MoveTo(3400, 2300), (std::vector<int>{-1, -2, 1, 2}));
    EXPECT_EQ(f.s.SelectedAircraft, 2);
    EXPECT_EQ(f.lastObjective, 0);
    EXPECT_TRUE(f.MoveTo(3410, 2310).empty());  // held by aircraft 2

    f.s.AircraftList.Clear();
    f.s.SelectedAircraft = 7;  // beyond the list: no hold, no indexing
    EXPECT_EQ(f.MoveTo(3400, 2300), (std::vector<int>{-1, -2}));
    EXPECT_EQ(f.s.SelectedAircraft, -1);
    EXPECT_EQ(f.lastObjective, 2);
    EXPECT_EQ(f.MoveTo(3400, 2300), (std::vector<int>{-1, -2}));  // objectives never hold
    f.s.ObjectiveList.Append() = {"C", -5, 0, 0};
    EXPECT_EQ(f.MoveTo(1120, 2300), (std::vector<int>{-3}));
    EXPECT_TRUE(f.MoveTo(1130, 2300).empty());  // C is the objective shown
    EXPECT_TRUE(f.MoveTo(2400, 2400).empty());  // empty map
}

TEST(TargetInfoTest, PointerFindsContactsTheViewCannotPaint) {
    PointerFixture f;
    f.s.AircraftList.Append() = AircraftAtBearing(45, 12, 0);   // in the map's corner
    f.s.AircraftList.Append() = AircraftAtBearing(90, 1e6, 0);  // beyond 16 bits
    const auto p =
        PlaceMapPoint(f.s, f.g, HitTestHalves(f.g), f.s.AircraftList(1).X, f.s.AircraftList(1).Y);
    ASSERT_TRUE(p);
    EXPECT_EQ(f.MoveTo(p->Left - 100, p->Top - 100), (std::vector<int>{1}));
    f.s.SelectedAircraft = 0;
    for (int16_t zoom : {0, -4}) {
        f.s.ZoomLevel = zoom;
        EXPECT_TRUE(f.MoveTo(p->Left - 100, p->Top - 100).empty()) << zoom;
        EXPECT_EQ(f.s.SelectedAircraft, 0);
    }
}

}  // namespace
}  // namespace velmora
