// The order windows as the pilot uses them, with scripted services: the flight pad's arrows and
// menus, the parameter prompt, the radio window and the generator's text and file.

#include <QAbstractButton>
#include <QTest>
#include <optional>
#include <tuple>

#include "GUI/orders/frmCommandPrompt.h"
#include "GUI/orders/frmFlightPad.h"
#include "GUI/orders/frmGenerator.h"
#include "GUI/orders/frmRadio.h"
#include "platform/QtServices.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

// Parameters as (name, kind) pairs.
void AddCommand(SharedSubsAndVar& state, const std::string& name,
                std::initializer_list<std::pair<const char*, const char*>> params = {}) {
    CommandDef& command = state.Commands.Append();
    command.Name = name;
    std::size_t slot = 1;
    for (const auto& [param, kind] : params) {
        command.Params[slot++] = {param, kind, {}};
    }
}

void Press(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    settle();
}

// The pad opened with scripted services, in a scratch current folder.
class Orders : public MainWindowFixture {
protected:
    Orders() {
        state.Ceiling = 20000;
        state.PilotName = "Ada";
    }
    void TearDown() override {
        Pad().Unload();
        MainWindowFixture::TearDown();
    }

    frmFlightPad& Pad() { return windows.FlightPad(); }
    frmCommandPrompt& Prompt() { return windows.CommandPrompt(); }
    frmRadio& Radio() { return windows.Radio(); }
    frmGenerator& Generator() { return windows.Generator(); }

    void OpenPad() {
        Pad().Show();
        settle();
    }
    // Mouse on one of the pad's picture buttons, at its centre.
    void ClickPadButton(const Image& b) { Mouse{Pad()}.click(b.Left() + 180, b.Top() + 180); }
};

// The first five commands of the turn are offered. Texts of any length from the turn file: the
// menu, the prompt and the instruction line show their start, ending in an ellipsis within their
// places; an ampersand is shown, not taken for an access key.
TEST_F(Orders, FlightPadOffersTheFirstFiveCommandsAndShowsTheStartOfHugeTexts) {
    const std::string huge(5 << 20, 'W');
    const QChar ellipsis(0x2026);
    AddCommand(state, huge, {{"Target", "String"}});
    AddCommand(state, "Mark", {{huge.c_str(), "String"}});
    for (int i = 3; i <= 6; ++i) {
        AddCommand(state, "Cmd & " + std::to_string(i));
    }
    state.ServerAddr = huge;
    OpenPad();
    EXPECT_TRUE(Pad().menuprc[4].Action()->isVisible());
    EXPECT_EQ(Pad().menuprc[0].Action()->text(), QString(40, QLatin1Char('W')) + ellipsis);
    EXPECT_EQ(Pad().menuprc[2].Action()->text(), "Cmd && 3");

    Pad().menuprc[1].Action()->trigger();
    EXPECT_TRUE(Prompt().Instructions.ShownCaption().endsWith(ellipsis));
    ClickPadButton(Pad().Generate);
    EXPECT_TRUE(
        Generator().lblInstruct.Caption().contains(QString(80, QLatin1Char('W')) + ellipsis));
    for (const Label* label : {&Prompt().Instructions, &Generator().lblInstruct}) {
        const QWidget* shown = label->Widget();
        EXPECT_LE(shown->heightForWidth(shown->width()), shown->height());
    }
}

// Clear asks first and only Yes clears the radio. Closed by its close box, the pad takes its
// owned windows along; opened again on a new turn it drops the marks and clamps the orders, and
// its captions fit at their widest.
TEST_F(Orders, FlightPadClearAsksFirstAndReopenedDropsMarksClampsValuesAndFitsItsCaptions) {
    state.RadioMessages = "\r\n\r\nTeam Radio Transmission:\r\nx\r\nEnd Transmission";
    OpenPad();
    services.QueueAnswer(MsgBoxResult::No);
    Pad().menuClear.Action()->trigger();
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_EQ(services.msgBoxes[0].text, "Are you sure you want to clear all radio messages?");
    EXPECT_FALSE(state.RadioMessages.empty());
    services.QueueAnswer(MsgBoxResult::Yes);
    Pad().menuClear.Action()->trigger();
    EXPECT_EQ(state.RadioMessages, "");

    frmFlightPad& p = Pad();
    p.menuBail.Action()->trigger();
    p.radioPrivate.Action()->trigger();
    FormTestAccess::TopLevel(p)->close();
    settle();
    EXPECT_FALSE(p.Loaded() || Radio().Loaded());

    state.Ceiling = 3000;
    state.OrderAltitude = 9000;
    state.OrderThrottle = 250;
    state.OrderHeading = -32768;
    OpenPad();
    EXPECT_FALSE(p.menuBail.Checked() || p.radioPrivate.Checked());
    EXPECT_EQ(p.lblAlt.ShownCaption() + p.lblThrottle.ShownCaption(),
              "Altitude: 3000Throttle: 100");
    EXPECT_LE(p.lblHead.Left() + p.lblHead.Width(), p.InnerWidth());
    EXPECT_LT(p.lblAlt.Left() + p.lblAlt.Width(), p.lblThrottle.Left());
}

