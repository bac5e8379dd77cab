// The flight control pad as the pilot uses it: arrows, labels, menus and their check marks.

#include <QMenuBar>
#include <QScreen>

#include "OrdersTestSupport.h"

namespace velmora::test {
namespace {

using FlightPad = OrdersTest;

TEST_F(FlightPad, OpensAsASmallBlackToolWindowAtTheLeftEdge) {
    openPad();
    QWidget* top = pad().TopLevel();
    EXPECT_EQ(top->windowTitle(), "Flight Control Pad");
    EXPECT_TRUE(top->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(pad().InnerArea()->size(), QSize(158, 224));
    EXPECT_EQ(pad().InnerArea()->mapToGlobal(QPoint(0, 0)), QPoint(3, 171));
    EXPECT_EQ(pixel(pad(), 2, 2), QColor(Qt::black));
    EXPECT_EQ(caption(pad().lblHead), "Heading: 90");
    EXPECT_EQ(caption(pad().lblAlt), "Altitude: 5000");
    EXPECT_EQ(caption(pad().lblThrottle), "Throttle: 100");
    EXPECT_EQ(pad().lblHead.ForeColor(), QColor(255, 255, 0));
    // The menus as designed: the custom-command items hidden until a turn offers commands.
    QStringList radio, maneuvers;
    for (QAction* a : pad().MenuRadio.Action()->menu()->actions()) {
        radio << (a->isSeparator() ? "-" : a->text());
    }
    for (QAction* a : pad().menuMan.Action()->menu()->actions()) {
        if (a->isVisible()) {
            maneuvers << (a->isSeparator() ? "-" : a->text());
        }
    }
    EXPECT_EQ(radio, QStringList({"Private", "Squadron", "Team", "-", "Clear all Radio Messages"}));
    EXPECT_EQ(maneuvers, QStringList({"Immelmann", "Split S", "-", "Bail Out"}));
}

struct ArrowCase {
    const char* name;
    Image frmFlightPad::*button;
    bool dbl;
    int16_t heading, altitude, throttle, ceiling;
    int16_t wantHeading, wantAltitude, wantThrottle;
    const char* wantLabel;
    Label frmFlightPad::*label;
};

TEST_F(FlightPad, ArrowsStepWrapAndClampOnClickAndDoubleClick) {
    const ArrowCase cases[] = {
        {"left from 0 wraps", &frmFlightPad::HeadLeft, false, 0, 5000, 50, 20000, 359, 5000, 50,
         "Heading: 359", &frmFlightPad::lblHead},
        {"right double from 355: 356 then 6", &frmFlightPad::HeadRight, true, 355, 5000, 50, 20000,
         6, 5000, 50, "Heading: 6", &frmFlightPad::lblHead},
        {"left double: 11 down", &frmFlightPad::HeadLeft, true, 20, 5000, 50, 20000, 9, 5000, 50,
         "Heading: 9", &frmFlightPad::lblHead},
        {"up at ceiling 5000", &frmFlightPad::AltUp, false, 0, 4950, 50, 5000, 0, 5000, 50,
         "Altitude: 5000", &frmFlightPad::lblAlt},
        {"up double at ceiling 5000", &frmFlightPad::AltUp, true, 0, 4950, 50, 5000, 0, 5000, 50,
         "Altitude: 5000", &frmFlightPad::lblAlt},
        {"up double: 1100 feet", &frmFlightPad::AltUp, true, 0, 3000, 50, 20000, 0, 4100, 50,
         "Altitude: 4100", &frmFlightPad::lblAlt},
        {"down to the floor", &frmFlightPad::AltDown, false, 0, 150, 50, 20000, 0, 100, 50,
         "Altitude: 100", &frmFlightPad::lblAlt},
        {"ceiling 50: floor wins", &frmFlightPad::AltUp, false, 0, 100, 50, 50, 0, 100, 50,
         "Altitude: 100", &frmFlightPad::lblAlt},
        {"altitude at the 16-bit edge", &frmFlightPad::AltUp, true, 0, 32700, 50, 32767, 0, 32767,
         50, "Altitude: 32767", &frmFlightPad::lblAlt},
        {"throttle down at 0", &frmFlightPad::ThrottleDown, false, 0, 5000, 0, 20000, 0, 5000, 0,
         "Throttle: 0", &frmFlightPad::lblThrottle},
        {"throttle up double from 90", &frmFlightPad::ThrottleUp, true, 0, 5000, 90, 20000, 0, 5000,
         100, "Throttle: 100", &frmFlightPad::lblThrottle},
        {"throttle down double: 20", &frmFlightPad::ThrottleDown, true, 0, 5000, 50, 20000, 0, 5000,
         30, "Throttle: 30", &frmFlightPad::lblThrottle},
    };
    for (const ArrowCase& c : cases) {
        SCOPED_TRACE(c.name);
        state.OrderHeading = c.heading;
        state.OrderAltitude = c.altitude;
        state.OrderThrottle = c.throttle;
        state.Ceiling = c.ceiling;
        openPad();
        if (c.dbl) {
            doubleClick(pad().*c.button);
        } else {
            click(pad().*c.button);
        }
        EXPECT_EQ(state.OrderHeading, c.wantHeading);
        EXPECT_EQ(state.OrderAltitude, c.wantAltitude);
        EXPECT_EQ(state.OrderThrottle, c.wantThrottle);
        EXPECT_EQ(caption(pad().*c.label), c.wantLabel);
        pad().Unload();
        settle();
    }
}

TEST_F(FlightPad, PressShowsThePressedLookUntilRelease) {
    openPad();
    frmFlightPad& p = pad();
    const std::pair<Image*, std::pair<Image*, Image*>> buttons[] = {
        {&p.HeadLeft, {&p.LeftDown, &p.LeftUp}},
        {&p.HeadRight, {&p.RightDown, &p.RightUp}},
        {&p.AltUp, {&p.UpDown, &p.UpUp}},
        {&p.AltDown, {&p.DownDown, &p.DownUp}},
        {&p.ThrottleUp, {&p.UpDown, &p.UpUp}},
        {&p.ThrottleDown, {&p.DownDown, &p.DownUp}},
        {&p.Generate, {&p.GenerateDown, &p.GenerateUp}},
    };
    for (const auto& [button, looks] : buttons) {
        const auto [x, y] = centreOf(*button);
        ASSERT_FALSE(looks.first->Picture().isNull());
        EXPECT_EQ(button->Picture(), looks.second->Picture());
        Mouse{p}.press(x, y, Qt::RightButton);
        EXPECT_EQ(button->Picture(), looks.first->Picture());
        // What the pilot sees at the button is the pressed picture.
        const QRect at(qRound(button->Left() / 15), qRound(button->Top() / 15), 25, 25);
        EXPECT_EQ(p.Surface().copy(at),
                  looks.first->Picture().copy(0, 0, 25, 25).convertToFormat(p.Surface().format()));
        // Released away from the button: the look comes back, and a right button steps nothing.
        Mouse{p}.release(10, 10, Qt::RightButton);
        EXPECT_EQ(button->Picture(), looks.second->Picture());
    }
    EXPECT_EQ(state.OrderHeading, 90);
    EXPECT_FALSE(generator().Loaded());
}

TEST_F(FlightPad, ManeuverMarksFollowTheirRules) {
    openPad();
    frmFlightPad& p = pad();
    pick(p.menuImmel);
    EXPECT_TRUE(p.menuImmel.Checked());
    pick(p.menuSplit);
    EXPECT_TRUE(p.menuSplit.Checked());
    EXPECT_FALSE(p.menuImmel.Checked());
    pick(p.menuSplit);
    EXPECT_FALSE(p.menuSplit.Checked());
    EXPECT_FALSE(p.menuImmel.Checked());
    pick(p.menuBail);
    EXPECT_TRUE(p.menuBail.Checked());
    EXPECT_TRUE(p.menuBail.Action()->isChecked());
    pick(p.menuBail);
    EXPECT_FALSE(p.menuBail.Checked());
    EXPECT_FALSE(p.menuBail.Action()->isChecked());
}

TEST_F(FlightPad, OffersTheFirstFiveCommandsOfTheTurn) {
    const struct {
        int commands;
        int shown;
    } cases[] = {{0, 0}, {3, 3}, {7, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commands);
        state.Commands.Clear();
        for (int i = 1; i <= c.commands; ++i) {
            addCommand(state, "Cmd & " + std::to_string(i));
        }
        openPad();
        for (int i = 0; i < kPadCommandItems; ++i) {
            QAction* item = pad().menuprc[static_cast<std::size_t>(i)].Action();
            EXPECT_EQ(item->isVisible(), i < c.shown) << i;
            if (i < c.shown) {
                // The ampersand is shown, not taken as an access key.
                EXPECT_EQ(item->text(), QString("Cmd && %1").arg(i + 1));
            }
        }
        pad().Unload();
        settle();
    }
}

TEST_F(FlightPad, CustomCommandChecksAtOnceAndPromptsFromTheStart) {
    addCommand(state, "Mark", {{"Target", "String"}, {"Range", "Integer"}});
    addCommand(state, "Climb", {{"Rate", "Integer"}});
    openPad();
    frmFlightPad& p = pad();

    pick(p.menuprc[0]);
    EXPECT_TRUE(p.menuprc[0].Checked());
    ASSERT_TRUE(prompt().Loaded());
    EXPECT_EQ(prompt().Owner(), &p);
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Target:");
    answer("Alpha");

    // Picked again: unchecked, values kept, the open prompt stays.
    pick(p.menuprc[0]);
    EXPECT_FALSE(p.menuprc[0].Checked());
    EXPECT_EQ(std::get<std::string>(state.Commands(1).Params[1].Value), "Alpha");
    ASSERT_TRUE(prompt().Loaded());
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Range:");

    // A second command while the prompt is open: it starts on that one; both stay checked.
    pick(p.menuprc[0]);
    pick(p.menuprc[1]);
    EXPECT_TRUE(p.menuprc[0].Checked());
    EXPECT_TRUE(p.menuprc[1].Checked());
    EXPECT_EQ(state.CurrentCommand, 2);
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Rate:");
    answer("12");
    EXPECT_EQ(std::get<double>(state.Commands(2).Params[1].Value), 12.0);
    EXPECT_FALSE(prompt().Loaded());
    EXPECT_EQ(std::get<std::string>(state.Commands(1).Params[1].Value), "Alpha");
}

TEST_F(FlightPad, ItemOfACommandTheTurnNoLongerHasDoesNothing) {
    addCommand(state, "Mark", {{"Target", "String"}});
    addCommand(state, "Climb", {{"Rate", "Integer"}});
    openPad();
    // A newer turn file with a single command, read while the pad stayed open.
    state.Commands.Clear();
    addCommand(state, "Hold");
    state.CurrentCommand = 1;
    pick(pad().menuprc[1]);
    EXPECT_FALSE(pad().menuprc[1].Checked());
    EXPECT_FALSE(prompt().Loaded());
    EXPECT_EQ(state.CurrentCommand, 1);
}

TEST_F(FlightPad, RadioItemsSetTheKindAndOpenTheRadioWindow) {
    openPad();
    frmFlightPad& p = pad();
    pick(p.radioPrivate);
    pick(p.radioPrivate);
    EXPECT_TRUE(p.radioPrivate.Checked());
    EXPECT_EQ(state.RadioKind, 0);
    ASSERT_TRUE(radio().Loaded());
    EXPECT_EQ(radio().Owner(), &p);
    radio().Unload();
    pick(p.menuTeam);
    EXPECT_EQ(state.RadioKind, 2);
    pick(p.menuSquadron);
    EXPECT_EQ(state.RadioKind, 1);
    // Nothing unchecks another kind.
    EXPECT_TRUE(p.radioPrivate.Checked());
    EXPECT_TRUE(p.menuTeam.Checked());
    EXPECT_TRUE(p.menuSquadron.Checked());
}

TEST_F(FlightPad, ClearAsksFirstAndYesClearsOnlyTheRadio) {
    state.RadioMessages = "\r\n\r\nTeam Radio Transmission:\r\nx\r\nEnd Transmission";
    openPad();
    frmFlightPad& p = pad();
    pick(p.menuTeam);
    radio().Unload();
    pick(p.menuImmel);
    pick(p.menuBail);

    services.QueueAnswer(MsgBoxResult::No);
    pick(p.menuClear);
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_EQ(services.msgBoxes[0].text, "Are you sure you want to clear all radio messages?");
    EXPECT_EQ(services.msgBoxes[0].title, "Skelmar Velmora");
    EXPECT_EQ(services.msgBoxes[0].buttons, MsgBoxButtons::YesNo);
    EXPECT_FALSE(state.RadioMessages.empty());
    EXPECT_TRUE(p.menuTeam.Checked());

    services.QueueAnswer(MsgBoxResult::Yes);
    pick(p.menuClear);
    EXPECT_EQ(state.RadioMessages, "");
    EXPECT_FALSE(p.menuTeam.Checked());
    EXPECT_TRUE(p.menuImmel.Checked());
    EXPECT_TRUE(p.menuBail.Checked());
}

TEST_F(FlightPad, ClosedAndOpenedAgainDropsMarksAndClampsValues) {
    addCommand(state, "Hold");
    openPad();
    frmFlightPad& p = pad();
    pick(p.menuImmel);
    pick(p.menuBail);
    pick(p.radioPrivate);
    pick(p.menuprc[0]);
    EXPECT_TRUE(prompt().Loaded());
    click(p.HeadRight);
    p.TopLevel()->close();  // the close box
    settle();
    EXPECT_FALSE(p.Loaded());
    EXPECT_FALSE(prompt().Loaded());  // owned windows go with the pad
    EXPECT_FALSE(radio().Loaded());

    // A new turn while the pad was closed.
    state.Ceiling = 3000;
    state.OrderAltitude = 9000;
    state.OrderThrottle = 250;
    openPad();
    const PadChecks checks = p.Checks();
    EXPECT_FALSE(checks.Immelmann || checks.SplitS || checks.BailOut || checks.RadioPrivate);
    EXPECT_FALSE(checks.Commands[0]);
    EXPECT_EQ(state.OrderHeading, 91);
    EXPECT_EQ(state.OrderAltitude, 3000);
    EXPECT_EQ(state.OrderThrottle, 100);
    EXPECT_EQ(caption(p.lblAlt), "Altitude: 3000");
    EXPECT_EQ(caption(p.lblThrottle), "Throttle: 100");
}

TEST_F(FlightPad, GenerateOpensTheGeneratorOwnedByThePad) {
    openPad();
    click(pad().Generate);
    ASSERT_TRUE(generator().Loaded());
    EXPECT_EQ(generator().Owner(), &pad());
    // Pressed again while open: brought forward, the text not built again.
    generator().txtCommands.SetText("edited");
    click(pad().Generate);
    EXPECT_EQ(generator().txtCommands.Text(), "edited");
}

}  // namespace
}  // namespace velmora::test
