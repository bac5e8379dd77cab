#include <QAbstractButton>
#include <QHelpEvent>
#include <QToolTip>

#include "GUI/main/frmAbout.h"
#include "GUI/orders/frmNamePassword.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

using StartUp = MainWindowTest;

TEST_F(StartUp, SplashAboveALockedMainWindow) {
    state.OwnHeading = 45;  // the order values start from the own values, whatever they are
    state.OwnAltitude = 1200;
    GUIForm& f = Start(false);

    EXPECT_EQ(f.Caption(), "Skelmar Velmora v2.0");
    EXPECT_EQ(f.InnerWidth(), 8175);
    EXPECT_EQ(f.InnerHeight(), 5685);
    EXPECT_FALSE(f.TopLevel()->windowIcon().isNull());
    ASSERT_TRUE(windows->Splash().Loaded());
    EXPECT_EQ(windows->Splash().Owner(), &f);

    EXPECT_FALSE(f.menuFile.Action()->isEnabled());
    EXPECT_FALSE(f.menuHelp.Action()->isEnabled());
    EXPECT_FALSE(f.menuOptions.Action()->isVisible());
    // Nothing but black where the Open button and the map will be.
    EXPECT_EQ(surfaceAt(f, 6240, 5040, {120, 30}), solid(Qt::black, 120, 30));
    EXPECT_EQ(surfaceAt(f, 120, 120, {320, 320}), solid(Qt::black, 320, 320));
    for (Label* label : infoLabels(f)) {
        EXPECT_FALSE(shown(*label)) << text(*label).toStdString();
    }
    EXPECT_EQ(state.OrderHeading, 45);
    EXPECT_EQ(state.OrderAltitude, 1200);
    EXPECT_EQ(state.OrderThrottle, 100);
}

TEST_F(StartUp, AnyClickOnTheSplashUnlocksOpenFileAndHelp) {
    const std::function<void(SplashTitle&)> clicks[] = {
        [](SplashTitle& s) { Mouse{s}.click(2400, 1800); },  // the picture
        [](SplashTitle& s) { Mouse{s}.click(60, 3900); },    // the background
        [](SplashTitle& s) {
            QWidget* label = s.Label1.Widget();
            sendMouse(label, QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton, Qt::LeftButton);
            sendMouse(label, QEvent::MouseButtonRelease, {2, 2}, Qt::LeftButton, Qt::NoButton);
        },
    };
    for (const auto& click : clicks) {
        GUIForm& f = Start(false);
        click(windows->Splash());
        settle();
        EXPECT_FALSE(windows->Splash().Loaded());
        EXPECT_TRUE(paintedAt(f, "OpenUp", 6240, 5040));
        EXPECT_TRUE(f.menuFile.Action()->isEnabled());
        EXPECT_TRUE(f.menuHelp.Action()->isEnabled());
        EXPECT_FALSE(f.menuOptions.Action()->isVisible());
        EXPECT_EQ(surfaceAt(f, 120, 120, {320, 320}), solid(Qt::black, 320, 320));
        f.Unload();
        settle();
    }
}

TEST_F(StartUp, ASplashClosedByTheDesktopStillUnlocks) {
    GUIForm& f = Start(false);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(f.TopLevel(), &activate);
    EXPECT_FALSE(f.menuFile.Action()->isEnabled()) << "locked while the splash is up";
    windows->Splash().TopLevel()->close();
    QCoreApplication::sendEvent(f.TopLevel(), &activate);
    EXPECT_TRUE(f.menuFile.Action()->isEnabled());
    EXPECT_TRUE(paintedAt(f, "OpenUp", 6240, 5040));
}

TEST_F(StartUp, PictureButtonsTellTheirTooltips) {
    GUIForm& f = Start();
    QHelpEvent help(QEvent::ToolTip, QPoint(6240 / 15 + 5, 5040 / 15 + 5),
                    f.InnerArea()->mapToGlobal(QPoint(6240 / 15 + 5, 5040 / 15 + 5)));
    QCoreApplication::sendEvent(f.InnerArea(), &help);
    EXPECT_EQ(QToolTip::text(), "Open an Skelmar Velmora data file for viewing.");
    QToolTip::hideText();
}

TEST_F(StartUp, ExitAndCloseBoxEndEveryWindow) {
    for (const bool byMenu : {true, false}) {
        GUIForm& f = Start();
        f.menuAbout.Action()->trigger();
        f.menuNPSet.Action()->trigger();
        ASSERT_TRUE(windows->About().Loaded());
        ASSERT_TRUE(windows->NamePassword().Loaded());
        if (byMenu) {
            f.menuExit.Action()->trigger();
        } else {
            f.TopLevel()->close();
        }
        settle();
        EXPECT_FALSE(f.Loaded());
        EXPECT_FALSE(windows->About().Loaded());
        EXPECT_FALSE(windows->NamePassword().Loaded());
    }
}

TEST_F(StartUp, HelpContentsOpensTheHelpFileOrSaysItIsMissing) {
    GUIForm& f = Start();
    f.helpContents.Action()->trigger();
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_TRUE(services.msgBoxes[0].text.contains("help.hlp"));
    EXPECT_TRUE(services.helpOpened.empty());

    QFile help(QStringLiteral("help.hlp"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    f.helpContents.Action()->trigger();
    ASSERT_EQ(services.helpOpened.size(), 1u);
    EXPECT_TRUE(services.helpOpened[0].endsWith("/help.hlp"));
}

TEST_F(StartUp, AboutWindowClosesOnOkEnterAndEsc) {
    const int keys[] = {Qt::Key_Return, Qt::Key_Escape, 0};
    GUIForm& f = Start();
    for (const int key : keys) {
        f.menuAbout.Action()->trigger();
        frmAbout& about = windows->About();
        ASSERT_TRUE(about.Loaded());
        EXPECT_EQ(about.Owner(), &f);
        EXPECT_EQ(about.Caption(), "About Skelmar Velmora");
        EXPECT_TRUE(paintedAt(about, "AboutBackground", 0, 0));
        EXPECT_EQ(text(about.lblTitle), "Skelmar Velmora");
        EXPECT_EQ(text(about.lblVersion), "Version 2.0");
        // The shadow lies under the title, a pixel to the right and down.
        EXPECT_GT(about.Label2.Widget()->x(), about.lblTitle.Widget()->x());
        EXPECT_GT(about.Label2.Widget()->y(), about.lblTitle.Widget()->y());
        if (key != 0) {
            sendKey(about.cmdOK.Widget(), key);
        } else {
            about.cmdOK.Widget()->setFocus();
            static_cast<QAbstractButton*>(about.cmdOK.Widget())->click();
        }
        settle();
        EXPECT_FALSE(about.Loaded()) << key;
        EXPECT_TRUE(f.Loaded());
    }
}

}  // namespace
}  // namespace velmora::test
