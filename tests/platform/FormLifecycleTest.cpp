// Loading, showing, owning and unloading windows.

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "TestSupport.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

// A window whose design and load are given by the test.
class Probe : public Form {
public:
    using Form::Form;
    std::function<void(Probe&)> design;
    std::function<void(Probe&)> load;
    int loads = 0, resizes = 0, paints = 0, focuses = 0;
    int kept = 0;  // a form-level variable
    Label lblText;
    MenuItem menuFile, menuOpen;

protected:
    void Design() override {
        SetInnerSize(3000, 1500);
        Add(lblText, 0, 0, 1500, 300);
        if (design) {
            design(*this);
        }
    }
    void Form_Load() override {
        ++loads;
        if (load) {
            load(*this);
        }
    }
    void Form_Resize() override { ++resizes; }
    void Form_Paint() override { ++paints; }
    void Form_GotFocus() override { ++focuses; }
};

class FormLifecycle : public ::testing::Test {
protected:
    void TearDown() override { settle(); }
    ScriptedServices services;
};

TEST_F(FormLifecycle, ShowLoadsOnceAndAnOpenWindowIsOnlyBroughtForward) {
    Probe window(services);
    window.design = [](Probe& w) { w.SetCaption("Probe"); };
    EXPECT_FALSE(window.Loaded());

    window.Show();
    ASSERT_TRUE(window.Loaded());
    QWidget* top = window.TopLevel();
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->windowTitle(), "Probe");
    EXPECT_EQ(window.InnerArea()->size(), QSize(200, 100));
    EXPECT_EQ(window.loads, 1);
    EXPECT_EQ(window.resizes, 1);
    EXPECT_EQ(window.paints, 1);

    window.lblText.SetCaption("typed at run time");
    window.Show();
    EXPECT_EQ(window.loads, 1);
    EXPECT_EQ(window.TopLevel(), top);
    EXPECT_EQ(window.lblText.Caption(), "typed at run time");
}

TEST_F(FormLifecycle, UnloadKeepsVariablesAndTheNextShowLoadsFromTheDesign) {
    Probe window(services);
    window.design = [](Probe& w) { w.lblText.SetCaption("design"); };
    window.load = [](Probe& w) { ++w.kept; };
    window.Show();
    window.lblText.SetCaption("changed");
    window.lblText.SetVisible(false);

    window.Unload();
    EXPECT_FALSE(window.Loaded());
    EXPECT_EQ(window.TopLevel(), nullptr);
    EXPECT_FALSE(window.lblText.Loaded());
    EXPECT_EQ(window.kept, 1);
    settle();

    window.Show();
    EXPECT_EQ(window.loads, 2);
    EXPECT_EQ(window.kept, 2);
    EXPECT_EQ(window.lblText.Caption(), "design");
    EXPECT_TRUE(window.lblText.Visible());
    EXPECT_TRUE(window.lblText.Widget()->isVisibleTo(window.TopLevel()));
}

TEST_F(FormLifecycle, TheCloseBoxUnloadsLikeUnload) {
    Probe window(services);
    window.Show();
    window.TopLevel()->close();
    EXPECT_FALSE(window.Loaded());
    settle();
    window.Show();
    EXPECT_EQ(window.loads, 2);
}

TEST_F(FormLifecycle, OwnedWindowsStayAboveTheirOwnerAndCloseWithIt) {
    Probe main(services), pad(services), prompt(services), other(services);
    main.Show();
    pad.Show(&main);
    prompt.Show(&pad);
    other.Show();
    EXPECT_EQ(pad.Owner(), &main);
    EXPECT_EQ(pad.TopLevel()->parentWidget(), main.TopLevel()) << "transient for its owner";
    EXPECT_TRUE(pad.TopLevel()->isWindow());

    main.Unload();
    EXPECT_FALSE(pad.Loaded());
    EXPECT_FALSE(prompt.Loaded());
    EXPECT_TRUE(other.Loaded());
    settle();

    // Owned again only when shown again with an owner.
    pad.Show();
    EXPECT_EQ(pad.Owner(), nullptr);
}

TEST_F(FormLifecycle, ClosingAnOwnedWindowLeavesTheOwnerOpen) {
    Probe main(services), pad(services);
    main.Show();
    pad.Show(&main);
    pad.TopLevel()->close();
    EXPECT_FALSE(pad.Loaded());
    EXPECT_TRUE(main.Loaded());
    main.Unload();  // must not touch the closed window again
    settle();
}

TEST_F(FormLifecycle, AWindowMayShowAnOwnedWindowWhileItLoads) {
    Probe main(services), splash(services);
    main.load = [&splash](Probe& w) { splash.Show(&w); };
    main.Show();
    EXPECT_TRUE(splash.Loaded());
    EXPECT_EQ(splash.Owner(), &main);
    main.Unload();
    EXPECT_FALSE(splash.Loaded());
}

