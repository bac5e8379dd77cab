#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

using Info = MainWindowTest;

const QString kDegree = QString::fromUtf8("\xC2\xB0");

// Own aircraft heading east; an aircraft dead ahead 2 km away at the same altitude, and an
// objective 3 km north.
const std::string kContacts =
    "VISIBILITY=10\r\nMAXRANGE=4\r\nX=12.5\r\nY=-4.25\r\nHEADING=90\r\nALTITUDE=3000\r\n"
    "AIRSPEED=250\r\nSQUAD=Hawks\r\nAIRCRAFT=Kestrel\r\nVICTORIES=7\r\nDEFEATS=0\r\n"
    "[AIRCRAFT]\r\nNAME=Ilse\r\nPIC=IM\r\nSQUAD=Vipers\r\nX=14.5\r\nY=-4.25\r\n"
    "ALTITUDE=3000\r\nAIRSPEED=300\r\nPLANE=Harrow\r\nPVICTORIES=5\r\nPDEFEATS=-3\r\n"
    "[ENDAIRCRAFT]\r\n"
    "[OBJECTIVE]\r\nONAME=Radar Hill\r\nOX=12.5\r\nOY=-1.25\r\nOALT=1500.5\r\n[ENDOBJECTIVE]\r\n";

struct Expected {
    Label GUIForm::*label;
    const char* caption;
    bool yellow;
};

void expectLabels(GUIForm& f, std::initializer_list<Expected> rows, const char* shown) {
    for (const Expected& row : rows) {
        const Label& label = f.*row.label;
        EXPECT_EQ(text(label), QString::fromUtf8(row.caption)) << shown;
        EXPECT_EQ(colour(label), row.yellow ? kShown : kDimmed) << shown << ": " << row.caption;
    }
}

