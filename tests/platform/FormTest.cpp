// Loading, placing and unloading windows, and their menus.

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QWindow>
#include <tuple>

#include "tests/platform/TestSupport.h"

namespace velmora::test {
namespace {

using FormLifecycle = WindowTest;

// An owned window of any frame is a kind that the window system keeps above its owner and out of
// the task bar (transient for it): a dialog or a tool window, never a normal window.
TEST_F(FormLifecycle, WindowKindsSetTheirFramesAndOwnedOnesAreTransient) {
    // Its name, border, whether owned and in the task bar, the window type, fixed size, min box.
    using Row = std::tuple<const char*, BorderStyle, bool, bool, Qt::WindowType, bool, bool>;
    const Row rows[] = {
        {"sizable", BorderStyle::Sizable, false, true, Qt::Window, false, true},
        {"sizable, no min box", BorderStyle::Sizable, false, true, Qt::Window, false, false},
        {"fixed single", BorderStyle::FixedSingle, false, true, Qt::Window, true, true},
        {"tool window", BorderStyle::FixedToolWindow, false, true, Qt::Tool, true, true},
        {"borderless", BorderStyle::None, false, true, Qt::Window, true, true},
        // Owned: kept above the owner only without a task bar entry of its own.
        {"owned, in the task bar", BorderStyle::Sizable, true, true, Qt::Window, false, true},
        {"owned sizable", BorderStyle::Sizable, true, false, Qt::Dialog, false, true},
        {"owned fixed single", BorderStyle::FixedSingle, true, false, Qt::Dialog, true, true},
    };
    Probe owner(services);
    owner.Show();
    const QWindow* ownerWindow = FormTestAccess::TopLevel(owner)->windowHandle();
    for (const auto& [name, style, owned, inTaskbar, type, fixed, minButton] : rows) {
        SCOPED_TRACE(name);
        Probe window(services);
        window.design = [&](Probe& w) {
            w.SetBorderStyle(style);
            w.SetShowInTaskbar(inTaskbar);
            w.SetMinButton(minButton);
        };
        window.Show(owned ? &owner : nullptr);
        const QWidget* top = FormTestAccess::TopLevel(window);
        EXPECT_EQ(top->windowType(), type);
        EXPECT_EQ(top->minimumSize() == top->maximumSize(), fixed);
        EXPECT_EQ(bool(top->windowFlags() & Qt::FramelessWindowHint), style == BorderStyle::None);
        // Qt makes only dialogs and tool windows transient for the window manager.
        EXPECT_TRUE(!owned || inTaskbar || top->windowHandle()->transientParent() == ownerWindow);
        EXPECT_EQ(bool(top->windowFlags() & Qt::WindowMinimizeButtonHint),
                  style == BorderStyle::Sizable && minButton);
    }
}

TEST_F(FormLifecycle, PlacesAndMeasuresTheWindowAsLaidOut) {
    Probe pad(services), prompt(services);
    MenuItem menuRadio;
    pad.design = [&](Probe& w) {
        w.SetBorderStyle(BorderStyle::FixedToolWindow);
        w.AddMenu(menuRadio, "Radio");
        w.SetManualPosition(45, 2565);
    };
    prompt.design = [](Probe& w) { w.SetStartUpPosition(StartUpPosition::CenterOwner); };
    pad.Show();
    prompt.Show(&pad);

    // The inner area, below the pad's menu bar, starts at the screen point it was given.
    EXPECT_EQ(FormTestAccess::InnerArea(pad)->mapToGlobal(QPoint(0, 0)), QPoint(3, 171));
    const QPoint padCentre = FormTestAccess::TopLevel(pad)->frameGeometry().center();
    const QPoint promptCentre = FormTestAccess::TopLevel(prompt)->frameGeometry().center();
    EXPECT_LE((promptCentre - padCentre).manhattanLength(), 4);
}

TEST_F(FormLifecycle, UnloadingItselfWhileLoadingLeavesItClosed) {
    Probe window(services);
    window.load = [](Probe& w) { w.Unload(); };
    window.Show();
    EXPECT_FALSE(window.Loaded());
}

// Picking an item leaves its check mark to the handler; an item without one shows no empty check
// box. Hiding every menu hides the bar and gives its room to the inner area.
TEST_F(FormLifecycle, MenuItemsShowWhatIsSetAndHidingEveryMenuRemovesTheBar) {
    Probe window(services);
    MenuItem menuView, menuZoom;
    window.design = [&](Probe& w) {
        w.AddMenu(menuView, "&View");
        menuView.Add(menuZoom, "zoom");
    };
    window.Show();
    EXPECT_FALSE(menuZoom.Action()->isCheckable());
    menuZoom.SetChecked(true);
    menuZoom.Action()->trigger();
    EXPECT_TRUE(menuZoom.Action()->isChecked());

    const int height = FormTestAccess::InnerArea(window)->height();
    menuView.SetVisible(false);
    EXPECT_TRUE(FormTestAccess::TopLevel(window)->findChild<QMenuBar*>()->isHidden());
    EXPECT_EQ(FormTestAccess::InnerArea(window)->y(), 0);
    EXPECT_GT(FormTestAccess::InnerArea(window)->height(), height);
}

}  // namespace
}  // namespace velmora::test
