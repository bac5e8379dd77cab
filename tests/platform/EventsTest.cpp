// Mouse and key events: who receives them, in which order, with which values.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

using Log = std::vector<std::string>;

// Records every event as "receiver:Event" with its values.
class Recorder : public Form {
public:
    explicit Recorder(Services& services) : Form(services) {
        Wire(A, "A");
        Wire(B, "B");
    }
    Log log;
    Image A, B;  // B lies over A where they meet

protected:
    void Design() override {
        SetInnerSize(4500, 3000);
        Add(A, 150, 150, 1500, 1500);    // pixels 10..109
        Add(B, 1200, 1200, 1500, 1500);  // pixels 80..179
    }
    void Form_Click() override { log.push_back("Form:Click"); }
    void Form_MouseDown(int b, int s, float x, float y) override {
        Note("Form:MouseDown")(b, s, x, y);
    }
    void Form_MouseUp(int b, int s, float x, float y) override { Note("Form:MouseUp")(b, s, x, y); }
    void Form_KeyDown(int code, int shift) override {
        log.push_back("Form:KeyDown " + std::to_string(code) + " " + std::to_string(shift));
    }
    void Form_KeyPress(int ascii) override {
        log.push_back("Form:KeyPress " + std::to_string(ascii));
    }

private:
    MouseHandler Note(const std::string& event) {
        return [this, event](int b, int s, float x, float y) {
            log.push_back(event + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                          std::to_string(std::lround(x)) + " " + std::to_string(std::lround(y)));
        };
    }
    void Wire(Image& image, const std::string& name) {
        image.Click = [this, name] { log.push_back(name + ":Click"); };
        image.DblClick = [this, name] { log.push_back(name + ":DblClick"); };
        image.MouseDown = Note(name + ":MouseDown");
        image.MouseUp = Note(name + ":MouseUp");
        image.MouseMove = Note(name + ":MouseMove");
    }
};

class Events : public ::testing::Test {
protected:
    void SetUp() override { window.Show(); }
    void TearDown() override { settle(); }
    ScriptedServices services;
    Log take() { return std::exchange(window.log, {}); }
    Recorder window{services};
    Mouse mouse{window};
};

