// The order windows as the pilot uses them, with scripted services: the flight pad's arrows and
// menus, the parameter prompt, the radio window and the generator's text, clipboard and file.

#include <QLabel>
#include <QTest>
#include <optional>

#include "GUI/Text.h"
#include "GUI/orders/frmCommandPrompt.h"
#include "GUI/orders/frmFlightPad.h"
#include "GUI/orders/frmGenerator.h"
#include "GUI/orders/frmRadio.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

using Pad = frmFlightPad;
using S = SharedSubsAndVar;

// Parameters as (name, kind) pairs.
void addCommand(S& state, const std::string& name,
                std::initializer_list<std::pair<const char*, const char*>> params = {}) {
    CommandDef& command = state.Commands.Append();
    command.Name = name;
    std::size_t slot = 1;
    for (const auto& [param, kind] : params) {
        command.Params[slot++] = {param, kind, {}};
    }
}

void press(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    settle();
}

void type(TextBox& box, const QString& text) {
    QTest::keyClicks(box.Widget(), text);
}

void pick(MenuItem& item) {
    item.Action()->trigger();
}

QString caption(const Label& label) {
    return qobject_cast<QLabel*>(label.Widget())->text();
}

// The pad opened with scripted services, in a scratch current folder.
class OrdersTest : public MainWindowFixture {
protected:
    OrdersTest() {
        state.Ceiling = 20000;
        state.PilotName = "Ada";
    }
    void TearDown() override {
        pad().Unload();
        MainWindowFixture::TearDown();
    }

    Pad& pad() { return windows.FlightPad(); }
    frmCommandPrompt& prompt() { return windows.CommandPrompt(); }
    frmRadio& radio() { return windows.Radio(); }
    frmGenerator& generator() { return windows.Generator(); }

    void openPad() {
        pad().Show();
        settle();
    }
    // Mouse on one of the pad's picture buttons, at its centre.
    void click(const Image& b) { Mouse{pad()}.click(b.Left() + 180, b.Top() + 180); }
    void doubleClick(const Image& b) { Mouse{pad()}.doubleClick(b.Left() + 180, b.Top() + 180); }
    void openGenerator() {
        openPad();
        click(pad().Generate);
        ASSERT_TRUE(generator().Loaded());
    }
};

using FlightPad = OrdersTest;
using CommandPrompt = OrdersTest;
using Radio = OrdersTest;
using Generator = OrdersTest;

TEST_F(FlightPad, ArrowsStepOnClickAndDoubleClick) {
    const struct {
        Image Pad::*button;
        bool dbl;
        int16_t S::*value;
        int16_t from, to;
        const char* shown;
    } rows[] = {
        {&Pad::HeadLeft, false, &S::OrderHeading, 0, 359, "Heading: 359"},
        {&Pad::HeadRight, true, &S::OrderHeading, 355, 6, "Heading: 6"},
        {&Pad::AltDown, false, &S::OrderAltitude, 150, 100, "Altitude: 100"},
        {&Pad::ThrottleDown, true, &S::OrderThrottle, 50, 30, "Throttle: 30"},
        {&Pad::ThrottleUp, true, &S::OrderThrottle, 90, 100, "Throttle: 100"},
    };
    openPad();
    Pad& p = pad();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shown);
        state.*row.value = row.from;
        row.dbl ? doubleClick(p.*row.button) : click(p.*row.button);
        EXPECT_EQ(state.*row.value, row.to);
        const QString labels = caption(p.lblHead) + caption(p.lblAlt) + caption(p.lblThrottle);
        EXPECT_TRUE(labels.contains(row.shown)) << labels.toStdString();
    }
}

