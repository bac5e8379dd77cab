// The flight control pad as the pilot uses it: arrows, labels, menus and their check marks.

#include "OrdersTestSupport.h"

namespace velmora::test {
namespace {

using FlightPad = OrdersTest;
using Pad = frmFlightPad;
using S = SharedSubsAndVar;

TEST_F(FlightPad, OpensAsASmallBlackToolWindowAtTheLeftEdge) {
    openPad();
    EXPECT_EQ(pad().TopLevel()->windowTitle(), "Flight Control Pad");
    EXPECT_TRUE(pad().TopLevel()->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(pad().InnerArea()->size(), QSize(158, 224));
    EXPECT_EQ(pad().InnerArea()->mapToGlobal(QPoint(0, 0)), QPoint(3, 171));
    EXPECT_EQ(pixel(pad(), 2, 2), QColor(Qt::black));
    EXPECT_EQ(caption(pad().lblHead), "Heading: 90");
    EXPECT_EQ(caption(pad().lblAlt), "Altitude: 5000");
    EXPECT_EQ(caption(pad().lblThrottle), "Throttle: 100");
    QStringList shown;
    for (QAction* a : pad().menuMan.Action()->menu()->actions()) {
        if (a->isVisible()) {
            shown << (a->isSeparator() ? "-" : a->text());
        }
    }
    EXPECT_EQ(shown, QStringList({"Immelmann", "Split S", "-", "Bail Out"}));
}

TEST_F(FlightPad, ArrowsStepWrapAndClampOnClickAndDoubleClick) {
    const struct {
        Image Pad::*button;
        bool dbl;
        int16_t S::*value;
        int16_t from, to;
        Label Pad::*label;
        const char* shown;
    } cases[] = {
        {&Pad::HeadLeft, false, &S::OrderHeading, 0, 359, &Pad::lblHead, "Heading: 359"},
        {&Pad::HeadRight, true, &S::OrderHeading, 355, 6, &Pad::lblHead, "Heading: 6"},
        {&Pad::AltUp, false, &S::OrderAltitude, 4950, 5000, &Pad::lblAlt, "Altitude: 5000"},
        {&Pad::AltUp, true, &S::OrderAltitude, 2000, 3100, &Pad::lblAlt, "Altitude: 3100"},
        {&Pad::AltDown, false, &S::OrderAltitude, 150, 100, &Pad::lblAlt, "Altitude: 100"},
        {&Pad::ThrottleUp, true, &S::OrderThrottle, 90, 100, &Pad::lblThrottle, "Throttle: 100"},
        {&Pad::ThrottleDown, true, &S::OrderThrottle, 50, 30, &Pad::lblThrottle, "Throttle: 30"},
    };
    state.Ceiling = 5000;
    openPad();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        state.*c.value = c.from;
        c.dbl ? doubleClick(pad().*c.button) : click(pad().*c.button);
        EXPECT_EQ(state.*c.value, c.to);
        EXPECT_EQ(caption(pad().*c.label), c.shown);
    }
}

TEST_F(FlightPad, PressShowsThePressedLookUntilTheRelease) {
    openPad();
    Pad& p = pad();
    const struct {
        Image& button;
        Image& pressed;
        Image& released;
    } buttons[] = {
        {p.HeadLeft, p.LeftDown, p.LeftUp},
        {p.HeadRight, p.RightDown, p.RightUp},
        {p.AltUp, p.UpDown, p.UpUp},
        {p.AltDown, p.DownDown, p.DownUp},
        {p.ThrottleUp, p.UpDown, p.UpUp},
        {p.ThrottleDown, p.DownDown, p.DownUp},
        {p.Generate, p.GenerateDown, p.GenerateUp},
    };
    for (const auto& b : buttons) {
        ASSERT_FALSE(b.pressed.Picture().isNull());
        EXPECT_EQ(b.button.Picture(), b.released.Picture());
        Mouse{p}.press(b.button.Left() + 60, b.button.Top() + 60, Qt::RightButton);
        // What the pilot sees at the button is the pressed picture.
        const QRect at(qRound(b.button.Left() / 15), qRound(b.button.Top() / 15), 25, 25);
        EXPECT_EQ(p.Surface().copy(at), b.pressed.Picture().copy(0, 0, 25, 25));
        // Released elsewhere: the look comes back, and a right button steps nothing.
        Mouse{p}.release(10, 10, Qt::RightButton);
        EXPECT_EQ(b.button.Picture(), b.released.Picture());
    }
    EXPECT_EQ(state.OrderHeading, 90);
    EXPECT_FALSE(generator().Loaded());
}

TEST_F(FlightPad, ManeuverMarksFollowTheirRules) {
    openPad();
    Pad& p = pad();
    auto marks = [&p] {
        return std::array{p.menuImmel.Checked(), p.menuSplit.Checked(), p.menuBail.Checked()};
    };
    using M = std::array<bool, 3>;
    pick(p.menuImmel);
    EXPECT_EQ(marks(), (M{true, false, false}));
    pick(p.menuSplit);
    EXPECT_EQ(marks(), (M{false, true, false}));
    pick(p.menuSplit);
    pick(p.menuBail);
    EXPECT_EQ(marks(), (M{false, false, true}));
    EXPECT_TRUE(p.menuBail.Action()->isChecked());
    pick(p.menuBail);
    EXPECT_EQ(marks(), (M{false, false, false}));
}

TEST_F(FlightPad, OffersTheFirstFiveCommandsOfTheTurn) {
    for (int i = 1; i <= 7; ++i) {
        addCommand(state, "Cmd & " + std::to_string(i));
    }
    openPad();
    for (MenuItem& item : pad().menuprc) {
        EXPECT_TRUE(item.Action()->isVisible());
    }
    // The ampersand is shown, not taken for an access key.
    EXPECT_EQ(pad().menuprc[4].Action()->text(), "Cmd && 5");
    pad().Unload();
    state.Commands.Clear();
    addCommand(state, "Hold");
    openPad();
    EXPECT_TRUE(pad().menuprc[0].Action()->isVisible());
    EXPECT_FALSE(pad().menuprc[1].Action()->isVisible());
}

TEST_F(FlightPad, CustomCommandChecksAtOnceAndPromptsFromTheStart) {
    addCommand(state, "Mark", {{"Target", "String"}, {"Range", "Integer"}});
    addCommand(state, "Climb", {{"Rate", "Integer"}});
    openPad();
    Pad& p = pad();
    pick(p.menuprc[0]);
    EXPECT_TRUE(p.menuprc[0].Checked());
    ASSERT_TRUE(prompt().Loaded());
    EXPECT_EQ(prompt().Owner(), &p);
    answer("Alpha");

    // Picked again: unchecked, the value kept, the open prompt left alone.
    pick(p.menuprc[0]);
    EXPECT_FALSE(p.menuprc[0].Checked());
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Range:");
    // A third time, then a second command: the prompt starts on that one; both stay checked.
    pick(p.menuprc[0]);
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Target:");
    pick(p.menuprc[1]);
    EXPECT_TRUE(p.menuprc[0].Checked() && p.menuprc[1].Checked());
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Rate:");
    answer("12");
    EXPECT_FALSE(prompt().Loaded());
    EXPECT_EQ(std::get<double>(state.Commands(2).Params[1].Value), 12.0);
    EXPECT_EQ(std::get<std::string>(state.Commands(1).Params[1].Value), "Alpha");
}

TEST_F(FlightPad, ItemOfACommandTheTurnNoLongerHasDoesNothing) {
    addCommand(state, "Mark", {{"Target", "String"}});
    addCommand(state, "Climb", {{"Rate", "Integer"}});
    openPad();
    state.Commands.Clear();  // a newer turn file with one command, read while the pad is open
    addCommand(state, "Hold");
    state.CurrentCommand = 1;
    pick(pad().menuprc[1]);
    EXPECT_FALSE(pad().menuprc[1].Checked());
    EXPECT_FALSE(prompt().Loaded());
    EXPECT_EQ(state.CurrentCommand, 1);
}

TEST_F(FlightPad, RadioItemsCheckSetTheKindAndOpenTheRadioWindow) {
    openPad();
    Pad& p = pad();
    const struct {
        MenuItem& item;
        int16_t kind;
    } picks[] = {{p.radioPrivate, 0}, {p.radioPrivate, 0}, {p.menuTeam, 2}, {p.menuSquadron, 1}};
    for (const auto& c : picks) {
        pick(c.item);
        EXPECT_TRUE(c.item.Checked());
        EXPECT_EQ(state.RadioKind, c.kind);
        ASSERT_TRUE(radio().Loaded());
        EXPECT_EQ(radio().Owner(), &p);
    }
    EXPECT_TRUE(p.radioPrivate.Checked() && p.menuTeam.Checked());  // nothing unchecks another
}

TEST_F(FlightPad, ClearAsksFirstAndYesClearsOnlyTheRadio) {
    state.RadioMessages = "\r\n\r\nTeam Radio Transmission:\r\nx\r\nEnd Transmission";
    openPad();
    Pad& p = pad();
    pick(p.menuTeam);
    pick(p.menuImmel);
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
}

TEST_F(FlightPad, ClosedAndOpenedAgainDropsMarksAndClampsValues) {
    addCommand(state, "Hold");
    openPad();
    Pad& p = pad();
    pick(p.menuBail);
    pick(p.radioPrivate);
    pick(p.menuprc[0]);
    click(p.HeadRight);
    p.TopLevel()->close();  // the close box
    settle();
    EXPECT_FALSE(p.Loaded());
    EXPECT_FALSE(prompt().Loaded() || radio().Loaded());  // owned windows go with the pad

    state.Ceiling = 3000;  // a new turn meanwhile
    state.OrderAltitude = 9000;
    state.OrderThrottle = 250;
    openPad();
    EXPECT_FALSE(p.menuBail.Checked() || p.radioPrivate.Checked() || p.menuprc[0].Checked());
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
