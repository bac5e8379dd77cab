// Mouse and key events: who receives them, in which order, with which values.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

// Records every event as "receiver:Event" with its values.
class Recorder : public Form {
public:
    explicit Recorder(Services& services) : Form(services) {
        Wire(A, "A");
        Wire(B, "B");
    }
    std::vector<std::string> log;
    std::function<void(Recorder&)> design;
    Image A, B;  // B lies over A where they meet

protected:
    void Design() override {
        SetInnerSize(4500, 3000);
        Add(A, 150, 150, 1500, 1500);    // pixels 10..109
        Add(B, 1200, 1200, 1500, 1500);  // pixels 80..179
        if (design) {
            design(*this);
        }
    }
    void Form_Click() override { Note("Form:Click"); }
    void Form_DblClick() override { Note("Form:DblClick"); }
    void Form_MouseDown(int b, int s, float x, float y) override {
        Mouse("Form:MouseDown", b, s, x, y);
    }
    void Form_MouseUp(int b, int s, float x, float y) override {
        Mouse("Form:MouseUp", b, s, x, y);
    }
    void Form_MouseMove(int b, int s, float x, float y) override {
        Mouse("Form:MouseMove", b, s, x, y);
    }
    void Form_KeyDown(int code, int shift) override {
        Note("Form:KeyDown " + std::to_string(code) + " " + std::to_string(shift));
    }
    void Form_KeyPress(int ascii) override { Note("Form:KeyPress " + std::to_string(ascii)); }

private:
    void Note(const std::string& entry) { log.push_back(entry); }
    void Mouse(const std::string& name, int b, int s, float x, float y) {
        Note(name + " " + std::to_string(b) + " " + std::to_string(s) + " " +
             std::to_string(std::lround(x)) + " " + std::to_string(std::lround(y)));
    }
    void Wire(Image& image, const std::string& name) {
        image.Click = [this, name] { Note(name + ":Click"); };
        image.DblClick = [this, name] { Note(name + ":DblClick"); };
        image.MouseDown = [this, name](int b, int s, float x, float y) {
            Mouse(name + ":MouseDown", b, s, x, y);
        };
        image.MouseUp = [this, name](int b, int s, float x, float y) {
            Mouse(name + ":MouseUp", b, s, x, y);
        };
        image.MouseMove = [this, name](int b, int s, float x, float y) {
            Mouse(name + ":MouseMove", b, s, x, y);
        };
    }
};

using Log = std::vector<std::string>;

class Events : public ::testing::Test {
protected:
    void SetUp() override { window.Show(); }
    void TearDown() override { settle(); }
    ScriptedServices services;
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
        window.log.clear();
        mouse.click(row.x, row.y);
        ASSERT_EQ(window.log.size(), 3u);
        EXPECT_EQ(window.log[2], std::string(row.receiver) + ":Click");
    }
}

TEST_F(Events, ADoubleClickGivesClickThenDblClick) {
    mouse.doubleClick(300, 300);
    EXPECT_EQ(window.log, (Log{"A:MouseDown 1 0 150 150", "A:MouseUp 1 0 150 150", "A:Click",
                               "A:DblClick", "A:MouseUp 1 0 150 150"}));
}

TEST_F(Events, ThePressedControlKeepsThePointerUntilRelease) {
    mouse.press(300, 300);
    mouse.move(2550, 2550, Qt::LeftButton);  // over B
    mouse.move(-150, 6000, Qt::LeftButton);  // outside the window
    mouse.release(-150, 6000);
    EXPECT_EQ(window.log, (Log{"A:MouseDown 1 0 150 150", "A:MouseMove 1 0 2400 2400",
                               "A:MouseMove 1 0 -300 5850", "A:MouseUp 1 0 -300 5850"}))
        << "MouseUp goes to A; no Click after a release elsewhere";

    window.log.clear();
    mouse.press(300, 300);
    mouse.release(2550, 2550);
    EXPECT_EQ(window.log, (Log{"A:MouseDown 1 0 150 150", "A:MouseUp 1 0 2400 2400"}));

    window.log.clear();
    mouse.press(4000, 300);  // the form holds the pointer too
    mouse.release(300, 300);
    EXPECT_EQ(window.log, (Log{"Form:MouseDown 1 0 4000 300", "Form:MouseUp 1 0 300 300"}));

    window.log.clear();
    mouse.move(300, 300);
    EXPECT_EQ(window.log, (Log{"A:MouseMove 0 0 150 150"})) << "capture ends with the release";

    // A release lost to a modal dialog does not leave the pointer held.
    window.log.clear();
    mouse.press(300, 300);
    mouse.press(3990, 300);
    mouse.release(3990, 300);
    EXPECT_EQ(window.log, (Log{"A:MouseDown 1 0 150 150", "Form:MouseDown 1 0 3990 300",
                               "Form:MouseUp 1 0 3990 300", "Form:Click"}));
}