TEST_F(Info, OwnAircraftThenEachKindOfContact) {
    GUIForm& f = Start();
    Open(WriteTurn("contacts.smv", kContacts));
    expectLabels(f,
                 {{&GUIForm::PName, "Your Aircraft", true},
                  {&GUIForm::InfoSquad, "Squadron: Hawks", true},
                  {&GUIForm::InfoAircraft, "Aircraft: Kestrel", true},
                  {&GUIForm::InfoSpeed, "Airspeed: 250", true},
                  {&GUIForm::InfoAlt, "Altitude: 3000", true},
                  {&GUIForm::InfoBear, "Heading: 90\xC2\xB0", true},
                  {&GUIForm::InfoX, "X: 12.5", true},
                  {&GUIForm::InfoY, "Y: -4.25", true},
                  {&GUIForm::RecordInfoLbl, "Record", true},
                  {&GUIForm::InfoVictories, "Victories: 7", true},
                  {&GUIForm::InfoDefeats, "Defeats: 0", true},
                  {&GUIForm::CombatInfoLbl, "Combat Info", false},
                  {&GUIForm::infoDist, "Distance:", false},
                  {&GUIForm::infoForward, "In Forward Line-of-Sight:", false},
                  {&GUIForm::InfoElev, "Angle of Elevation:", false},
                  {&GUIForm::infoProb, "Probability:", false}},
                 "own aircraft");

    // The aircraft 2 km east: painted at (2340 + 444, 2340).
    PointAt(2784, 2340);
    expectLabels(f,
                 {{&GUIForm::PName, "Ilse (IM)", true},
                  {&GUIForm::InfoSquad, "Squadron: Vipers", true},
                  {&GUIForm::InfoAircraft, "Aircraft: Harrow", true},
                  {&GUIForm::InfoSpeed, "Airspeed: 300", true},
                  {&GUIForm::InfoBear, "Bearing: 90\xC2\xB0", true},
                  {&GUIForm::InfoX, "X: 14.5", true},
                  {&GUIForm::InfoDefeats, "Defeats:-3", true},
                  {&GUIForm::CombatInfoLbl, "Combat Info", true},
                  {&GUIForm::infoDist, "Distance: 2.0 km  (Target in range)", true},
                  {&GUIForm::infoForward, "In Forward Line-of-Sight: Yes", true},
                  {&GUIForm::InfoElev, "Angle of Elevation: 0\xC2\xB0", true},
                  {&GUIForm::infoProb, "Probability: Excellent Shot", true}},
                 "aircraft");
    EXPECT_EQ(f.InfoAircraft.Widget()->toolTip(), "Aircraft: Harrow");
    EXPECT_EQ(pixel(f, twipsToPixels(2784), 156), kShown) << "the yellow frame on the contact";

    // The objective 3 km north: painted at (2340, 2340 - 666).
    PointAt(2340, 1674);
    expectLabels(f,
                 {{&GUIForm::PName, "Radar Hill", true},
                  {&GUIForm::InfoSquad, "Squadron: Vipers", false},
                  {&GUIForm::InfoAircraft, "Aircraft: Harrow", false},
                  {&GUIForm::InfoSpeed, "Airspeed: 300", false},
                  {&GUIForm::InfoAlt, "Altitude: 1500.5", true},
                  {&GUIForm::InfoBear, "Bearing: 0\xC2\xB0", true},
                  {&GUIForm::InfoY, "Y: -1.25", true},
                  {&GUIForm::RecordInfoLbl, "Record", false},
                  {&GUIForm::InfoVictories, "Victories: 5", false},
                  {&GUIForm::infoDist, "Distance: 3.0 km  (Target in range)", true},
                  {&GUIForm::infoForward, "In Forward Line-of-Sight: No", true},
                  {&GUIForm::infoProb, "Probability: Excellent Shot", false}},
                 "objective");

    // Back over the own icon, and a second move there changes nothing.
    mouse().move(2525, 2520);
    expectLabels(f,
                 {{&GUIForm::PName, "Your Aircraft", true},
                  {&GUIForm::InfoSquad, "Squadron: Hawks", true},
                  {&GUIForm::infoDist, "Distance: 3.0 km  (Target in range)", false},
                  {&GUIForm::infoProb, "Probability: Excellent Shot", false}},
                 "own aircraft again");
    EXPECT_EQ(f.InfoAircraft.Widget()->toolTip(), "");
    const QImage before = f.Surface();
    mouse().move(2530, 2525);
    EXPECT_EQ(f.Surface(), before);
}

TEST_F(Info, ShotClasses) {
    // Own aircraft at the origin heading north at 10000 feet; the view reaches 2 km.
    const struct {
        const char* x;
        const char* y;
        const char* altitude;
        const char* maxRange;
        const char* shot;
    } rows[] = {
        {"0", "1", "10000", "2", "Excellent Shot"},           // 0 + 0 + 2
        {"0.642788", "0.766044", "11000", "2", "Good Shot"},  // 4 + 1 + 2
        {"0.5", "0.866025", "13280", "1.2", "Decent Shot"},   // 3 + 5 + 4
        {"1", "0", "10000", "2", "Impossible Shot"},          // 30 + 9 + 2
    };
    for (const auto& row : rows) {
        GUIForm& f = Start();
        Open(WriteTurn("shot.smv", std::string("VISIBILITY=2\r\nX=0\r\nY=0\r\nHEADING=0\r\n") +
                                       "ALTITUDE=10000\r\nMAXRANGE=" + row.maxRange +
                                       "\r\n[AIRCRAFT]\r\nNAME=Target\r\nX=" + row.x +
                                       "\r\nY=" + row.y + "\r\nALTITUDE=" + row.altitude +
                                       "\r\n[ENDAIRCRAFT]\r\n"));
        // 1110 twips to the kilometre from the map's centre (2520, 2520).
        mouse().move(2520 + std::stof(row.x) * 1110, 2520 - std::stof(row.y) * 1110);
        EXPECT_EQ(text(f.infoProb), QStringLiteral("Probability: ") + row.shot);
        f.Unload();
        settle();
    }
}

}  // namespace
}  // namespace velmora::test