// The first five commands of the turn are offered. Texts of any length from the turn file: the
// menu, the prompt and the instruction line show their start, ending in an ellipsis within their
// places; an ampersand is shown, not taken for an access key.
TEST_F(FlightPad, OffersTheFirstFiveCommandsAndShowsTheStartOfHugeTexts) {
    const std::string huge(5 << 20, 'W');
    const QChar ellipsis(0x2026);
    addCommand(state, huge, {{"Target", "String"}});
    addCommand(state, "Mark", {{huge.c_str(), "String"}});
    for (int i = 3; i <= 6; ++i) {
        addCommand(state, "Cmd & " + std::to_string(i));
    }
    state.ServerAddr = huge;
    openPad();
    for (MenuItem& item : pad().menuprc) {
        EXPECT_TRUE(item.Action()->isVisible());
    }
    EXPECT_EQ(pad().menuprc[0].Action()->text(), QString(40, QLatin1Char('W')) + ellipsis);
    EXPECT_EQ(pad().menuprc[2].Action()->text(), "Cmd && 3");

    pick(pad().menuprc[1]);
    const Label& question = prompt().Instructions;
    EXPECT_TRUE(question.ShownCaption().startsWith(QStringLiteral("Enter in WWW")));
    EXPECT_TRUE(question.ShownCaption().endsWith(ellipsis));
    EXPECT_LE(question.Widget()->heightForWidth(question.Widget()->width()),
              question.Widget()->height());

    openGenerator();
    const Label& instruction = generator().lblInstruct;
    EXPECT_TRUE(instruction.Caption().contains(QString(80, QLatin1Char('W')) + ellipsis));
    EXPECT_TRUE(instruction.Caption().endsWith(QStringLiteral("in the subject.")));
    EXPECT_LE(instruction.Widget()->heightForWidth(instruction.Widget()->width()),
              instruction.Widget()->height());
}

TEST_F(FlightPad, ClearAsksFirstAndOnlyYesClearsTheRadio) {
    state.RadioMessages = "\r\n\r\nTeam Radio Transmission:\r\nx\r\nEnd Transmission";
    openPad();
    Pad& p = pad();
    pick(p.menuTeam);
    pick(p.menuImmel);  // a later pick keeps the radio mark
    services.QueueAnswer(MsgBoxResult::No);
    pick(p.menuClear);
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_EQ(services.msgBoxes[0].text, "Are you sure you want to clear all radio messages?");
    EXPECT_FALSE(state.RadioMessages.empty());
    EXPECT_TRUE(p.menuTeam.Checked());

    services.QueueAnswer(MsgBoxResult::Yes);
    pick(p.menuClear);
    EXPECT_EQ(state.RadioMessages, "");
    EXPECT_FALSE(p.menuTeam.Checked());
}

// A new turn meanwhile, with values at their widest: the pad's captions still fit their places.
TEST_F(FlightPad, ClosedAndOpenedAgainDropsMarksClampsValuesAndFitsItsCaptions) {
    openPad();
    Pad& p = pad();
    pick(p.menuBail);
    pick(p.radioPrivate);
    p.TopLevel()->close();  // the close box
    settle();
    EXPECT_FALSE(p.Loaded());
    EXPECT_FALSE(radio().Loaded()) << "owned windows go with the pad";

    state.Ceiling = 3000;
    state.OrderAltitude = 9000;
    state.OrderThrottle = 250;
    state.OrderHeading = -32768;  // a turn file's heading is shown as it stands
    openPad();
    EXPECT_FALSE(p.menuBail.Checked() || p.radioPrivate.Checked());
    EXPECT_EQ(state.OrderAltitude, 3000);
    EXPECT_EQ(state.OrderThrottle, 100);
    EXPECT_EQ(caption(p.lblAlt), "Altitude: 3000");
    EXPECT_EQ(caption(p.lblHead), "Heading:-32768");
    EXPECT_LE(p.lblHead.Left() + p.lblHead.Width(), p.InnerWidth());
    EXPECT_LT(p.lblAlt.Left() + p.lblAlt.Width(), p.lblThrottle.Left());
    EXPECT_LE(p.lblThrottle.Left() + p.lblThrottle.Width(), p.InnerWidth());
}

// Another command picked while the prompt is open starts it over on that one.
TEST_F(CommandPrompt, StartsOverOnAnotherCommandAndStoresTheTypedAnswers) {
    addCommand(state, "Mark", {{"Target", "String"}, {"Range", "Integer"}});
    addCommand(state, "Climb", {{"Rate", "Integer"}});
    openPad();
    pick(pad().menuprc[1]);
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Rate:");
    pick(pad().menuprc[0]);
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Target:");
    type(prompt().InputBox, "Alpha 1 ");
    QTest::keyClick(prompt().InputBox.Widget(), Qt::Key_Return);
    type(prompt().InputBox, "7.5 km");
    press(prompt().lblContinue.Widget());  // as Enter does
    EXPECT_FALSE(prompt().Loaded());
    EXPECT_EQ(std::get<std::string>(state.Commands(1).Params[1].Value), "Alpha 1 ");
    EXPECT_EQ(std::get<double>(state.Commands(1).Params[2].Value), 7.5);
    EXPECT_TRUE(pad().menuprc[0].Checked() && pad().menuprc[1].Checked());
}

