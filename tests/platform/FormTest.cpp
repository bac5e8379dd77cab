// Loading, showing, owning and unloading windows, and their menus.

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "TestSupport.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

class FormLifecycle : public ::testing::Test {
protected:
    void TearDown() override { settle(); }
    ScriptedServices services;
};

// An open window is only brought forward; an unloaded one loads afresh from its design, keeping
// its own variables and its controls' handlers.
TEST_F(FormLifecycle, ShowLoadsOnlyAClosedWindowAndUnloadKeepsOnlyTheVariables) {
    Probe window(services);
    Label text;
    MenuItem menuView, menuZoom;
    int zoomClicks = 0;
    menuZoom.Click = [&] { ++zoomClicks; };
    window.design = [&](Probe& w) {
        w.SetCaption("Probe");
        w.Add(text, 0, 0, 1500, 300);
        w.AddMenu(menuView, "&View");
        menuView.Add(menuZoom, "zoom");
    };
    window.Show();
    QWidget* top = window.TopLevel();
    EXPECT_EQ(top->windowTitle(), "Probe");
    EXPECT_EQ(window.resizes, 1);
    EXPECT_EQ(window.paints, 1);

    text.SetVisible(false);
    menuZoom.SetCaption("Zoom 2");
    menuZoom.SetChecked(true);
    top->setWindowState(Qt::WindowMinimized);
    window.Show();
    EXPECT_EQ(window.loads, 1);
    EXPECT_EQ(window.TopLevel(), top);
    EXPECT_EQ(menuZoom.Caption(), "Zoom 2");
    EXPECT_FALSE(top->windowState() & Qt::WindowMinimized) << "brought back from the task bar";

    top->close();  // the close box unloads
    EXPECT_FALSE(window.Loaded());
    EXPECT_FALSE(text.Loaded());
    settle();
    window.Show();
    EXPECT_EQ(window.loads, 2);
    EXPECT_TRUE(text.Widget()->isVisibleTo(window.TopLevel()));
    EXPECT_FALSE(menuZoom.Checked());
    EXPECT_EQ(menuZoom.Caption(), "zoom");
    menuZoom.Action()->trigger();
    EXPECT_EQ(zoomClicks, 1) << "the handlers stay wired";
}

TEST_F(FormLifecycle, OwnedWindowsStayAboveTheirOwnerAndCloseWithIt) {
    Probe main(services), pad(services), prompt(services), note(services), other(services);
    main.load = [&pad](Probe& w) { pad.Show(&w); };  // owned while the owner still loads
    main.Show();
    prompt.Show(&pad);
    note.Show(&pad);
    other.Show();
    EXPECT_EQ(pad.Owner(), &main);
    EXPECT_EQ(pad.TopLevel()->parentWidget(), main.TopLevel()) << "transient for its owner";
    EXPECT_TRUE(pad.TopLevel()->isWindow());

    note.TopLevel()->close();
    EXPECT_TRUE(pad.Loaded()) << "closing an owned window leaves its owner open";
    main.Unload();
    EXPECT_FALSE(pad.Loaded());
    EXPECT_FALSE(prompt.Loaded());
    EXPECT_TRUE(other.Loaded());
    settle();

    pad.Show();
    EXPECT_EQ(pad.Owner(), nullptr) << "owned again only when shown with an owner";
}

TEST_F(FormLifecycle, UnloadingItselfWhileLoadingLeavesItClosed) {
    Probe window(services);
    window.load = [](Probe& w) { w.Unload(); };
    window.Show();
    EXPECT_FALSE(window.Loaded());
    EXPECT_EQ(window.resizes, 0);
}

TEST_F(FormLifecycle, DestroyingLoadedWindowsInAnyOrderIsSafe) {
    auto main = std::make_unique<Probe>(services);
    auto pad = std::make_unique<Probe>(services);
    main->Show();
    pad->Show(main.get());
    main.reset();
    EXPECT_FALSE(pad->Loaded());
    pad.reset();
}

