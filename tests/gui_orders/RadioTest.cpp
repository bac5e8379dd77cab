// The radio window: its look by kind and the block that Continue appends.

#include <QLineEdit>

#include "OrdersTestSupport.h"

namespace velmora::test {
namespace {

class Radio : public OrdersTest {
protected:
    void openRadio(MenuItem frmFlightPad::*item) {
        openPad();
        pick(pad().*item);
        ASSERT_TRUE(radio().Loaded());
    }
    void type(TextBox& box, const QString& text) { QTest::keyClicks(box.Widget(), text); }
    void pressEnter(TextBox& box) { QTest::keyClick(box.Widget(), Qt::Key_Return); }
};

TEST_F(Radio, EachKindHasItsCaptionAndToField) {
    const struct {
        MenuItem frmFlightPad::*item;
        const char* caption;
        bool toEnabled;
    } cases[] = {
        {&frmFlightPad::radioPrivate, "Private Radio Message", true},
        {&frmFlightPad::menuSquadron, "Squadron Radio Message", false},
        {&frmFlightPad::menuTeam, "Team Radio Message", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        openRadio(c.item);
        EXPECT_EQ(radio().TopLevel()->windowTitle(), c.caption);
        EXPECT_EQ(radio().txtTO.Widget()->isEnabled(), c.toEnabled);
        EXPECT_EQ(radio().Label1.Widget()->isEnabled(), c.toEnabled);
        EXPECT_EQ(radio().txtTO.Text(), "");
        EXPECT_EQ(radio().txtMessage.Text(), "");
        pad().Unload();
        settle();
    }
}

TEST_F(Radio, ContinueAppendsTheBlockOfItsKind) {
    state.RadioMessages = "before";
    openRadio(&frmFlightPad::radioPrivate);
    type(radio().txtTO, "ABC");  // the third letter does not fit
    EXPECT_EQ(radio().txtTO.Text(), "AB");
    type(radio().txtMessage, "hello");
    clickWidget(radio().Command1.Widget());
    EXPECT_FALSE(radio().Loaded());
    EXPECT_EQ(state.RadioMessages,
              "before\r\n\r\nRadio Transmission:AB\r\nhello\r\nEnd Transmission");

    pick(pad().menuTeam);
    type(radio().txtMessage, "line one");
    pressEnter(radio().txtMessage);  // Enter starts a new line, it does not press a button
    type(radio().txtMessage, "line two");
    ASSERT_TRUE(radio().Loaded());
    clickWidget(radio().Command1.Widget());
    EXPECT_EQ(state.RadioMessages,
              "before\r\n\r\nRadio Transmission:AB\r\nhello\r\nEnd Transmission"
              "\r\n\r\nTeam Radio Transmission:\r\nline one\r\nline two\r\nEnd Transmission");
}

TEST_F(Radio, EmptyPrivateMessageGivesTheBareBlock) {
    openRadio(&frmFlightPad::radioPrivate);
    clickWidget(radio().Command1.Widget());
    EXPECT_EQ(state.RadioMessages, "\r\n\r\nRadio Transmission:\r\n\r\nEnd Transmission");
}

TEST_F(Radio, CancelAndTheCloseBoxAddNothing) {
    state.RadioMessages = "kept";
    openRadio(&frmFlightPad::menuSquadron);
    type(radio().txtMessage, "never sent");
    clickWidget(radio().Command2.Widget());
    EXPECT_FALSE(radio().Loaded());
    pick(pad().menuSquadron);
    type(radio().txtMessage, "never sent");
    radio().TopLevel()->close();
    settle();
    EXPECT_FALSE(radio().Loaded());
    EXPECT_EQ(state.RadioMessages, "kept");
    EXPECT_TRUE(pad().menuSquadron.Checked());
}

TEST_F(Radio, OpenWindowFollowsAnotherKindAtOnceKeepingWhatWasTyped) {
    openRadio(&frmFlightPad::radioPrivate);
    type(radio().txtTO, "XY");
    type(radio().txtMessage, "regroup");
    pick(pad().menuTeam);
    EXPECT_EQ(radio().TopLevel()->windowTitle(), "Team Radio Message");
    EXPECT_FALSE(radio().txtTO.Widget()->isEnabled());
    EXPECT_EQ(radio().txtMessage.Text(), "regroup");
    clickWidget(radio().Command1.Widget());
    EXPECT_EQ(state.RadioMessages,
              "\r\n\r\nTeam Radio Transmission:\r\nregroup\r\nEnd Transmission");
}

}  // namespace
}  // namespace velmora::test