TEST_F(FormLifecycle, UnloadingItselfWhileLoadingLeavesItClosed) {
    Probe window(services);
    window.load = [](Probe& w) { w.Unload(); };
    window.Show();
    EXPECT_FALSE(window.Loaded());
    EXPECT_EQ(window.resizes, 0);
    settle();
}

TEST_F(FormLifecycle, DestroyingLoadedWindowsInAnyOrderIsSafe) {
    auto main = std::make_unique<Probe>(services);
    auto pad = std::make_unique<Probe>(services);
    main->Show();
    pad->Show(main.get());
    main.reset();
    EXPECT_FALSE(pad->Loaded());
    pad.reset();
    settle();
}

TEST_F(FormLifecycle, WindowKindsSetTheirFrames) {
    struct Row {
        BorderStyle style;
        Qt::WindowType type;
        bool fixed;
    };
    const Row rows[] = {
        {BorderStyle::Sizable, Qt::Window, false},
        {BorderStyle::FixedSingle, Qt::Dialog, true},
        {BorderStyle::FixedDialog, Qt::Dialog, true},
        {BorderStyle::FixedToolWindow, Qt::Tool, true},
        {BorderStyle::None, Qt::Window, false},
    };
    for (const Row& row : rows) {
        Probe window(services);
        window.design = [&](Probe& w) { w.SetBorderStyle(row.style); };
        window.Show();
        const QWidget* top = window.TopLevel();
        SCOPED_TRACE(static_cast<int>(row.style));
        EXPECT_EQ(top->windowType(), row.type);
        EXPECT_EQ(top->minimumSize() == top->maximumSize(), row.fixed);
        EXPECT_EQ(window.InnerArea()->size(), QSize(200, 100));
        if (row.style == BorderStyle::None) {
            EXPECT_TRUE(top->windowFlags() & Qt::FramelessWindowHint);
        }
    }
}

TEST_F(FormLifecycle, OuterSizeHoldsTheMenuBarAndTheFrame) {
    Probe window(services);
    window.design = [](Probe& w) { w.AddMenu(w.menuFile, "&File"); };
    window.Show();
    const int menuHeight = window.TopLevel()->findChild<QMenuBar*>()->height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(window.InnerArea()->y(), menuHeight) << "the inner area starts below the menu bar";
    EXPECT_EQ(window.InnerHeight(), 1500);
    EXPECT_EQ(window.Width(), pixelsToTwips(window.TopLevel()->frameGeometry().width()));
    EXPECT_GE(window.Height(), 1500 + pixelsToTwips(menuHeight));
}

TEST_F(FormLifecycle, PlacesTheWindowAsDesigned) {
    Probe main(services), dialog(services), pad(services);
    main.design = [](Probe& w) { w.SetStartUpPosition(StartUpPosition::CenterScreen); };
    dialog.design = [](Probe& w) {
        w.SetBorderStyle(BorderStyle::FixedDialog);
        w.SetInnerSize(1500, 900);
        w.SetStartUpPosition(StartUpPosition::CenterOwner);
    };
    pad.design = [](Probe& w) {
        w.SetBorderStyle(BorderStyle::FixedToolWindow);
        w.AddMenu(w.menuFile, "Radio");
        w.SetManualPosition(45, 2565);
    };
    main.Show();
    dialog.Show(&main);
    pad.Show(&main);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint mainCentre = main.TopLevel()->frameGeometry().center();
    EXPECT_LE((mainCentre - screen.center()).manhattanLength(), 4);
    const QPoint dialogCentre = dialog.TopLevel()->frameGeometry().center();
    EXPECT_LE((dialogCentre - mainCentre).manhattanLength(), 4);
    // The inner area, below the pad's menu bar, starts at the designed screen point.
    EXPECT_EQ(pad.InnerArea()->mapToGlobal(QPoint(0, 0)), QPoint(3, 171));
}

TEST_F(FormLifecycle, ResizingRunsResizeAndPaintsWhenTheAreaGrows) {
    Probe window(services);
    window.Show();
    const int resizes = window.resizes, paints = window.paints;
    window.TopLevel()->resize(300, 200);
    EXPECT_EQ(window.InnerArea()->size(), QSize(300, 200));
    EXPECT_EQ(window.InnerWidth(), 4500);
    EXPECT_EQ(window.resizes, resizes + 1);
    EXPECT_EQ(window.paints, paints + 1);
    window.TopLevel()->resize(100, 50);
    EXPECT_EQ(window.resizes, resizes + 2);
    EXPECT_EQ(window.paints, paints + 1) << "shrinking exposes nothing";
}

TEST_F(FormLifecycle, ActivationRunsGotFocus) {
    Probe window(services);
    window.Show();
    window.TopLevel()->activateWindow();
    settle();
    EXPECT_GE(window.focuses, 1);
    const int before = window.focuses;
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window.TopLevel(), &activate);
    EXPECT_EQ(window.focuses, before + 1);
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

}  // namespace
}  // namespace velmora::test