// Another command picked while the prompt is open starts it over on that one; the answer is kept
// as typed.
TEST_F(Orders, CommandPromptStartsOverOnAnotherCommandPickedAndKeepsTheAnswerAsTyped) {
    AddCommand(state, "Mark", {{"Target", "String"}});
    AddCommand(state, "Climb", {{"Rate", "Integer"}});
    OpenPad();
    Pad().menuprc[1].Action()->trigger();
    EXPECT_EQ(Prompt().Instructions.ShownCaption(), "Enter in Rate:");
    Pad().menuprc[0].Action()->trigger();
    EXPECT_EQ(Prompt().Instructions.ShownCaption(), "Enter in Target:");
    QTest::keyClicks(Prompt().InputBox.Widget(), "Alpha 1 ");
    Press(Prompt().lblContinue.Widget());  // as Enter does
    EXPECT_EQ(std::get<std::string>(state.Commands(1).Params[1].Value), "Alpha 1 ");
}

// Only Continue sends; the open window follows another kind picked at once.
TEST_F(Orders, RadioContinueAppendsTheBlockOfTheKindShownAndCancelNothing) {
    state.RadioMessages = "before";
    OpenPad();
    Pad().radioPrivate.Action()->trigger();
    QTest::keyClicks(Radio().txtTO.Widget(), "ABC");
    EXPECT_EQ(Radio().txtTO.Text(), "AB");  // the third letter does not fit
    Pad().menuSquadron.Action()->trigger();
    EXPECT_FALSE(Radio().txtTO.Widget()->isEnabled());
    QTest::keyClicks(Radio().txtMessage.Widget(), "never sent");
    Press(Radio().Command2.Widget());
    EXPECT_EQ(state.RadioMessages, "before");

    Pad().menuTeam.Action()->trigger();
    QTest::keyClicks(Radio().txtMessage.Widget(), "line one");
    QTest::keyClick(Radio().txtMessage.Widget(), Qt::Key_Return);  // a new line, no button
    QTest::keyClicks(Radio().txtMessage.Widget(), "line two");
    Press(Radio().Command1.Widget());
    EXPECT_EQ(state.RadioMessages,
              "before\r\n\r\nTeam Radio Transmission:\r\nline one\r\nline two\r\nEnd Transmission");
}

// The orders are saved with the edits and a line end; nothing is written unless a name is
// chosen and its file can be written, and a failure is told.
TEST_F(Orders, GeneratorBuildsThePadsOrdersAndSavesTheEditsOnlyToAUsableName) {
    OpenPad();
    Pad().menuSplit.Action()->trigger();
    ClickPadButton(Pad().Generate);
    const std::string expected =
        "Name=Ada\r\nPassword=\r\nSet Heading: 0\r\nSet Altitude: 100\r\nThrottle: 0\r\nSplit S";
    QTest::keyClick(Generator().txtCommands.Widget(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(Generator().txtCommands.Widget(), Qt::Key_Return);
    QTest::keyClicks(Generator().txtCommands.Widget(), "Note");

    const QString missing = QDir::current().absoluteFilePath("gone/orders.txt");
    // The name chosen (nothing: cancelled) and the start of the message told, if any.
    const std::tuple<const char*, std::optional<QString>, QString> rows[] = {
        {"cancelled", std::nullopt, {}},
        {"an empty name", QString(), "Error- Not a valid File Name!"},
        {"a folder that is not there", missing,
         "The orders were not saved.\n\n" + QDir::toNativeSeparators(missing) + " could not be"},
        {"saved", QStringLiteral("orders.txt"), {}},
    };
    for (const auto& [name, answer, told] : rows) {
        SCOPED_TRACE(name);
        services.msgBoxes.clear();
        services.fileDialogs.clear();
        answer ? services.QueueFileChoice(*answer) : services.QueueFileCancel();
        Press(Generator().btnSave.Widget());
        ASSERT_EQ(services.msgBoxes.size(), told.isEmpty() ? 0u : 1u);
        EXPECT_TRUE(told.isEmpty() || services.msgBoxes[0].text.startsWith(told));
        EXPECT_TRUE(Generator().Loaded());
        ASSERT_EQ(services.fileDialogs.size(), 1u);
        EXPECT_EQ(services.fileDialogs[0].fileName, "sMV_Turn_03-07-2024.txt");
    }
    // Only the chosen file is written, in the folder where a default name would land too.
    EXPECT_EQ(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"orders.txt"});
    QFile file(QStringLiteral("orders.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), expected + "\r\nNote\r\n");
}

// A second save on the same day proposes the same name: the real dialog asks before it replaces
// that day's saved orders, and a No goes back to it and leaves them as they were.
TEST_F(Orders, GeneratorSavingOverTheDaysOrdersAsksFirstAndNoKeepsThem) {
    const QString day =
        Write("sMV_Turn_" + Services::dateText(QDate::currentDate()) + ".txt", "first\r\n");
    QtServices real;
    Windows desktop{state, real};
    frmFlightPad& p = desktop.FlightPad();
    p.Show();
    Mouse{p}.click(p.Generate.Left() + 180, p.Generate.Top() + 180);
    auto no = [](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::No)->click(); };
    auto accept = [](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); };
    auto cancel = [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); };
    const QString saving = "Save, Text Files (*.txt), save";
    EXPECT_EQ(
        answerDialogs([&] { Press(desktop.Generator().btnSave.Widget()); }, {accept, no, cancel}),
        (QStringList{saving, "Save, an icon", saving}));
    QFile file(day);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "first\r\n");
    p.Unload();
}

}  // namespace
}  // namespace velmora::test
