#include "TargetInfo.h"

#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

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
    s.OwnX = 3;
    s.OwnY = -4.25f;
    s.OwnDefeats = -1;
    s.SelectedAircraft = 1;
    const auto shown = CntrFighterPointerMove(s, {});
    ASSERT_TRUE(shown);
    const InfoLabels& u = shown->Labels;
    EXPECT_EQ(shown->Frame, (ControlBox{2345, 2340, 340, 340}));
    EXPECT_EQ((std::vector{*u.InfoAlt.Caption, *u.InfoBear.Caption, *u.InfoX.Caption,
                           *u.InfoY.Caption, *u.InfoDefeats.Caption}),
              (std::vector<std::string>{"Altitude: 3000", "Heading: 90" + kDeg, "X: 3.0",
                                        "Y: -4.25", "Defeats:-1"}));
    EXPECT_EQ(u.InfoAircraft.ToolTipText, "");
    EXPECT_EQ(u.RecordInfoLbl.ForeColor, kYellow);
    for (const LabelUpdate* l :
         {&u.CombatInfoLbl, &u.infoDist, &u.infoForward, &u.InfoElev, &u.infoProb}) {
        EXPECT_EQ(l->ForeColor, kDim);
        EXPECT_FALSE(l->Caption);
    }
    s.SelectedAircraft = 0;  // already shown
    EXPECT_FALSE(CntrFighterPointerMove(s, {}));
}

TEST(TargetInfoTest, ShotRating) {
    struct Row {
        int16_t heading, ownAlt;
        float maxRange;
        double bearing, km;
        int16_t alt;
        const char *dist, *forward, *elevation;
        int16_t score;
        const char* shot;
    } rows[] = {
        {0, 0, 4, 0, 2, 0, "2.0 km  (Target in range)", "Yes", " 0", 2, "Excellent"},
        {0, 0, 4, 90, 2, 0, "2.0 km  (Target in range)", "No", " 0", 41, "Impossible"},
        {0, 0, 2, 40, 1, 1000, "1.0 km  (Target in range)", "Yes", " 17", 7, "Good"},
        {0, 3000, 2, 0, 0.5, 0, "0.5 km  (Target in range)", "Yes", "-61", 3, "Excellent"},
        {0, 6000, 2, 0, 1, 0, "1.0 km  (Target in range)", "Yes", "-61", 34, "Impossible"},
        {350, 0, 4, 10, 1, 0, "1.0 km  (Target in range)", "Yes", " 0", 3, "Excellent"},
        {25, 0, 4, 0, 1, 0, "1.0 km  (Target in range)", "Yes", " 0", 3, "Excellent"},  // 2.5 -> 2
        {0, 0, 4, 60, 1, 0, "1.0 km  (Target in range)", "Yes", " 0", 7, "Good"},
        {0, 0, 4, 61, 1, 0, "1.0 km  (Target in range)", "No", " 0", 37, "Impossible"},
        {0, 0, 4, 0, 0, 0, "0.0 km  (Target in range)", "Yes", " --", 30, "Impossible"},
        {0, 0, 4, 0, 4, 0, "4.0 km  (Target out of range)", "Yes", " 0", 5, "Good"},
        // the two ends of Decent; 4000 ft apart is not yet far apart
        {0, 0, 4, 60, 3, 0, "3.0 km  (Target in range)", "Yes", " 0", 10, "Decent"},
        {0, 0, 1.3f, 50, 1.22, 4000, "1.22 km  (Target in range)", "Yes", " 45", 15, "Decent"},
        {0, 0, 0.1f, 0, 0.1, 0, "0.1 km  (Target out of range)", "Yes", " 0", 0, "Excellent"},
        {0, 0, 0, 0, 1, 0, "1.0 km  (Target out of range)", "Yes", " 0", 30, "Impossible"},
        {0, 32767, 2, 0, 1, -32768, "1.0 km  (Target in range)", "Yes", "-87", 68, "Impossible"},
        {32767, 0, 4, 0, 1, 0, "1.0 km  (Target in range)", "Yes", " 0", 2, "Excellent"},
    };
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.OwnHeading = r.heading;
        s.OwnAltitude = r.ownAlt;
        s.MaxRange = r.maxRange;
        const CombatInfo c = AircraftCombatInfo(s, AircraftAtBearing(r.bearing, r.km, r.alt));
        const std::string elevation = r.elevation + (r.elevation[1] == '-' ? "" : kDeg);
        SCOPED_TRACE(::testing::Message() << r.heading << " " << r.bearing << " " << r.km);
        EXPECT_EQ(c.infoDist, std::string("Distance: ") + r.dist);
        EXPECT_EQ(c.infoForward, std::string("In Forward Line-of-Sight: ") + r.forward);
        EXPECT_EQ(c.InfoElev, "Angle of Elevation:" + elevation);
        EXPECT_EQ(c.Score, r.score);
        EXPECT_EQ(c.infoProb, std::string("Probability: ") + r.shot + " Shot");
    }
}