// An owned window of any frame is a kind that the window system keeps above its owner and out of
// the task bar (transient for it): a dialog or a tool window, never a normal window.
TEST_F(FormLifecycle, WindowKindsSetTheirFramesAndOwnedOnesAreTransient) {
    struct Row {
        const char* name;
        BorderStyle style;
        bool owned;
        Qt::WindowType type;
        bool fixed;
    };
    const Row rows[] = {
        {"sizable", BorderStyle::Sizable, false, Qt::Window, false},
        {"fixed single", BorderStyle::FixedSingle, false, Qt::Dialog, true},
        {"fixed dialog", BorderStyle::FixedDialog, false, Qt::Dialog, true},
        {"tool window", BorderStyle::FixedToolWindow, false, Qt::Tool, true},
        {"borderless", BorderStyle::None, false, Qt::Window, false},
        {"owned sizable", BorderStyle::Sizable, true, Qt::Dialog, false},
        {"owned fixed dialog", BorderStyle::FixedDialog, true, Qt::Dialog, true},
        {"owned tool window", BorderStyle::FixedToolWindow, true, Qt::Tool, true},
        {"owned borderless", BorderStyle::None, true, Qt::Dialog, false},
    };
    Probe owner(services);
    owner.Show();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Probe window(services);
        window.design = [&](Probe& w) {
            w.SetBorderStyle(row.style);
            w.SetMinButton(true);
        };
        window.Show(row.owned ? &owner : nullptr);
        const QWidget* top = window.TopLevel();
        EXPECT_EQ(top->windowType(), row.type);
        EXPECT_EQ(top->minimumSize() == top->maximumSize(), row.fixed);
        EXPECT_EQ(window.InnerArea()->size(), QSize(200, 100));
        EXPECT_EQ(bool(top->windowFlags() & Qt::FramelessWindowHint),
                  row.style == BorderStyle::None);
        EXPECT_EQ(top->windowHandle()->transientParent(),
                  row.owned ? owner.TopLevel()->windowHandle() : nullptr);
        EXPECT_EQ(bool(top->windowFlags() & Qt::WindowMinimizeButtonHint),
                  row.style == BorderStyle::Sizable);
    }
}

TEST_F(FormLifecycle, PlacesAndMeasuresTheWindowAsLaidOut) {
    Probe splash(services), pad(services), prompt(services);
    MenuItem menuRadio;
    splash.design = [](Probe& w) { w.SetStartUpPosition(StartUpPosition::CenterScreen); };
    pad.design = [&](Probe& w) {
        w.SetBorderStyle(BorderStyle::FixedToolWindow);
        w.AddMenu(menuRadio, "Radio");
        w.SetManualPosition(45, 2565);
    };
    prompt.design = [](Probe& w) {
        w.SetBorderStyle(BorderStyle::FixedDialog);
        w.SetInnerSize(1500, 600);
        w.SetStartUpPosition(StartUpPosition::CenterOwner);
    };
    splash.Show();
    pad.Show();
    prompt.Show(&pad);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint splashCentre = splash.TopLevel()->frameGeometry().center();
    EXPECT_LE((splashCentre - screen.center()).manhattanLength(), 4);
    // The inner area, below the pad's menu bar, starts at the screen point it was given.
    EXPECT_EQ(pad.InnerArea()->mapToGlobal(QPoint(0, 0)), QPoint(3, 171));
    EXPECT_GE(pad.Height(), pad.InnerHeight() + pixelsToTwips(pad.InnerArea()->y()));
    const QPoint padCentre = pad.TopLevel()->frameGeometry().center();
    EXPECT_LE((prompt.TopLevel()->frameGeometry().center() - padCentre).manhattanLength(), 4);
}

TEST_F(FormLifecycle, ResizingAndActivationRunTheirFormEvents) {
    Probe window(services);
    window.Show();
    const int resizes = window.resizes, paints = window.paints, focuses = window.focuses;
    window.TopLevel()->resize(300, 200);
    EXPECT_EQ(window.InnerWidth(), 4500);
    EXPECT_EQ(window.resizes, resizes + 1);
    EXPECT_EQ(window.paints, paints + 1);
    window.TopLevel()->resize(100, 50);
    EXPECT_EQ(window.resizes, resizes + 2);
    EXPECT_EQ(window.paints, paints + 1) << "shrinking exposes nothing";

    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window.TopLevel(), &activate);
    EXPECT_EQ(window.focuses, focuses + 1);
}

TEST_F(FormLifecycle, UnloadingTheLastWindowEndsTheEventLoop) {
    Probe main(services), pad(services);
    main.Show();
    pad.Show(&main);
    QTimer::singleShot(0, [&main] { main.Unload(); });
    QTimer::singleShot(3000, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(pad.Loaded());
}

TEST_F(FormLifecycle, MenuItemsShowWhatIsSetAndHidingEveryMenuRemovesTheBar) {
    Probe window(services);
    MenuItem menuView, menuZoom, menuLine;
    window.design = [&](Probe& w) {
        w.AddMenu(menuView, "&View");
        menuView.Add(menuZoom, "zoom");
        menuView.Add(menuLine, "-");
    };
    window.Show();
    EXPECT_TRUE(menuLine.Action()->isSeparator());
    EXPECT_FALSE(menuZoom.Action()->isCheckable()) << "no empty check box";
    menuZoom.Action()->trigger();
    EXPECT_FALSE(menuZoom.Action()->isChecked()) << "picking leaves the mark to the handler";
    menuZoom.SetChecked(true);
    menuZoom.Action()->trigger();
    EXPECT_TRUE(menuZoom.Action()->isChecked());

    QMenuBar* bar = window.TopLevel()->findChild<QMenuBar*>();
    const int height = window.InnerArea()->height();
    menuView.SetVisible(false);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(window.InnerArea()->y(), 0);
    EXPECT_GT(window.InnerArea()->height(), height) << "the bar's room goes to the inner area";
    menuView.SetVisible(true);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(window.InnerArea()->height(), height);
}

}  // namespace
}  // namespace velmora::test
