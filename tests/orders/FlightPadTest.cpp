#include "FlightPad.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct StepRow {
    const char* name;
    PadArrow arrow;
    bool doubleClick;  // Click then DblClick, as the platform delivers a double click
    int16_t ceiling;
    int16_t start;
    int16_t afterClick;
    int16_t afterDblClick;
};

int16_t& orderValue(SharedSubsAndVar& s, PadArrow arrow) {
    switch (arrow) {
        case PadArrow::HeadLeft:
        case PadArrow::HeadRight:
            return s.OrderHeading;
        case PadArrow::AltUp:
        case PadArrow::AltDown:
            return s.OrderAltitude;
        default:
            return s.OrderThrottle;
    }
}

TEST(FlightPad, ArrowStepsWrapAndClamp) {
    using enum PadArrow;
    const StepRow rows[] = {
        {"heading left from 0", HeadLeft, false, 5000, 0, 359, 0},
        {"heading right from 359", HeadRight, false, 5000, 359, 0, 0},
        {"heading double right from 355", HeadRight, true, 5000, 355, 356, 6},
        {"heading double left from 5", HeadLeft, true, 5000, 5, 4, 354},
        {"heading 32767 wraps from the true sum", HeadRight, true, 0, 32767, 8, 18},
        {"heading -32768 wraps from the true sum", HeadLeft, false, 0, -32768, 351, 351},
        {"altitude up to the ceiling", AltUp, true, 5000, 4950, 5000, 5000},
        {"altitude down to 100", AltDown, true, 5000, 150, 100, 100},
        {"altitude double up", AltUp, true, 20000, 3000, 3100, 4100},
        {"ceiling 50 gives 100", AltDown, false, 50, 3000, 100, 100},
        {"ceiling 0 gives 100", AltUp, false, 0, 0, 100, 100},
        {"negative ceiling gives 100", AltUp, true, -300, 100, 100, 100},
        {"altitude at the 16-bit top", AltUp, true, 32767, 32000, 32100, 32767},
        {"altitude at the 16-bit bottom", AltDown, true, 32767, -32768, 100, 100},
        {"odd ceiling 32001", AltUp, true, 32001, 31950, 32001, 32001},
        {"throttle double up from 90", ThrottleUp, true, 0, 90, 100, 100},
        {"throttle down from 0", ThrottleDown, false, 0, 0, 0, 0},
        {"throttle double down", ThrottleDown, true, 0, 55, 45, 35},
        {"throttle at the 16-bit top", ThrottleUp, false, 0, 32767, 100, 100},
        {"throttle at the 16-bit bottom", ThrottleDown, false, 0, -32768, 0, 0},
    };
    for (const StepRow& r : rows) {
        SharedSubsAndVar s;
        s.Ceiling = r.ceiling;
        orderValue(s, r.arrow) = r.start;
        StepArrow(s, r.arrow, ArrowEvent::Click);
        EXPECT_EQ(orderValue(s, r.arrow), r.afterClick) << r.name;
        if (r.doubleClick) {
            StepArrow(s, r.arrow, ArrowEvent::DblClick);
            EXPECT_EQ(orderValue(s, r.arrow), r.afterDblClick) << r.name;
        }
    }
}

TEST(FlightPad, LoadClampsAndClearsMarks) {
    SharedSubsAndVar s;
    s.Ceiling = 5000;
    s.OrderHeading = -5;  // a file's heading is shown as it stands
    s.OrderAltitude = 0;
    s.OrderThrottle = 120;
    PadChecks checks;
    checks.BailOut = checks.RadioTeam = checks.Commands[4] = true;
    LoadPadState(s, checks);
    EXPECT_EQ(s.OrderHeading, -5);
    EXPECT_EQ(s.OrderAltitude, 100);
    EXPECT_EQ(s.OrderThrottle, 100);
    EXPECT_FALSE(checks.BailOut || checks.RadioTeam || checks.Commands[4]);

    EXPECT_EQ(HeadingCaption(90), "Heading: 90");
    EXPECT_EQ(HeadingCaption(-5), "Heading:-5");
    EXPECT_EQ(AltitudeCaption(32767), "Altitude: 32767");
    EXPECT_EQ(ThrottleCaption(0), "Throttle: 0");
}

TEST(FlightPad, ManeuverMarks) {
    PadChecks c;
    PickImmelmann(c);
    PickSplitS(c);
    EXPECT_TRUE(c.SplitS);
    EXPECT_FALSE(c.Immelmann);
    PickSplitS(c);
    EXPECT_FALSE(c.SplitS || c.Immelmann);
    PickSplitS(c);
    PickImmelmann(c);
    EXPECT_TRUE(c.Immelmann);
    EXPECT_FALSE(c.SplitS);
    PickBailOut(c);
    EXPECT_TRUE(c.BailOut && c.Immelmann);
    PickBailOut(c);
    EXPECT_FALSE(c.BailOut);
}

SharedSubsAndVar withCommands(int n) {
    SharedSubsAndVar s;
    for (int i = 1; i <= n; ++i) {
        s.Commands.Append().Name = "Cmd" + std::to_string(i);
    }
    return s;
}

TEST(FlightPad, CustomCommandItems) {
    EXPECT_EQ(PadCommandCaptions(withCommands(3)),
              (std::vector<std::string>{"Cmd1", "Cmd2", "Cmd3"}));
    EXPECT_EQ(PadCommandCaptions(withCommands(7)).size(), 5u);
    EXPECT_TRUE(PadCommandCaptions(SharedSubsAndVar{}).empty());

    SharedSubsAndVar s = withCommands(3);
    PadChecks c;
    EXPECT_TRUE(PickCustomCommand(s, c, 1));
    EXPECT_EQ(s.CurrentCommand, 2);
    EXPECT_TRUE(c.Commands[1]);
    EXPECT_TRUE(PickCustomCommand(s, c, 0));  // another one while the prompt is open
    EXPECT_EQ(s.CurrentCommand, 1);
    EXPECT_TRUE(c.Commands[0] && c.Commands[1]);
    EXPECT_FALSE(PickCustomCommand(s, c, 1));  // picked again: unchecked only
    EXPECT_FALSE(c.Commands[1]);
    EXPECT_EQ(s.CurrentCommand, 1);

    // Items left over from a turn with more commands, and indices beyond the menu.
    for (const int index : {3, 4, 5, -1}) {
        EXPECT_FALSE(PickCustomCommand(s, c, index)) << index;
    }
    EXPECT_EQ(s.CurrentCommand, 1);
    EXPECT_EQ(c.Commands, (std::array<bool, 5>{true, false, false, false, false}));
}

TEST(FlightPad, RadioMenu) {
    SharedSubsAndVar s;
    s.RadioMessages = "\r\n\r\nTeam Radio Transmission:\r\nhi\r\nEnd Transmission";
    PadChecks c;
    c.SplitS = c.Commands[0] = true;
    PickRadio(s, c, kRadioTeam);
    PickRadio(s, c, kRadioPrivate);
    PickRadio(s, c, kRadioPrivate);
    EXPECT_EQ(s.RadioKind, kRadioPrivate);
    EXPECT_TRUE(c.RadioTeam && c.RadioPrivate);
    EXPECT_FALSE(c.RadioSquadron);
    ClearRadioMessages(s, c);
    EXPECT_EQ(s.RadioMessages, "");
    EXPECT_FALSE(c.RadioTeam || c.RadioPrivate || c.RadioSquadron);
    EXPECT_TRUE(c.SplitS && c.Commands[0]);
}

}  // namespace
}  // namespace velmora