TEST(TargetInfoTest, ObjectiveLeavesAircraftLabelsDimmed) {
    SharedSubsAndVar s;
    s.OwnAltitude = 2000;
    s.MaxRange = 4;
    const InfoLabels u = ObjectiveLabels(s, {"Depot", 0, 2, 1500.5f});
    EXPECT_EQ((std::vector{*u.PName.Caption, *u.InfoAlt.Caption, *u.InfoBear.Caption,
                           *u.infoDist.Caption, *u.InfoElev.Caption}),
              (std::vector<std::string>{"Depot", "Altitude: 1500.5", "Bearing: 0" + kDeg,
                                        "Distance: 2.0 km  (Target in range)",
                                        "Angle of Elevation:-4" + kDeg}));  // 499.5 ft below
    for (const LabelUpdate* l : {&u.InfoSquad, &u.InfoAircraft, &u.InfoSpeed, &u.RecordInfoLbl,
                                 &u.InfoVictories, &u.InfoDefeats, &u.infoProb}) {
        EXPECT_FALSE(l->Caption);
        EXPECT_EQ(l->ForeColor, kDim);
    }
    EXPECT_EQ(u.InfoElev.Visible, true);
    EXPECT_EQ(u.InfoElev.ForeColor, kYellow);
}

// The main window's geometry, zoom 10: a contact 5 km east is painted at (3450, 2340) in the
// window, which is (3330, 2220) relative to the map picture.
struct PointerFixture {
    SharedSubsAndVar s;
    int16_t lastObjective = 0;
    PointerMoveResult last;
    PointerFixture() { s.ZoomLevel = 10; }
    std::vector<int> MoveTo(float x, float y) {
        last = ViewWindowPointerMove(s, {}, lastObjective, x, y);
        s.SelectedAircraft = last.SelectedAircraft;
        lastObjective = last.LastObjective;
        std::vector<int> shown;  // objectives negative, aircraft positive
        for (const ContactShown& c : last.Shown) {
            shown.push_back(c.IsAircraft ? c.Index : -c.Index);
        }
        return shown;
    }
};

TEST(TargetInfoTest, HitBoxIsThePaintedSquare) {
    PointerFixture f;
    AircraftRecord& a = f.s.AircraftList.Append() = AircraftAtBearing(90, 5, 0);
    a.Name = "Baron";
    a.Pic = "RB";
    a.Plane = "Albatros";
    const std::tuple<float, float, bool> rows[] = {
        {3331, 2221, true}, {3689, 2579, true}, {3330, 2300, false}, {3400, 2580, false}};
    for (const auto& [x, y, hit] : rows) {
        f.s.SelectedAircraft = 0;
        EXPECT_EQ(f.MoveTo(x, y).size(), hit ? 1u : 0u) << x << "," << y;
    }
    f.s.SelectedAircraft = 0;
    ASSERT_EQ(f.MoveTo(3400, 2300).size(), 1u);
    const ContactShown& c = f.last.Shown[0];
    EXPECT_EQ(c.Frame, (ControlBox{3450, 2340, 340, 340}));
    EXPECT_EQ(c.Picture, (PictureOp{PictureSet::Friendly, 0, 3450, 2340}));
    EXPECT_EQ(f.last.Labels.PName.Caption, "Baron (RB)");
    EXPECT_EQ(f.last.Labels.InfoAircraft.ToolTipText, "Aircraft: Albatros");
    EXPECT_EQ(f.last.Labels.infoProb.ForeColor, kYellow);
}

