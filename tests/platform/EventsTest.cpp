// Mouse and key events: who receives them, in which order, with which values.

#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QToolTip>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"

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
    void Form_MouseMove(int b, int s, float x, float y) override {
        Note("Form:MouseMove")(b, s, x, y);
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

using Events = WindowTest;

// The receiver of a press holds the pointer until every button is up; X and Y stay relative to
// it wherever the pointer goes.
TEST_F(Events, ThePressedReceiverHoldsThePointerUntilTheButtonsAreUp) {
    const struct {
        const char* name;
        std::function<void(Mouse&)> act;
        Log expected;
    } rows[] = {
        {"released outside the window: no Click",
         [](Mouse& m) {
             m.press(300, 300);
             m.move(2550, 2550, Qt::LeftButton);
             m.move(-150, 6000, Qt::LeftButton);
             m.release(-150, 6000);
         },
         {"A:MouseDown 1 0 150 150", "A:MouseMove 1 0 2400 2400", "A:MouseMove 1 0 -300 5850",
          "A:MouseUp 1 0 -300 5850"}},
        {"a double click sends Click, then DblClick for the second press",
         [](Mouse& m) { m.doubleClick(300, 300); },
         {"A:MouseDown 1 0 150 150", "A:MouseUp 1 0 150 150", "A:Click", "A:DblClick",
          "A:MouseUp 1 0 150 150"}},
        {"a right-button double click is two presses",
         [](Mouse& m) { m.doubleClick(300, 300, Qt::RightButton); },
         {"A:MouseDown 2 0 150 150", "A:MouseUp 2 0 150 150", "A:MouseDown 2 0 150 150",
          "A:MouseUp 2 0 150 150"}},
        {"a press after a lost release starts afresh",
         [](Mouse& m) {
             m.press(300, 300);
             m.press(3990, 300);
             m.release(3990, 300);
         },
         {"A:MouseDown 1 0 150 150", "Form:Click"}},
        {"a move with no button held after a lost release ends the capture",
         [](Mouse& m) {
             m.press(300, 300);
             m.move(2550, 2550);
             m.move(4000, 300);
         },
         {"A:MouseDown 1 0 150 150", "B:MouseMove 0 0 1350 1350", "Form:MouseMove 0 0 4000 300"}},
        {"the buttons held and the shift state",
         [](Mouse& m) {
             m.move(450, 600, Qt::LeftButton | Qt::RightButton,
                    Qt::AltModifier | Qt::ShiftModifier);
             m.move(450, 600, Qt::MiddleButton, Qt::ControlModifier);
         },
         {"A:MouseMove 3 5 300 450", "A:MouseMove 4 2 300 450"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Recorder window(services);
        window.Show();
        Mouse mouse{window};
        row.act(mouse);
        EXPECT_EQ(window.log, row.expected);
    }
}

// The image that lies on top under the pointer shows its tooltip; a hidden one lets the one
// below show its own.
TEST_F(Events, AnImageToolTipShowsWhereTheImageLiesOnTop) {
    Recorder window(services);
    window.Show();
    window.A.SetToolTipText("A's tip");
    auto tipAt = [&](QPoint at) {
        QToolTip::showText(QPoint(0, 0), "before");
        QHelpEvent help(QEvent::ToolTip, at, window.InnerArea()->mapToGlobal(at));
        QCoreApplication::sendEvent(window.InnerArea(), &help);
        return QToolTip::text();
    };
    const QPoint overBoth = pixelAt(1350, 1350).toPoint();
    EXPECT_EQ(tipAt(overBoth), "before") << "B, untipped, lies on A";
    window.B.SetVisible(false);
    EXPECT_EQ(tipAt(overBoth), "A's tip");
    QToolTip::hideText();
}

TEST_F(Events, KeysGoToAWindowWithoutFocusableControls) {
    Recorder window(services);
    window.Show();
    sendKey(window.InnerArea(), Qt::Key_A, "a");
    sendKey(window.InnerArea(), Qt::Key_Escape);          // without its text
    sendKey(window.InnerArea(), Qt::Key_Delete, "\x7f");  // DEL is no character
    EXPECT_EQ(window.log, (Log{"Form:KeyPress 97", "Form:KeyPress 27"}));
}

TEST_F(Events, AWindowUnloadedByItsMouseUpHandlerGetsNoClick) {
    Recorder window(services);
    window.A.MouseUp = [&](int, int, float, float) { window.Unload(); };
    window.Show();
    Mouse{window}.click(300, 300);
    EXPECT_FALSE(window.Loaded());
    EXPECT_EQ(window.log, Log{"A:MouseDown 1 0 150 150"});
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

class Controls : public WindowTest {
protected:
    void SetUp() override { dialog.Show(); }
    QWidget* edit() const { return dialog.txtName.Widget(); }
    Dialog dialog{services};
};

// A text box reports each key's code and shift state; Enter and Esc then press the default and
// cancel buttons. A key whose handler unloads the window ends there.
TEST_F(Controls, KeysReportTheirCodesAndEnterAndEscPressTheDefaultAndCancelButtons) {
    QWidget* box = edit();
    QWidget* cancel = dialog.cmdCancel.Widget();
    const struct {
        const char* name;
        QWidget* focus;
        int key;
        const char* text;
        Log expected;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    } rows[] = {
        {"a shifted letter", box, Qt::Key_X, "x", {"KeyDown 88 1"}, Qt::ShiftModifier},
        {"keypad Enter in a text box", box, Qt::Key_Enter, "\r", {"KeyDown 13 0", "OK"}},
        {"Esc in a text box", box, Qt::Key_Escape, "\x1b", {"KeyDown 27 0", "Cancel"}},
        {"Enter on a focused button", cancel, Qt::Key_Return, "\r", {"Cancel"}},
        {"F2, whose handler unloads", box, Qt::Key_F2, "", {"KeyDown 113 0"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        dialog.log.clear();
        row.focus->setFocus();
        sendKey(row.focus, row.key, row.text, row.modifiers);
        EXPECT_EQ(dialog.log, row.expected);
    }
    EXPECT_FALSE(dialog.Loaded());
}

TEST_F(Controls, ALabelClicksOnlyForAReleaseOverIt) {
    QWidget* label = dialog.lblHint.Widget();
    for (const QPointF at : {QPointF(-50, 2), QPointF(2, 2)}) {  // beside it, then over it
        sendMouse(label, QEvent::MouseButtonPress, QPointF(2, 2), Qt::LeftButton, Qt::LeftButton);
        sendMouse(label, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    EXPECT_EQ(dialog.log, Log{"Label"});
}

TEST_F(Controls, ControlsInAFrameArePlacedWithinIt) {
    EXPECT_EQ(edit()->parentWidget(), dialog.Frame1.Widget());
    EXPECT_EQ(edit()->geometry(), QRect(8, 20, 100, 20));
}

}  // namespace
}  // namespace velmora::test
