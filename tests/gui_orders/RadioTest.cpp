// The radio window: its look by kind and the block that Continue appends.

#include "OrdersTestSupport.h"

namespace velmora::test {
namespace {

class Radio : public OrdersTest {
protected:
    void SetUp() override { openPad(); }
    void open(MenuItem& item) {
        pick(item);
        ASSERT_TRUE(radio().Loaded());
    }
    void press(CommandButton& button) {
        clickWidget(button.Widget());
        settle();
    }
};

TEST_F(Radio, EachKindHasItsCaptionAndToFieldAndEmptyBoxes) {
    const struct {
        MenuItem& item;
        const char* caption;
        bool toEnabled;
    } cases[] = {
        {pad().radioPrivate, "Private Radio Message", true},
        {pad().menuSquadron, "Squadron Radio Message", false},
        {pad().menuTeam, "Team Radio Message", false},
    };
    for (const auto& c : cases) {
        open(c.item);
        EXPECT_EQ(radio().TopLevel()->windowTitle(), c.caption);
        EXPECT_EQ(radio().txtTO.Widget()->isEnabled(), c.toEnabled);
        EXPECT_EQ(radio().Label1.Widget()->isEnabled(), c.toEnabled);
        EXPECT_EQ(radio().txtTO.Text() + radio().txtMessage.Text(), "");
        type(radio().txtMessage, "typed");
        press(radio().Command2);
    }
}

TEST_F(Radio, ContinueAppendsTheBlockOfItsKind) {
    state.RadioMessages = "before";
    open(pad().radioPrivate);
    type(radio().txtTO, "ABC");  // the third letter does not fit
    type(radio().txtMessage, "hello");
    press(radio().Command1);
    EXPECT_FALSE(radio().Loaded());
    const std::string first = "before\r\n\r\nRadio Transmission:AB\r\nhello\r\nEnd Transmission";
    EXPECT_EQ(state.RadioMessages, first);

    open(pad().menuTeam);
    type(radio().txtMessage, "line one");
    QTest::keyClick(radio().txtMessage.Widget(), Qt::Key_Return);  // a new line, no button
    type(radio().txtMessage, "line two");
    press(radio().Command1);
    EXPECT_EQ(
        state.RadioMessages,
        first + "\r\n\r\nTeam Radio Transmission:\r\nline one\r\nline two\r\nEnd Transmission");
}

TEST_F(Radio, CancelAndTheCloseBoxAddNothing) {
    state.RadioMessages = "kept";
    open(pad().menuSquadron);
    type(radio().txtMessage, "never sent");
    press(radio().Command2);
    EXPECT_FALSE(radio().Loaded());
    open(pad().menuSquadron);
    type(radio().txtMessage, "never sent");
    radio().TopLevel()->close();
    settle();
    EXPECT_FALSE(radio().Loaded());
    EXPECT_EQ(state.RadioMessages, "kept");
}

TEST_F(Radio, OpenWindowFollowsAnotherKindAtOnceKeepingWhatWasTyped) {
    open(pad().radioPrivate);
    type(radio().txtTO, "XY");
    type(radio().txtMessage, "regroup");
    pick(pad().menuTeam);
    EXPECT_EQ(radio().TopLevel()->windowTitle(), "Team Radio Message");
    EXPECT_FALSE(radio().txtTO.Widget()->isEnabled());
    press(radio().Command1);
    EXPECT_EQ(state.RadioMessages,
              "\r\n\r\nTeam Radio Transmission:\r\nregroup\r\nEnd Transmission");
}

}  // namespace
}  // namespace velmora::test