TEST_F(Events, TheTopmostVisibleImageUnderThePointerGetsTheClick) {
    struct Row {
        const char* name;
        float x, y;
        bool hideB;
        const char* receiver;
    };
    const Row rows[] = {
        {"only A", 300, 300, false, "A"},
        {"overlap, B on top", 1350, 1350, false, "B"},
        {"overlap, B hidden", 1350, 1350, true, "A"},
        {"only B", 2550, 2550, false, "B"},
        {"bare area", 4000, 300, false, "Form"},
        {"just right of A", 1650, 300, false, "Form"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        window.B.SetVisible(!row.hideB);
        mouse.click(row.x, row.y);
        ASSERT_EQ(window.log.size(), 3u);
        EXPECT_EQ(take()[2], std::string(row.receiver) + ":Click");
    }
}

TEST_F(Events, ThePressedReceiverHoldsThePointerAndClickComesBeforeDblClick) {
    mouse.press(300, 300);
    mouse.move(2550, 2550, Qt::LeftButton);  // over B
    mouse.move(-150, 6000, Qt::LeftButton);  // outside the window
    mouse.release(-150, 6000);
    EXPECT_EQ(take(), (Log{"A:MouseDown 1 0 150 150", "A:MouseMove 1 0 2400 2400",
                           "A:MouseMove 1 0 -300 5850", "A:MouseUp 1 0 -300 5850"}))
        << "no Click after a release elsewhere";

    mouse.press(300, 300);
    mouse.release(2550, 2550);
    mouse.move(2550, 2550);
    EXPECT_EQ(take(), (Log{"A:MouseDown 1 0 150 150", "A:MouseUp 1 0 2400 2400",
                           "B:MouseMove 0 0 1350 1350"}))
        << "capture ends with the release";

    mouse.press(4000, 300);
    mouse.release(300, 300);
    EXPECT_EQ(take(), (Log{"Form:MouseDown 1 0 4000 300", "Form:MouseUp 1 0 300 300"}));

    mouse.press(300, 300, Qt::RightButton);
    mouse.release(300, 300, Qt::RightButton);
    EXPECT_EQ(take(), (Log{"A:MouseDown 2 0 150 150", "A:MouseUp 2 0 150 150"}))
        << "only the left button clicks";

    // A release lost to a modal dialog does not leave the pointer held.
    mouse.press(300, 300);
    mouse.press(3990, 300);
    mouse.release(3990, 300);
    EXPECT_EQ(take(), (Log{"A:MouseDown 1 0 150 150", "Form:MouseDown 1 0 3990 300",
                           "Form:MouseUp 1 0 3990 300", "Form:Click"}));

    mouse.doubleClick(300, 300);
    EXPECT_EQ(take(), (Log{"A:MouseDown 1 0 150 150", "A:MouseUp 1 0 150 150", "A:Click",
                           "A:DblClick", "A:MouseUp 1 0 150 150"}));
}

TEST_F(Events, MouseMoveReportsTheButtonsHeldAndTheShiftState) {
    mouse.move(450, 600, Qt::LeftButton | Qt::RightButton, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(take(), Log{"A:MouseMove 3 5 300 450"});
    mouse.move(450, 600, Qt::MiddleButton, Qt::ControlModifier);
    EXPECT_EQ(take(), Log{"A:MouseMove 4 2 300 450"});
}

TEST_F(Events, KeysGoToAWindowWithoutFocusableControls) {
    struct Row {
        int key;
        QString text;
        Qt::KeyboardModifiers modifiers;
        Log expected;
    };
    const Row rows[] = {
        {Qt::Key_A, "a", Qt::NoModifier, {"Form:KeyDown 65 0", "Form:KeyPress 97"}},
        {Qt::Key_A, "A", Qt::ShiftModifier, {"Form:KeyDown 65 1", "Form:KeyPress 65"}},
        {Qt::Key_Left, "", Qt::NoModifier, {"Form:KeyDown 37 0"}},
        {Qt::Key_Down, "", Qt::ControlModifier, {"Form:KeyDown 40 2"}},
        {Qt::Key_Escape, "\x1b", Qt::NoModifier, {"Form:KeyDown 27 0", "Form:KeyPress 27"}},
        {Qt::Key_Escape, "", Qt::NoModifier, {"Form:KeyDown 27 0", "Form:KeyPress 27"}},
    };
    for (const Row& row : rows) {
        sendKey(window.InnerArea(), row.key, row.text, row.modifiers);
        EXPECT_EQ(take(), row.expected) << row.key;
    }
}

TEST_F(Events, AHandlerMayUnloadItsWindowInTheMiddleOfAnEvent) {
    window.A.MouseDown = [this](int, int, float, float) { window.Unload(); };
    mouse.press(300, 300);
    EXPECT_FALSE(window.Loaded());
    settle();
    window.Show();
    window.log.clear();
    mouse.click(4000, 300);
    EXPECT_EQ(window.log.back(), "Form:Click");
}

// A dialog with a text box in a frame, OK and Cancel buttons and a label.
class Dialog : public Form {
public:
    explicit Dialog(Services& services) : Form(services) {
        txtName.KeyDown = [this](int code, int shift) {
            log.push_back("KeyDown " + std::to_string(code) + " " + std::to_string(shift));
            if (code == KeyCode::F1 + 1) {
                Unload();
            }
        };
        txtName.KeyPress = [this](int ascii) {
            log.push_back("KeyPress " + std::to_string(ascii));
        };
        txtName.Change = [this] { log.push_back("Change"); };
        cmdOK.Click = [this] { log.push_back("OK"); };
        cmdCancel.Click = [this] { log.push_back("Cancel"); };
        lblHint.Click = [this] { log.push_back("Label"); };
    }
    Log log;
    TextBox txtName;
    CommandButton cmdOK, cmdCancel;
    Label lblHint;
    Frame Frame1;

protected:
    void Design() override {
        SetBorderStyle(BorderStyle::FixedDialog);
        SetInnerSize(3000, 2000);
        Add(Frame1, 0, 0, 3000, 900);
        Frame1.Add(txtName, 120, 300, 1500, 300);
        Add(cmdOK, 120, 1200, 900, 375);
        cmdOK.SetDefault(true);
        Add(cmdCancel, 1200, 1200, 900, 375);
        cmdCancel.SetCancel(true);
        Add(lblHint, 120, 1650, 0, 0);
        lblHint.SetCaption("Click here to continue...");
        lblHint.SetAutoSize(true);
    }
};

class Controls : public ::testing::Test {
protected:
    void SetUp() override { dialog.Show(); }
    void TearDown() override { settle(); }
    QWidget* edit() const { return dialog.txtName.Widget(); }
    ScriptedServices services;
    Dialog dialog{services};
};

TEST_F(Controls, TextBoxReportsKeyDownThenKeyPressAndChanges) {
    sendKey(edit(), Qt::Key_X, "x");
    EXPECT_EQ(dialog.log, (Log{"KeyDown 88 0", "KeyPress 120", "Change"}));
    EXPECT_EQ(dialog.txtName.Text(), "x");
    dialog.log.clear();
    dialog.txtName.SetText("set");
    EXPECT_EQ(dialog.log, Log{"Change"});
}

TEST_F(Controls, EnterAndEscPressTheDefaultAndCancelButtons) {
    struct Row {
        const char* name;
        QWidget* focus;
        int key;
        bool okEnabled;
        Log expected;
    };
    QWidget* box = edit();
    QWidget* ok = dialog.cmdOK.Widget();
    QWidget* cancel = dialog.cmdCancel.Widget();
    const Row rows[] = {
        {"Enter in a text box", box, Qt::Key_Return, true, {"KeyDown 13 0", "KeyPress 13", "OK"}},
        {"Esc in a text box", box, Qt::Key_Escape, true, {"KeyDown 27 0", "KeyPress 27", "Cancel"}},
        {"Esc on a focused button", ok, Qt::Key_Escape, true, {"Cancel"}},
        {"Enter on a focused button", cancel, Qt::Key_Return, true, {"Cancel"}},
        {"disabled default button", box, Qt::Key_Enter, false, {"KeyDown 13 0", "KeyPress 13"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        dialog.log.clear();
        dialog.cmdOK.SetEnabled(row.okEnabled);
        row.focus->setFocus();
        sendKey(row.focus, row.key, row.key == Qt::Key_Escape ? "\x1b" : "\r");
        EXPECT_EQ(dialog.log, row.expected);
    }
}

TEST_F(Controls, AKeyHandlerThatUnloadsTheWindowEndsTheKey) {
    sendKey(edit(), Qt::Key_F2);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(dialog.log, Log{"KeyDown 113 0"});
}

TEST_F(Controls, LabelClicksOnlyForAReleaseOverIt) {
    QWidget* label = dialog.lblHint.Widget();
    sendMouse(label, QEvent::MouseButtonPress, QPointF(2, 2), Qt::LeftButton, Qt::LeftButton);
    sendMouse(label, QEvent::MouseButtonRelease, QPointF(2, 2), Qt::LeftButton, Qt::NoButton);
    sendMouse(label, QEvent::MouseButtonPress, QPointF(2, 2), Qt::LeftButton, Qt::LeftButton);
    sendMouse(label, QEvent::MouseButtonRelease, QPointF(-50, 2), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(dialog.log, Log{"Label"});
}

TEST_F(Controls, ControlsInAFrameArePlacedWithinIt) {
    EXPECT_EQ(edit()->parentWidget(), dialog.Frame1.Widget());
    EXPECT_EQ(edit()->geometry(), QRect(8, 20, 100, 20));
}

TEST_F(Controls, LabelsSizeToTheirTextAndTextBoxesHoldTheirLimit) {
    Label& label = dialog.lblHint;
    const float shortWidth = label.Width();
    label.SetCaption("Click here to continue, and then some more");
    EXPECT_GT(label.Width(), shortWidth);

    dialog.txtName.SetMaxLength(2);
    dialog.txtName.SetText("ABC");
    EXPECT_EQ(dialog.txtName.Text(), "AB");
}

TEST_F(Controls, MultiLineTextComesBackWithCrLf) {
    TextBox& box = dialog.txtName;
    box.SetText("kept");
    box.SetMultiLine(true);
    EXPECT_EQ(box.Text(), "kept");
    box.SetText("one\r\ntwo\nthree\r\n");
    EXPECT_EQ(box.Text(), "one\r\ntwo\r\nthree\r\n");
    box.SetMaxLength(5);
    EXPECT_EQ(box.Text(), "one\r\nt");

    dialog.log.clear();
    sendKey(box.Widget(), Qt::Key_Z, "z");
    EXPECT_EQ(dialog.log.front(), "KeyDown 90 0") << "the handlers survive the new widget";
}

}  // namespace
}  // namespace velmora::test
