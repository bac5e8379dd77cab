// Menus: captions, check marks, enabling, hiding, item arrays.

#include <gtest/gtest.h>

#include <QMenuBar>
#include <array>
#include <vector>

#include "TestSupport.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

class Pad : public Form {
public:
    explicit Pad(Services& services) : Form(services) {
        for (int i = 0; i < static_cast<int>(menuprc.size()); ++i) {
            menuprc[i].Click = [this, i] { picked.push_back(i); };
        }
        menuBail.Click = [this] { menuBail.SetChecked(!menuBail.Checked()); };
        menuHide.Click = [this] { menuMan.SetVisible(false); };
    }
    MenuItem menuMan, menuImmel, menuBail, manuspc, menuHide;
    MenuItem MenuRadio, radioPrivate;
    std::array<MenuItem, 5> menuprc;
    std::vector<int> picked;

    QMenuBar* bar() const { return TopLevel()->findChild<QMenuBar*>(); }

protected:
    void Design() override {
        SetInnerSize(2370, 3360);
        AddMenu(MenuRadio, "Radio");
        MenuRadio.Add(radioPrivate, "Private");
        AddMenu(menuMan, "&Maneuvers");
        menuMan.Add(menuImmel, "Immelmann");
        for (MenuItem& item : menuprc) {
            menuMan.Add(item, "prc");
            item.SetVisible(false);
        }
        menuMan.Add(manuspc, "-");
        menuMan.Add(menuBail, "Bail Out");
        menuMan.Add(menuHide, "&Hide Menu");
    }
};

class Menus : public ::testing::Test {
protected:
    void SetUp() override { pad.Show(); }
    void TearDown() override { settle(); }
    ScriptedServices services;
    Pad pad{services};
};

TEST_F(Menus, ItemsShowTheirDesign) {
    EXPECT_EQ(pad.menuMan.Action()->text(), "&Maneuvers");
    EXPECT_EQ(pad.menuImmel.Action()->text(), "Immelmann");
    EXPECT_TRUE(pad.manuspc.Action()->isSeparator());
    EXPECT_FALSE(pad.menuprc[0].Action()->isVisible());
    EXPECT_FALSE(pad.menuImmel.Action()->isCheckable()) << "no empty check box";
    const QList<QAction*> top = pad.bar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0], pad.MenuRadio.Action());
}

TEST_F(Menus, PickingAnItemRunsClickAndLeavesTheCheckMarkToTheHandler) {
    pad.menuImmel.Action()->trigger();
    EXPECT_FALSE(pad.menuImmel.Checked());
    EXPECT_FALSE(pad.menuImmel.Action()->isChecked());

    pad.menuImmel.SetChecked(true);
    pad.menuImmel.Action()->trigger();
    EXPECT_TRUE(pad.menuImmel.Checked());
    EXPECT_TRUE(pad.menuImmel.Action()->isChecked()) << "Qt's own toggle is undone";

    pad.menuBail.Action()->trigger();
    EXPECT_TRUE(pad.menuBail.Action()->isChecked());
    pad.menuBail.Action()->trigger();
    EXPECT_FALSE(pad.menuBail.Action()->isChecked());
}

TEST_F(Menus, ItemArraysPassTheirIndex) {
    for (int i = 0; i < 3; ++i) {
        pad.menuprc[i].SetCaption(QStringLiteral("Command %1").arg(i + 1));
        pad.menuprc[i].SetVisible(true);
    }
    pad.menuprc[2].Action()->trigger();
    pad.menuprc[0].Action()->trigger();
    EXPECT_EQ(pad.picked, (std::vector<int>{2, 0}));
    EXPECT_EQ(pad.menuprc[2].Action()->text(), "Command 3");
    EXPECT_TRUE(pad.menuprc[2].Action()->isVisible());
    EXPECT_FALSE(pad.menuprc[3].Action()->isVisible());
}

TEST_F(Menus, HidingEveryMenuRemovesTheMenuBarAndGivesItsRoomToTheInnerArea) {
    const int innerHeight = pad.InnerArea()->height();
    pad.menuHide.Action()->trigger();  // hides Maneuvers from its own item
    EXPECT_FALSE(pad.bar()->isHidden());
    pad.MenuRadio.SetVisible(false);
    EXPECT_TRUE(pad.bar()->isHidden());
    EXPECT_EQ(pad.InnerArea()->y(), 0);

    Pad sizable(services);
    sizable.Show();
    sizable.SetBorderStyle(BorderStyle::Sizable);
    const int before = sizable.InnerArea()->height();
    sizable.menuMan.SetVisible(false);
    sizable.MenuRadio.SetVisible(false);
    EXPECT_GT(sizable.InnerArea()->height(), before);
    sizable.MenuRadio.SetVisible(true);
    EXPECT_FALSE(sizable.bar()->isHidden());
    EXPECT_EQ(sizable.InnerArea()->height(), before);
    EXPECT_EQ(innerHeight, 224);
}

TEST_F(Menus, UnloadingDropsEveryCheckMarkAndRunTimeChange) {
    pad.menuImmel.SetChecked(true);
    pad.menuprc[1].SetVisible(true);
    pad.menuprc[1].SetCaption("Strafe");
    pad.MenuRadio.SetVisible(false);
    pad.Unload();
    EXPECT_EQ(pad.menuImmel.Action(), nullptr);
    settle();
    pad.Show();
    EXPECT_FALSE(pad.menuImmel.Checked());
    EXPECT_FALSE(pad.menuImmel.Action()->isChecked());
    EXPECT_FALSE(pad.menuprc[1].Visible());
    EXPECT_EQ(pad.menuprc[1].Caption(), "prc");
    EXPECT_TRUE(pad.MenuRadio.Action()->isVisible());
    // Handlers stay wired.
    pad.menuprc[4].Action()->trigger();
    EXPECT_EQ(pad.picked, std::vector<int>{4});
}

TEST_F(Menus, AnItemThatUnloadsItsWindowIsSafe) {
    pad.menuImmel.Click = [this] { pad.Unload(); };
    pad.menuImmel.Action()->trigger();
    EXPECT_FALSE(pad.Loaded());
}

}  // namespace
}  // namespace velmora::test
