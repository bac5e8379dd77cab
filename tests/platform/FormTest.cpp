// Loading, placing and unloading windows, and their menus.

#include <gtest/gtest.h>

#include <QExposeEvent>
#include <QMenuBar>
#include <QWindow>

#include "tests/platform/TestSupport.h"

namespace velmora::test {
namespace {

using FormLifecycle = WindowTest;

// An owned window of any frame is a kind that the window system keeps above its owner and out of
// the task bar (transient for it): a dialog or a tool window, never a normal window.
TEST_F(FormLifecycle, WindowKindsSetTheirFramesAndOwnedOnesAreTransient) {
    struct Row {
        const char* name;
        BorderStyle style;
        bool owned;
        bool inTaskbar;
        Qt::WindowType type;
        bool fixed;
        bool minButton = true;
    };
    const Row rows[] = {
        {"sizable", BorderStyle::Sizable, false, true, Qt::Window, false},
        {"sizable without a min button", BorderStyle::Sizable, false, true, Qt::Window, false,
         false},
        {"fixed single", BorderStyle::FixedSingle, false, true, Qt::Window, true},
        {"tool window", BorderStyle::FixedToolWindow, false, true, Qt::Tool, true},
        {"borderless", BorderStyle::None, false, true, Qt::Window, true},
        // Owned: kept above the owner only without a task bar entry of its own.
        {"owned, in the task bar", BorderStyle::Sizable, true, true, Qt::Window, false},
        {"owned sizable", BorderStyle::Sizable, true, false, Qt::Dialog, false},
        {"owned fixed single", BorderStyle::FixedSingle, true, false, Qt::Dialog, true},
    };
    Probe owner(services);
    owner.Show();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Probe window(services);
        window.design = [&](Probe& w) {
            w.SetBorderStyle(row.style);
            w.SetShowInTaskbar(row.inTaskbar);
            w.SetMinButton(row.minButton);
        };
        window.Show(row.owned ? &owner : nullptr);
        const QWidget* top = FormTestAccess::TopLevel(window);
        EXPECT_EQ(top->windowType(), row.type);
        EXPECT_EQ(top->minimumSize() == top->maximumSize(), row.fixed);
        EXPECT_EQ(bool(top->windowFlags() & Qt::FramelessWindowHint),
                  row.style == BorderStyle::None);
        // Qt makes only dialogs and tool windows transient for the window manager.
        if (row.owned && !row.inTaskbar) {
            EXPECT_EQ(top->windowHandle()->transientParent(),
                      FormTestAccess::TopLevel(owner)->windowHandle());
        }
        EXPECT_EQ(bool(top->windowFlags() & Qt::WindowMinimizeButtonHint),
                  row.style == BorderStyle::Sizable && row.minButton);
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
    EXPECT_LE(
        (FormTestAccess::TopLevel(prompt)->frameGeometry().center() - padCentre).manhattanLength(),
        4);
}

TEST_F(FormLifecycle, UnloadingItselfWhileLoadingLeavesItClosed) {
    Probe window(services);
    window.load = [](Probe& w) { w.Unload(); };
    window.Show();
    EXPECT_FALSE(window.Loaded());
}

// Only a window that asks for it draws again when the window system shows it afresh.
TEST_F(FormLifecycle, PaintsOnExposeWhenAsked) {
    for (const bool asked : {false, true}) {
        Probe window(services);
        window.design = [&](Probe& w) { w.SetPaintOnExpose(asked); };
        window.Show();
        const int paints = window.paints;
        QExposeEvent expose(QRegion(0, 0, 10, 10));
        QCoreApplication::sendEvent(FormTestAccess::TopLevel(window)->windowHandle(), &expose);
        EXPECT_EQ(window.paints - paints, asked ? 1 : 0) << asked;
    }
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
