#pragma once
// A run of the order windows with scripted services, and a pilot's hands on them.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <initializer_list>
#include <string>

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

// Parameters as (name, kind) pairs; every value starts as the reader leaves it.
inline void addCommand(SharedSubsAndVar& state, const std::string& name,
                       std::initializer_list<std::pair<const char*, const char*>> params = {}) {
    CommandDef& command = state.Commands.Append();
    command.Name = name;
    std::size_t slot = 1;
    for (const auto& [param, kind] : params) {
        command.Params[slot].Name = param;
        command.Params[slot].Kind = kind;
        command.Params[slot++].Value =
            std::string(kind) == "Integer" ? ParamValue(0.0) : ParamValue(std::string());
    }
}

inline void clickWidget(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
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
    // Mouse on one of the pad's picture buttons, at its centre.
    void click(const Image& b) { Mouse{pad()}.click(b.Left() + 180, b.Top() + 180); }
    void doubleClick(const Image& b) { Mouse{pad()}.doubleClick(b.Left() + 180, b.Top() + 180); }
    static void pick(MenuItem& item) {
        ASSERT_NE(item.Action(), nullptr);
        item.Action()->trigger();
    }
    static void type(TextBox& box, const QString& text) { QTest::keyClicks(box.Widget(), text); }
    // Types into the prompt's box and presses Enter.
    void answer(const QString& typed) {
        ASSERT_TRUE(prompt().Loaded());
        type(prompt().InputBox, typed);
        QTest::keyClick(prompt().InputBox.Widget(), Qt::Key_Return);
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