TEST_F(Events, MouseMoveReportsTheButtonsHeldAndTheShiftState) {
    struct Row {
        Qt::MouseButtons held;
        Qt::KeyboardModifiers modifiers;
        const char* expected;
    };
    const Row rows[] = {
        {Qt::NoButton, Qt::NoModifier, "A:MouseMove 0 0 300 450"},
        {Qt::LeftButton, Qt::NoModifier, "A:MouseMove 1 0 300 450"},
        {Qt::RightButton, Qt::ShiftModifier, "A:MouseMove 2 1 300 450"},
        {Qt::MiddleButton, Qt::ControlModifier, "A:MouseMove 4 2 300 450"},
        {Qt::LeftButton | Qt::RightButton, Qt::AltModifier | Qt::ShiftModifier,
         "A:MouseMove 3 5 300 450"},
    };
    for (const Row& row : rows) {
        window.log.clear();
        mouse.move(450, 600, row.held, row.modifiers);
        EXPECT_EQ(window.log, Log{row.expected});
    }
}

TEST_F(Events, OnlyTheLeftButtonClicksAndEachButtonIsReportedOnItsOwn) {
    mouse.press(300, 300, Qt::RightButton);
    mouse.release(300, 300, Qt::RightButton);
    EXPECT_EQ(window.log, (Log{"A:MouseDown 2 0 150 150", "A:MouseUp 2 0 150 150"}));
}

TEST_F(Events, KeysGoToAWindowWithoutFocusableControls) {
    struct Row {
        int key;
        QString text;
        Qt::KeyboardModifiers modifiers;
        Log expected;
    };
    const Row rows[] = {
        {Qt::Key_Escape, "\x1b", Qt::NoModifier, {"Form:KeyDown 27 0", "Form:KeyPress 27"}},
        {Qt::Key_Return, "\r", Qt::NoModifier, {"Form:KeyDown 13 0", "Form:KeyPress 13"}},
        {Qt::Key_A, "a", Qt::NoModifier, {"Form:KeyDown 65 0", "Form:KeyPress 97"}},
        {Qt::Key_A, "A", Qt::ShiftModifier, {"Form:KeyDown 65 1", "Form:KeyPress 65"}},
        {Qt::Key_Left, "", Qt::NoModifier, {"Form:KeyDown 37 0"}},
        {Qt::Key_Down, "", Qt::ControlModifier, {"Form:KeyDown 40 2"}},
        {Qt::Key_Escape, "", Qt::NoModifier, {"Form:KeyDown 27 0", "Form:KeyPress 27"}},
    };
    EXPECT_EQ(window.InnerArea()->focusPolicy(), Qt::StrongFocus);
    for (const Row& row : rows) {
        window.log.clear();
        sendKey(window.InnerArea(), row.key, row.text, row.modifiers);
        EXPECT_EQ(window.log, row.expected) << row.key;
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

// A dialog with a text box and OK and Cancel buttons.
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
    std::vector<std::string> log;
    bool defaultButtons = true;
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
        cmdOK.SetCaption("OK");
        cmdOK.SetDefault(defaultButtons);
        Add(cmdCancel, 1200, 1200, 900, 375);
        cmdCancel.SetCaption("Cancel");
        cmdCancel.SetCancel(defaultButtons);
        Add(lblHint, 120, 1650, 0, 0);
        lblHint.SetCaption("Click here to continue...");
        lblHint.SetAutoSize(true);
    }
};

class Controls : public ::testing::Test {
protected:
    void SetUp() override { dialog.Show(); }
    void TearDown() override { settle(); }
    QLineEdit* edit() const { return qobject_cast<QLineEdit*>(dialog.txtName.Widget()); }
    ScriptedServices services;
    Dialog dialog{services};
};

