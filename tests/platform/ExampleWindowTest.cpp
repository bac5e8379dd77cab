// The example window, driven as a user would drive it: its picture button and its menus.

#include <gtest/gtest.h>

#include <QMenuBar>

#include "TestSupport.h"
#include "frmExample.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

class ExampleWindow : public ::testing::Test {
protected:
    void SetUp() override { window.Show(); }
    void TearDown() override { settle(); }
    QMenuBar* bar() const { return window.TopLevel()->findChild<QMenuBar*>(); }
    ScriptedServices services;
    frmExample window{services};
};

TEST_F(ExampleWindow, PictureButtonSwapsLooksAndZoomsOnClickAndDoubleClick) {
    Mouse mouse{window};
    mouse.press(2000, 300);
    EXPECT_TRUE(window.ZoomIn.Picture().hasAlphaChannel()) << "pressed look while held";
    mouse.release(2000, 300);
    EXPECT_FALSE(window.ZoomIn.Picture().hasAlphaChannel()) << "released look after";
    EXPECT_EQ(window.Zoom, 9);

    mouse.doubleClick(2000, 300);  // Click, then DblClick: two steps
    EXPECT_EQ(window.lblInfo.Caption(), "Zoom: 7");
}

TEST_F(ExampleWindow, MenuItemArraysPassTheirIndexAndLeaveTheCheckMarkToTheHandler) {
    EXPECT_TRUE(window.menuLine.Action()->isSeparator());
    EXPECT_FALSE(window.menuExit.Action()->isCheckable()) << "no empty check box";
    window.menuZoom[2].SetCaption("Zoom 3");
    window.menuZoom[2].SetVisible(true);
    EXPECT_EQ(window.menuZoom[2].Action()->text(), "Zoom 3");
    EXPECT_TRUE(window.menuZoom[2].Action()->isVisible());

    window.menuZoom[2].Action()->trigger();  // the handler toggles the mark
    EXPECT_TRUE(window.menuZoom[2].Action()->isChecked());
    EXPECT_FALSE(window.menuZoom[1].Checked());
    window.menuZoom[2].Action()->trigger();
    EXPECT_FALSE(window.menuZoom[2].Action()->isChecked());
}

TEST_F(ExampleWindow, HidingEveryMenuRemovesTheMenuBarAndGivesItsRoomToTheInnerArea) {
    window.SetBorderStyle(BorderStyle::Sizable);
    const int height = window.InnerArea()->height();
    window.menuView.SetVisible(false);
    EXPECT_TRUE(bar()->isHidden());
    EXPECT_EQ(window.InnerArea()->y(), 0);
    EXPECT_GT(window.InnerArea()->height(), height);
    window.menuView.SetVisible(true);
    EXPECT_FALSE(bar()->isHidden());
    EXPECT_EQ(window.InnerArea()->height(), height);
}

TEST_F(ExampleWindow, KeepsItsVariablesButNotItsControlsOrMenusAcrossUnload) {
    window.Zoom = 4;
    window.lblInfo.SetVisible(false);
    window.menuZoom[1].SetVisible(true);
    window.menuZoom[1].SetCaption("Zoom 2");
    window.menuZoom[1].Action()->trigger();
    ASSERT_TRUE(window.menuZoom[1].Checked());

    window.menuExit.Action()->trigger();  // a menu item that unloads its own window
    EXPECT_FALSE(window.Loaded());
    EXPECT_FALSE(window.lblInfo.Loaded());
    settle();

    window.Show();
    EXPECT_EQ(window.Loads, 2);
    EXPECT_EQ(window.lblInfo.Caption(), "Zoom: 4");
    EXPECT_TRUE(window.lblInfo.Widget()->isVisibleTo(window.TopLevel()));
    EXPECT_FALSE(window.menuZoom[1].Checked());
    EXPECT_FALSE(window.menuZoom[1].Visible());
    EXPECT_EQ(window.menuZoom[1].Caption(), "zoom");
    window.menuZoom[0].Action()->trigger();
    EXPECT_TRUE(window.menuZoom[0].Checked()) << "the handlers stay wired";

    window.TopLevel()->close();  // the close box unloads as well
    EXPECT_FALSE(window.Loaded());
    settle();
    window.Show();
    EXPECT_EQ(window.Loads, 3);
}

}  // namespace
}  // namespace velmora::test
