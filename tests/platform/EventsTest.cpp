// Mouse and key events: who receives them, in which order, with which values.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/platform/TestSupport.h"

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
// it wherever the pointer goes. Keys go to a window without focusable controls.
TEST_F(Events, ThePressedReceiverHoldsThePointerUntilTheButtonsAreUpAndKeysGoToTheWindow) {
    const std::tuple<const char*, std::function<void(Recorder&, Mouse&)>, Log> rows[] = {
        {"released outside the window: no Click",
         [](Recorder&, Mouse& m) {
             m.press(300, 300);
             m.move(2550, 2550, Qt::LeftButton);
             m.move(-150, 6000, Qt::LeftButton);
             m.release(-150, 6000);
         },
         {"A:MouseDown 1 0 150 150", "A:MouseMove 1 0 2400 2400", "A:MouseMove 1 0 -300 5850",
          "A:MouseUp 1 0 -300 5850"}},
        {"a double click sends Click, then DblClick for the second press",
         [](Recorder&, Mouse& m) { m.doubleClick(300, 300); },
         {"A:MouseDown 1 0 150 150", "A:MouseUp 1 0 150 150", "A:Click", "A:DblClick",
          "A:MouseUp 1 0 150 150"}},
        {"a press after a lost release starts afresh",
         [](Recorder&, Mouse& m) {
             m.press(300, 300);
             m.press(3990, 300);
             m.release(3990, 300);
         },
         {"A:MouseDown 1 0 150 150", "Form:Click"}},
        {"a move with no button held after a lost release ends the capture",
         [](Recorder&, Mouse& m) {
             m.press(300, 300);
             m.move(2550, 2550);
             m.move(4000, 300);
         },
         {"A:MouseDown 1 0 150 150", "B:MouseMove 0 0 1350 1350", "Form:MouseMove 0 0 4000 300"}},
        {"a window unloaded by its MouseUp handler gets no Click",
         [](Recorder& w, Mouse& m) {
             w.A.MouseUp = [&w](int, int, float, float) { w.Unload(); };
             m.click(300, 300);
         },
         {"A:MouseDown 1 0 150 150"}},
        {"keys; Esc comes without its text and DEL is no character",
         [](Recorder& w, Mouse&) {
             sendKey(FormTestAccess::InnerArea(w), Qt::Key_A, "a");
             sendKey(FormTestAccess::InnerArea(w), Qt::Key_Escape);
             sendKey(FormTestAccess::InnerArea(w), Qt::Key_Delete, "\x7f");
         },
         {"Form:KeyPress 97", "Form:KeyPress 27"}},
    };
    for (const auto& [name, act, expected] : rows) {
        Recorder window(services);
        window.Show();
        Mouse mouse{window};
        act(window, mouse);
        EXPECT_EQ(window.log, expected) << name;
    }
}

// A dialog: a text box in a frame, OK and Cancel buttons and a label.
class Controls : public WindowTest {
protected:
    void SetUp() override {
        dialog.design = [this](Probe& w) {
            w.SetInnerSize(3000, 2000);
            w.Add(frame, 0, 0, 3000, 900);
            frame.Add(txtName, 120, 300, 1500, 300);
            w.Add(cmdOK, 120, 1200, 900, 375);
            cmdOK.SetDefault(true);
            w.Add(cmdCancel, 1200, 1200, 900, 375);
            cmdCancel.SetCancel(true);
            w.Add(lblHint, 120, 1650, 0, 0);
            lblHint.SetCaption("Click here to continue...");
            lblHint.SetAutoSize(true);
        };
        txtName.KeyDown = [this](int code, int shift) {
            log.push_back("KeyDown " + std::to_string(code) + " " + std::to_string(shift));
            if (code == KeyCode::F1 + 1) {
                dialog.Unload();
            }
        };
        cmdOK.Click = [this] { log.push_back("OK"); };
        cmdCancel.Click = [this] { log.push_back("Cancel"); };
        lblHint.Click = [this] { log.push_back("Label"); };
        dialog.Show();
    }
    Log log;
    Frame frame;
    TextBox txtName;
    CommandButton cmdOK, cmdCancel;
    Label lblHint;
    Probe dialog{services};
};

// Controls in a frame are placed within it. A label clicks only for a release over it. A text
// box reports each key's code and shift state; Enter and Esc then press the default and cancel
// buttons. A key whose handler unloads the window ends there.
TEST_F(Controls, LieInTheirFrameAndReportClicksAndKeysAndEnterAndEscPressTheButtons) {
    QWidget* box = txtName.Widget();
    EXPECT_EQ(box->parentWidget(), frame.Widget());
    EXPECT_EQ(box->geometry(), QRect(8, 20, 100, 20));
    for (const QPointF at : {QPointF(-50, 2), QPointF(2, 2)}) {  // beside it, then over it
        sendMouse(lblHint.Widget(), QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton,
                  Qt::LeftButton);
        sendMouse(lblHint.Widget(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }
    EXPECT_EQ(log, Log{"Label"});

    QWidget* cancel = cmdCancel.Widget();
    // The focus, the key, its text and modifiers, what comes of it.
    const std::tuple<QWidget*, int, const char*, Qt::KeyboardModifiers, Log> rows[] = {
        {box, Qt::Key_X, "x", Qt::ShiftModifier, {"KeyDown 88 1"}},
        {box, Qt::Key_Enter, "\r", Qt::KeypadModifier, {"KeyDown 13 0", "OK"}},
        {box, Qt::Key_Escape, "\x1b", Qt::NoModifier, {"KeyDown 27 0", "Cancel"}},
        {cancel, Qt::Key_Return, "\r", Qt::NoModifier, {"Cancel"}},
        {box, Qt::Key_F2, "", Qt::NoModifier, {"KeyDown 113 0"}},  // whose handler unloads
    };
    for (const auto& [focus, key, text, modifiers, expected] : rows) {
        log.clear();
        focus->setFocus();
        sendKey(focus, key, text, modifiers);
        EXPECT_EQ(log, expected) << key;
    }
    EXPECT_FALSE(dialog.Loaded());
}

}  // namespace
}  // namespace velmora::test