TEST_F(Controls, TextBoxReportsKeyDownThenKeyPressAndChanges) {
    dialog.txtName.SetFocus();
    sendKey(edit(), Qt::Key_X, "x");
    EXPECT_EQ(dialog.log, (Log{"KeyDown 88 0", "KeyPress 120", "Change"}));
    EXPECT_EQ(dialog.txtName.Text(), "x");
    dialog.log.clear();
    dialog.txtName.SetText("set");
    EXPECT_EQ(dialog.log, Log{"Change"});
}

TEST_F(Controls, EnterAndEscPressTheDefaultAndCancelButtons) {
    dialog.txtName.SetFocus();
    sendKey(edit(), Qt::Key_Return, "\r");
    sendKey(edit(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(dialog.log,
              (Log{"KeyDown 13 0", "KeyPress 13", "OK", "KeyDown 27 0", "KeyPress 27", "Cancel"}));

    // Esc reaches the cancel button from a focused button too.
    dialog.log.clear();
    dialog.cmdOK.SetFocus();
    sendKey(dialog.cmdOK.Widget(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(dialog.log, Log{"Cancel"});

    // A focused button takes Enter itself.
    dialog.log.clear();
    dialog.cmdCancel.SetFocus();
    sendKey(dialog.cmdCancel.Widget(), Qt::Key_Return, "\r");
    EXPECT_EQ(dialog.log, Log{"Cancel"});

    // A disabled default button is not pressed.
    dialog.log.clear();
    dialog.cmdOK.SetEnabled(false);
    dialog.txtName.SetFocus();
    sendKey(edit(), Qt::Key_Enter, "\r");
    EXPECT_EQ(dialog.log, (Log{"KeyDown 13 0", "KeyPress 13"}));
}

TEST_F(Controls, WithoutDefaultOrCancelButtonsEnterAndEscDoNothing) {
    dialog.Unload();
    settle();
    dialog.defaultButtons = false;
    dialog.Show();
    sendKey(edit(), Qt::Key_Return, "\r");
    sendKey(edit(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(dialog.log, (Log{"KeyDown 13 0", "KeyPress 13", "KeyDown 27 0", "KeyPress 27"}));
}

TEST_F(Controls, AKeyHandlerThatUnloadsTheWindowEndsTheKey) {
    sendKey(edit(), Qt::Key_F2, "");
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
    EXPECT_EQ(dialog.txtName.Widget()->parentWidget(), dialog.Frame1.Widget());
    EXPECT_EQ(dialog.txtName.Widget()->geometry(), QRect(8, 20, 100, 20));
}

TEST_F(Controls, LabelsSizeToTheirTextAndTextBoxesHoldTheirLimit) {
    Label& label = dialog.lblHint;
    const float shortWidth = label.Width();
    EXPECT_GT(shortWidth, 0);
    label.SetCaption("Click here to continue, and then some more");
    EXPECT_GT(label.Width(), shortWidth);
    EXPECT_EQ(label.Widget()->width(), twipsToPixels(label.Width()));
    label.SetFontSize(13.5f);
    EXPECT_GT(label.Height(), pixelsToTwips(label.Widget()->fontMetrics().height()) / 2);

    dialog.txtName.SetMaxLength(2);
    dialog.txtName.SetText("ABC");
    EXPECT_EQ(dialog.txtName.Text(), "AB");
}

TEST_F(Controls, MultiLineTextComesBackWithCrLf) {
    TextBox& box = dialog.txtName;
    box.SetText("kept");
    box.SetMultiLine(true);
    box.SetScrollBars(ScrollBars::Vertical);
    auto* edit = qobject_cast<QPlainTextEdit*>(box.Widget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(box.Text(), "kept");
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    box.SetText("one\r\ntwo\nthree\r\n");
    EXPECT_EQ(box.Text(), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(edit->document()->blockCount(), 4) << "an empty last line after the final CR LF";

    box.SetMaxLength(5);
    EXPECT_EQ(box.Text(), "one\r\nt");
    // The handlers survive the new widget.
    dialog.log.clear();
    sendKey(edit, Qt::Key_Z, "z");
    EXPECT_EQ(dialog.log.front(), "KeyDown 90 0");
}

}  // namespace
}  // namespace velmora::test
