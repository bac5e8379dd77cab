// The parameter prompt: its look, its questions in turn and what each typed answer stores.

#include "OrdersTestSupport.h"

namespace velmora::test {
namespace {

class CommandPrompt : public OrdersTest {
protected:
    void SetUp() override {
        addCommand(state, "Mark", {{"Target", "String"}, {"Range", "Integer"}});
        openPad();
        pick(pad().menuprc[0]);
        ASSERT_TRUE(prompt().Loaded());
    }
    const ParamValue& value(std::size_t slot) { return state.Commands(1).Params[slot].Value; }
};

TEST_F(CommandPrompt, BorderlessBlackCentredOnThePadWithTheBoxFocused) {
    QWidget* top = prompt().TopLevel();
    EXPECT_TRUE(top->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(prompt().InnerArea()->size(), QSize(151, 105));
    const QPoint offset =
        top->frameGeometry().center() - pad().TopLevel()->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
    EXPECT_EQ(pixel(prompt(), 2, 2), QColor(Qt::black));
    EXPECT_EQ(prompt().Instructions.ForeColor(), QColor(255, 255, 0));
    EXPECT_EQ(caption(prompt().lblContinue), "Click here to continue...");
    EXPECT_EQ(top->focusWidget(), prompt().InputBox.Widget());
}

TEST_F(CommandPrompt, AsksEachParameterWithAnEmptyBoxAndStoresTheAnswersByKind) {
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Target:");
    answer("Alpha 1 ");
    EXPECT_EQ(std::get<std::string>(value(1)), "Alpha 1 ");
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Range:");
    EXPECT_EQ(prompt().InputBox.Text(), "");
    answer("7.5 km");
    EXPECT_EQ(std::get<double>(value(2)), 7.5);
    EXPECT_FALSE(prompt().Loaded());
}

TEST_F(CommandPrompt, ClickingContinueDoesWhatEnterDoes) {
    type(prompt().InputBox, "Bravo");
    clickWidget(prompt().lblContinue.Widget());
    EXPECT_EQ(std::get<std::string>(value(1)), "Bravo");
    EXPECT_EQ(caption(prompt().Instructions), "Enter in Range:");
}

TEST_F(CommandPrompt, CommandsReplacedWhileOpenStoreNothingAndClose) {
    state.Commands.Clear();  // a turn file without commands, read meanwhile
    answer("lost");
    EXPECT_FALSE(prompt().Loaded());
}

}  // namespace
}  // namespace velmora::test
