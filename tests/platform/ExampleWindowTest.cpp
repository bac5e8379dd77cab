// The example window, driven as a user would drive it.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "frmExample.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

TEST(ExampleWindow, PictureButtonSwapsLooksAndZoomsOnClickAndDoubleClick) {
    ScriptedServices services;
    frmExample window(services);
    window.Show();
    Mouse mouse{window};

    mouse.press(2000, 300);
    EXPECT_TRUE(window.ZoomIn.Picture().hasAlphaChannel()) << "pressed look while held";
    mouse.release(2000, 300);
    EXPECT_FALSE(window.ZoomIn.Picture().hasAlphaChannel()) << "released look after";
    EXPECT_EQ(window.Zoom, 9);

    mouse.doubleClick(2000, 300);  // Click, then DblClick: two steps
    EXPECT_EQ(window.Zoom, 7);
    EXPECT_EQ(window.lblInfo.Caption(), "Zoom: 7");
}

TEST(ExampleWindow, KeepsItsVariablesButNotItsControlsAcrossUnload) {
    ScriptedServices services;
    frmExample window(services);
    window.Show();
    window.Zoom = 4;
    window.menuZoom[1].SetVisible(true);
    window.menuZoom[1].Action()->trigger();
    EXPECT_TRUE(window.menuZoom[1].Checked());

    window.menuExit.Action()->trigger();
    settle();
    EXPECT_FALSE(window.Loaded());

    window.Show();
    EXPECT_EQ(window.Loads, 2);
    EXPECT_EQ(window.Zoom, 4);
    EXPECT_EQ(window.lblInfo.Caption(), "Zoom: 4");
    EXPECT_FALSE(window.menuZoom[1].Checked());
    EXPECT_FALSE(window.menuZoom[1].Visible());
}

}  // namespace
}  // namespace velmora::test
