#include "FlightPad.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(FlightPad, ArrowStepsWrapAndClamp) {
    using enum PadArrow;
    struct Row {
        const char* name;
        PadArrow arrow;
        int16_t ceiling, start, afterClick;
        int16_t afterDblClick;  // Click then DblClick, as a double click arrives; -1: single only
    };
    const Row rows[] = {
        {"heading left from 0", HeadLeft, 5000, 0, 359, -1},
        {"heading double right from 355", HeadRight, 5000, 355, 356, 6},
        {"heading 32767 wraps from the true sum", HeadRight, 0, 32767, 8, 18},
        {"heading -32768 wraps from the true sum", HeadLeft, 0, -32768, 351, -1},
        {"altitude up to the ceiling", AltUp, 5000, 4950, 5000, 5000},
        {"ceiling 50 gives 100", AltDown, 50, 3000, 100, -1},
        {"negative ceiling gives 100", AltUp, -300, 100, 100, 100},
        {"odd ceiling 32001", AltUp, 32001, 31950, 32001, 32001},
        {"altitude at the 16-bit bottom", AltDown, 32767, -32768, 100, 100},
        {"throttle double up from 90", ThrottleUp, 0, 90, 100, 100},
        {"throttle double up is two steps of 10", ThrottleUp, 0, 50, 60, 70},
        {"throttle down from 0", ThrottleDown, 0, 0, 0, -1},
        {"throttle at the 16-bit top", ThrottleUp, 0, 32767, 100, -1},
    };
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.Ceiling = r.ceiling;
        int16_t& value = r.arrow <= HeadRight ? s.OrderHeading
                         : r.arrow <= AltDown ? s.OrderAltitude
                                              : s.OrderThrottle;
        value = r.start;
        StepArrow(s, r.arrow, ArrowEvent::Click);
        EXPECT_EQ(value, r.afterClick) << r.name;
        if (r.afterDblClick >= 0) {
            StepArrow(s, r.arrow, ArrowEvent::DblClick);
            EXPECT_EQ(value, r.afterDblClick) << r.name;
        }
    }
}

TEST(FlightPad, LoadAndLabels) {
    SharedSubsAndVar s;
    s.Ceiling = 5000;
    s.OrderHeading = -5;  // a turn file's heading is shown as it stands
    s.OrderThrottle = 120;
    PadChecks checks;
    checks.BailOut = true;
    LoadPadState(s, checks);
    EXPECT_EQ(HeadingCaption(s.OrderHeading), "Heading:-5");
    EXPECT_EQ(AltitudeCaption(s.OrderAltitude), "Altitude: 100");
    EXPECT_EQ(ThrottleCaption(s.OrderThrottle), "Throttle: 100");
    EXPECT_EQ(HeadingCaption(90), "Heading: 90");
    EXPECT_FALSE(checks.BailOut);
}

TEST(FlightPad, CustomCommandItems) {
    SharedSubsAndVar s;
    for (const char* name : {"Strafe", "Climb", "Drop"}) {
        s.Commands.Append().Name = name;
    }
    EXPECT_EQ(PadCommandCaptions(s), (std::vector<std::string>{"Strafe", "Climb", "Drop"}));
    PadChecks c;
    EXPECT_TRUE(PickCustomCommand(s, c, 1));
    EXPECT_TRUE(PickCustomCommand(s, c, 0));   // another one while the prompt is open
    EXPECT_FALSE(PickCustomCommand(s, c, 1));  // picked again: unchecked only
    // Items left over from a turn with more commands, and indices beyond the menu.
    for (const int index : {3, 4, 5, -1}) {
        EXPECT_FALSE(PickCustomCommand(s, c, index)) << index;
    }
    EXPECT_EQ(s.CurrentCommand, 1);
    EXPECT_EQ(c.Commands, (std::array<bool, 5>{true, false, false, false, false}));
    for (int i = 4; i <= 7; ++i) {
        s.Commands.Append().Name = "More";
    }
    EXPECT_EQ(PadCommandCaptions(s).size(), 5u);
}

TEST(FlightPad, ManeuverAndRadioMarks) {
    SharedSubsAndVar s;
    s.RadioMessages = "\r\n\r\nTeam Radio Transmission:\r\nhi\r\nEnd Transmission";
    PadChecks c;
    PickImmelmann(c);
    PickSplitS(c);
    EXPECT_TRUE(c.SplitS && !c.Immelmann);
    PickSplitS(c);
    EXPECT_FALSE(c.SplitS || c.Immelmann);
    PickImmelmann(c);
    PickBailOut(c);
    PickRadio(s, c, kRadioTeam);
    PickRadio(s, c, kRadioPrivate);
    EXPECT_EQ(s.RadioKind, kRadioPrivate);
    EXPECT_TRUE(c.RadioTeam && c.RadioPrivate && !c.RadioSquadron);
    ClearRadioMessages(s, c);
    EXPECT_EQ(s.RadioMessages, "");
    EXPECT_TRUE(!c.RadioTeam && !c.RadioPrivate && c.Immelmann && c.BailOut);
    PickBailOut(c);
    EXPECT_FALSE(c.BailOut);
}

}  // namespace
}  // namespace velmora
