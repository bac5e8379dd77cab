#pragma once
// A run of the order windows with scripted services, and a pilot's hands on them.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <initializer_list>
#include <string>
#include <utility>

#include "../platform/TestSupport.h"
#include "GUI/Text.h"
#include "GUI/Windows.h"
#include "GUI/orders/frmCommandPrompt.h"
#include "GUI/orders/frmFlightPad.h"
#include "GUI/orders/frmGenerator.h"
#include "GUI/orders/frmRadio.h"
#include "model/SharedSubsAndVar.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {

struct Param {
    const char* name;
    const char* kind;
};

inline void addCommand(SharedSubsAndVar& state, const std::string& name,
                       std::initializer_list<Param> params = {}) {
    CommandDef& command = state.Commands.Append();
    command.Name = name;
    std::size_t slot = 1;
    for (const Param& p : params) {
        command.Params[slot].Name = p.name;
        command.Params[slot].Kind = p.kind;
        command.Params[slot].Value =
            std::string(p.kind) == "Integer" ? ParamValue(0.0) : ParamValue(std::string());
        ++slot;
    }
}

// Centre of a control, in twips, for Mouse.
inline std::pair<float, float> centreOf(const Image& image) {
    return {image.Left() + image.Width() / 2, image.Top() + image.Height() / 2};
}

inline void clickWidget(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    const QPointF centre = QRectF(widget->rect()).center();
    sendMouse(widget, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
}

class OrdersTest : public ::testing::Test {
protected:
    OrdersTest() {
        state.Ceiling = 20000;
        state.OrderHeading = 90;
        state.OrderAltitude = 5000;
        state.OrderThrottle = 100;
        state.PilotName = "Ada";
        state.PilotPassword = "pw";
        state.ServerAddr = "gm@arena.example";
    }
    void TearDown() override {
        pad().Unload();
        settle();
    }

    frmFlightPad& pad() { return windows.FlightPad(); }
    frmCommandPrompt& prompt() { return windows.CommandPrompt(); }
    frmRadio& radio() { return windows.Radio(); }
    frmGenerator& generator() { return windows.Generator(); }

    void openPad() {
        pad().Show();
        settle();
    }
    void click(const Image& button) {
        const auto [x, y] = centreOf(button);
        Mouse{pad()}.click(x, y);
    }
    void doubleClick(const Image& button) {
        const auto [x, y] = centreOf(button);
        Mouse{pad()}.doubleClick(x, y);
    }
    static void pick(MenuItem& item) {
        ASSERT_NE(item.Action(), nullptr);
        item.Action()->trigger();
    }
    // Types into the prompt's box and presses Enter.
    void answer(const QString& typed) {
        ASSERT_TRUE(prompt().Loaded());
        QWidget* box = prompt().InputBox.Widget();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        settle();
    }
    static QString caption(const Label& label) {
        auto* widget = qobject_cast<QLabel*>(label.Widget());
        return widget != nullptr ? widget->text() : QString();
    }

    SharedSubsAndVar state;
    ScriptedServices services;
    Windows windows{state, services};
};

}  // namespace velmora::test