// Only Continue sends; the open window follows another kind picked at once, and each kind
// picked keeps its mark.
TEST_F(Radio, ContinueAppendsTheBlockOfTheKindShownCancelAndTheCloseBoxNothing) {
    state.RadioMessages = "before";
    openPad();
    pick(pad().radioPrivate);
    type(radio().txtTO, "ABC");
    EXPECT_EQ(radio().txtTO.Text(), "AB");  // the third letter does not fit
    pick(pad().menuSquadron);
    EXPECT_EQ(radio().TopLevel()->windowTitle(), "Squadron Radio Message");
    EXPECT_FALSE(radio().txtTO.Widget()->isEnabled());
    type(radio().txtMessage, "never sent");
    press(radio().Command2.Widget());
    EXPECT_FALSE(radio().Loaded());
    pick(pad().menuSquadron);
    type(radio().txtMessage, "never sent");
    radio().TopLevel()->close();
    settle();
    EXPECT_EQ(state.RadioMessages, "before");

    pick(pad().menuTeam);
    type(radio().txtMessage, "line one");
    QTest::keyClick(radio().txtMessage.Widget(), Qt::Key_Return);  // a new line, no button
    type(radio().txtMessage, "line two");
    press(radio().Command1.Widget());
    EXPECT_FALSE(radio().Loaded());
    EXPECT_EQ(state.RadioMessages,
              "before\r\n\r\nTeam Radio Transmission:\r\nline one\r\nline two\r\nEnd Transmission");
    EXPECT_TRUE(pad().radioPrivate.Checked() && pad().menuSquadron.Checked() &&
                pad().menuTeam.Checked());
}

// The orders are copied bare and saved with the edits and a line end; nothing is written
// unless a name is chosen and its file can be written, and a failure is told.
TEST_F(Generator, BuildsThePadsOrdersCopiesThemAndSavesOnlyToAUsableName) {
    openPad();
    pick(pad().menuSplit);
    openGenerator();
    const std::string expected =
        "Name=Ada\r\nPassword=\r\nSet Heading: 0\r\nSet Altitude: 100\r\nThrottle: 0\r\nSplit S";
    EXPECT_EQ(FromQ(generator().txtCommands.Text()), expected);
    press(generator().btnCopy.Widget());
    EXPECT_EQ(FromQ(services.clipboard), expected);
    QTest::keyClick(generator().txtCommands.Widget(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(generator().txtCommands.Widget(), Qt::Key_Return);
    type(generator().txtCommands, "Note");

    const QString missing = QDir::current().absoluteFilePath("gone/orders.txt");
    const struct {
        const char* name;
        std::optional<QString> answer;  // nothing: cancelled
        QString told;                   // the start of the message, if any
    } rows[] = {
        {"cancelled", std::nullopt, {}},
        {"an empty name", QString(), "Error- Not a valid File Name!"},
        {"a folder that is not there", missing,
         "The orders were not saved.\n\n" + QDir::toNativeSeparators(missing) + " could not be"},
        {"saved", QStringLiteral("orders.txt"), {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        services.msgBoxes.clear();
        services.fileDialogs.clear();
        row.answer ? services.QueueFileChoice(*row.answer) : services.QueueFileCancel();
        press(generator().btnSave.Widget());
        ASSERT_EQ(services.msgBoxes.size(), row.told.isEmpty() ? 0u : 1u);
        EXPECT_TRUE(row.told.isEmpty() || services.msgBoxes[0].text.startsWith(row.told));
        EXPECT_TRUE(generator().Loaded());
        ASSERT_EQ(services.fileDialogs.size(), 1u);
        EXPECT_EQ(services.fileDialogs[0].fileName, "sMV_Turn_03-07-2024.txt");
        EXPECT_EQ(services.fileDialogs[0].filter, "Text Files (*.txt)|*.txt");
    }
    // Only the chosen file is written, in the folder where a default name would land too.
    EXPECT_EQ(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"orders.txt"});
    QFile file(QStringLiteral("orders.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), expected + "\r\nNote\r\n");
}

}  // namespace
}  // namespace velmora::test
