// Loading, showing, owning and unloading windows.

#include <gtest/gtest.h>

#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

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
    int loads = 0, resizes = 0, paints = 0, focuses = 0;  // form-level variables
    Label lblText;
    MenuItem menuFile;

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
    window.Show();
    QWidget* top = window.TopLevel();
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->windowTitle(), "Probe");
    EXPECT_EQ(window.resizes, 1);
    EXPECT_EQ(window.paints, 1);

    window.lblText.SetCaption("typed at run time");
    window.Show();
    EXPECT_EQ(window.loads, 1);
    EXPECT_EQ(window.TopLevel(), top);
    EXPECT_EQ(window.lblText.Caption(), "typed at run time");
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
    Probe main(services), dialog(services), pad(services);
    main.design = [](Probe& w) { w.SetStartUpPosition(StartUpPosition::CenterScreen); };
    dialog.design = [](Probe& w) {
        w.SetBorderStyle(BorderStyle::FixedDialog);
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
    // The inner area, below the pad's menu bar, starts at the screen point it was given.
    EXPECT_EQ(pad.InnerArea()->mapToGlobal(QPoint(0, 0)), QPoint(3, 171));
    EXPECT_GE(pad.Height(), pad.InnerHeight() + pixelsToTwips(pad.InnerArea()->y()));
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

}  // namespace
}  // namespace velmora::test
