// The parameter prompt: its questions in turn, what each typed answer stores, when it closes.

#include <QApplication>
#include <variant>

#include "OrdersTestSupport.h"

namespace velmora::test {
namespace {

class CommandPrompt : public OrdersTest {
protected:
    void pickFirstCommand() {
        openPad();
        pick(pad().menuprc[0]);
        ASSERT_TRUE(prompt().Loaded());
    }
    const ParamValue& value(int slot) {
        return state.Commands(1).Params[static_cast<std::size_t>(slot)].Value;
    }
};

TEST_F(CommandPrompt, BorderlessBlackCentredOnThePadWithTheBoxFocused) {
    addCommand(state, "Mark", {{"Target", "String"}});
    pickFirstCommand();
    QWidget* top = prompt().TopLevel();
    EXPECT_TRUE(top->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(prompt().InnerArea()->size(), QSize(151, 105));
    const QPoint offset =
        top->frameGeometry().center() - pad().TopLevel()->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
    EXPECT_EQ(prompt().Frame1.BackColor(), QColor(Qt::black));
    EXPECT_EQ(prompt().Instructions.ForeColor(), QColor(255, 255, 0));
    EXPECT_EQ(caption(prompt().lblContinue), "Click here to continue...");
    EXPECT_EQ(top->focusWidget(), prompt().InputBox.Widget());
}

TEST_F(CommandPrompt, AsksEachParameterAndStoresTheAnswersByKind) {
    addCommand(state, "Mark", {{"Target", "String"}, {"Range", "Integer"}});
    pickFirstCommand();
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Target:");
    answer("Alpha 1 ");
    EXPECT_EQ(std::get<std::string>(value(1)), "Alpha 1 ");
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Range:");
    EXPECT_EQ(prompt().InputBox.Text(), "");
    answer("7.5");
    EXPECT_EQ(std::get<double>(value(2)), 7.5);
    EXPECT_FALSE(prompt().Loaded());
}

TEST_F(CommandPrompt, IntegerAnswersAreReadForgivingly) {
    const struct {
        const char* typed;
        double stored;
    } cases[] = {{"12abc", 12}, {"1 2", 12}, {"-3", -3},  {"1,5", 1},
                 {"abc", 0},    {"", 0},     {"1e999", 0}};
    addCommand(state, "Climb", {{"Rate", "Integer"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        pickFirstCommand();
        answer(c.typed);
        EXPECT_EQ(std::get<double>(value(1)), c.stored);
        EXPECT_FALSE(prompt().Loaded());
        pad().Unload();
        settle();
    }
}

TEST_F(CommandPrompt, FiveParametersFivePromptsThenItCloses) {
    addCommand(
        state, "Five",
        {{"A", "String"}, {"B", "Integer"}, {"C", "String"}, {"D", "Integer"}, {"E", "String"}});
    pickFirstCommand();
    const char* names[] = {"A", "B", "C", "D", "E"};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(prompt().Loaded()) << i;
        EXPECT_EQ(caption(prompt().Instructions), QString("Enter in %1:").arg(names[i]));
        answer(QString::number(i + 1));
    }
    EXPECT_FALSE(prompt().Loaded());
    EXPECT_EQ(std::get<std::string>(value(5)), "5");
    EXPECT_EQ(std::get<double>(value(4)), 4.0);
}

TEST_F(CommandPrompt, CommandWithoutParametersAsksOnceAndStoresNothing) {
    addCommand(state, "Hold");
    pickFirstCommand();
    EXPECT_EQ(caption(prompt().Instructions), "Enter in :");
    answer("anything");
    EXPECT_FALSE(prompt().Loaded());
    EXPECT_EQ(state.Commands(1).Params[1].Name, "");
}

TEST_F(CommandPrompt, ClickingContinueDoesWhatEnterDoes) {
    addCommand(state, "Mark", {{"Target", "String"}, {"Range", "Integer"}});
    pickFirstCommand();
    QTest::keyClicks(prompt().InputBox.Widget(), "Bravo");
    clickWidget(prompt().lblContinue.Widget());
    EXPECT_EQ(std::get<std::string>(value(1)), "Bravo");
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Range:");
}

TEST_F(CommandPrompt, UncheckedWhileAskedTheAnswersStillGoToThatCommand) {
    addCommand(state, "Mark", {{"Target", "String"}});
    pickFirstCommand();
    pick(pad().menuprc[0]);
    EXPECT_FALSE(pad().menuprc[0].Checked());
    answer("Echo");
    EXPECT_EQ(std::get<std::string>(value(1)), "Echo");
}

TEST_F(CommandPrompt, CommandsReplacedWhileOpenStoreNothingAndClose) {
    addCommand(state, "Mark", {{"Target", "String"}});
    pickFirstCommand();
    state.Commands.Clear();  // a turn file without commands read meanwhile
    answer("lost");
    EXPECT_FALSE(prompt().Loaded());
}

}  // namespace
}  // namespace velmora::test