TEST(TargetInfoTest, PointerMoveHoldsAndLastShownWins) {
    PointerFixture f;
    f.s.ObjectiveList.Append() = {"A", 5, 0, 0};
    f.s.ObjectiveList.Append() = {"B", 5, 0, 0};
    f.s.AircraftList.Append() = AircraftAtBearing(90, 5, 0);
    f.s.AircraftList.Append() = AircraftAtBearing(90, 5, 0);
    f.s.AircraftList.Append() = AircraftAtBearing(180, 1, 0);  // elsewhere
    f.s.AircraftList(2).Name = "Second";
    f.s.AircraftList(2).Altitude = 1000;
    EXPECT_EQ(f.MoveTo(3400, 2300), (std::vector<int>{-1, -2, 1, 2}));
    EXPECT_EQ(f.lastObjective, 0);
    // The labels end as if each contact had been shown in turn: the last aircraft's captions,
    // and the labels only objectives change (none) as the last objective left them.
    const InfoLabels& u = f.last.Labels;
    EXPECT_EQ(u.PName.Caption, "Second ()");
    EXPECT_EQ(u.InfoAlt.Caption, "Altitude: 1000");
    EXPECT_EQ(u.InfoSquad.ForeColor, kYellow);  // dimmed by the objectives, shown again
    EXPECT_EQ(u.infoProb.Visible, true);
    EXPECT_TRUE(f.MoveTo(3410, 2310).empty());  // held by aircraft 2
    EXPECT_EQ(f.s.SelectedAircraft, 2);

    f.s.AircraftList.Clear();
    f.s.SelectedAircraft = 7;  // beyond the list: no hold, no indexing
    EXPECT_EQ(f.MoveTo(3400, 2300), (std::vector<int>{-1, -2}));
    EXPECT_EQ(f.s.SelectedAircraft, -1);
    EXPECT_EQ(f.last.Labels.PName.Caption, "B");
    EXPECT_EQ(f.last.Labels.InfoSquad.ForeColor, kDim);
    EXPECT_FALSE(f.last.Labels.InfoSquad.Caption.has_value());    // kept as it was
    EXPECT_EQ(f.MoveTo(3400, 2300), (std::vector<int>{-1, -2}));  // two objectives never hold
    EXPECT_EQ(f.lastObjective, 2);
    f.s.ObjectiveList.Append() = {"C", -5, 0, 0};
    EXPECT_EQ(f.MoveTo(1120, 2300), (std::vector<int>{-3}));
    EXPECT_TRUE(f.MoveTo(1130, 2300).empty());  // one objective holds itself
    EXPECT_TRUE(f.MoveTo(2400, 2400).empty());  // empty map
}

TEST(TargetInfoTest, PointerFindsContactsTheViewCannotPaint) {
    PointerFixture f;
    f.s.AircraftList.Append() = AircraftAtBearing(45, 12, 0);           // in the map's corner
    f.s.AircraftList.Append() = AircraftAtBearing(90, 1e6, 0);          // beyond 16 bits
    EXPECT_EQ(f.MoveTo(4224 - 100, 456 - 100), (std::vector<int>{1}));  // painted at 4224, 456
    f.s.SelectedAircraft = 0;
    for (int16_t zoom : {0, -4}) {
        f.s.ZoomLevel = zoom;
        EXPECT_TRUE(f.MoveTo(4124, 356).empty()) << zoom;
        EXPECT_EQ(f.s.SelectedAircraft, 0);
    }
}

}  // namespace
}  // namespace velmora
