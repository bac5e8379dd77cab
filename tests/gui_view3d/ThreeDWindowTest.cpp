// The 3-D map window, opened from the main window with a sample turn as a pilot would. The
// checks look at what a user sees: the preset menu, the view each control sets, and pixels of
// the window's surface.

#include <array>
#include <cmath>
#include <random>
#include <tuple>

#include "GUI/view3d/frmThreeD.h"
#include "pictures/Pictures.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

// Whether the whole picture shows with its top-left corner at these twips, give or take a
// pixel: a placed point lies up to a hair off its exact direction.
bool PictureNear(const Form& form, const char* name, float left, float top) {
    const QImage expected =
        Pictures::instance().get(QLatin1String(name)).convertToFormat(QImage::Format_RGB32);
    for (int i = 0; i < 9; ++i) {  // at the place and the eight around it
        const QPoint at(TwipsToPixels(left) + i % 3 - 1, TwipsToPixels(top) + i / 3 - 1);
        if (FormTestAccess::Surface(form)
                .copy(QRect(at, expected.size()))
                .convertToFormat(QImage::Format_RGB32) == expected) {
            return true;
        }
    }
    return false;
}

class ThreeDWindowTest : public TurnShown {
protected:
    frmThreeD& OpenMap() {
        Click(120, 4200, 750, 750);
        return windows.ThreeD();
    }
};

TEST_F(ThreeDWindowTest, OpensWithTheOwnAircraftAtTheCentreReopensTopDownAndRedrawsAtANewSize) {
    frmThreeD& m = OpenMap();
    // The own aircraft heads east (sector 2) at the centre of the projection, which is the
    // centre of the outer size, not of the drawing area; its picture's corner 180 twips up-left.
    EXPECT_TRUE(PictureNear(m, "GoodGuy(2)", m.Width() / 2 - 180, m.Height() / 2 - 180));

    // Showing it again only brings it forward, out of the minimised state too.
    m.Scene.ViewYaw = 30;
    FormTestAccess::TopLevel(m)->setWindowState(Qt::WindowMinimized);
    main().menuThreeD.Action()->trigger();
    EXPECT_EQ(m.Scene.ViewYaw, 30);
    EXPECT_FALSE(FormTestAccess::TopLevel(m)->windowState() & Qt::WindowMinimized);

    // Closed and opened again it shows the top-down view again but keeps where the pointer
    // was, in whole twips.
    Mouse{m}.move(1234.6f, 567.6f, Qt::LeftButton);
    m.menuWorld.Action()->trigger();
    m.menuClose.Action()->trigger();
    settle();
    OpenMap();
    const std::array<int16_t, 3> view{m.Scene.ViewYaw, m.Scene.ViewTilt, m.Scene.ViewZoom};
    EXPECT_EQ(view, (std::array<int16_t, 3>{90, 90, 7}));
    EXPECT_FALSE(m.menuPresets.Action()->isVisible());
    EXPECT_EQ((std::pair<int, int>(m.Scene.LastMouseX, m.Scene.LastMouseY)), std::pair(1235, 568));

    // Grown and shrunk again it redraws at the new size: the West marker stands 1.2 x 15 km left
    // of the centre at 22 km to the half-width. A huge label does not stall the redraw.
    state.AircraftList(1).Pic.assign(50'000'000, 'W');
    const QSize size = FormTestAccess::TopLevel(m)->size();
    for (const QSize& to : {size * 2, size}) {
        FormTestAccess::TopLevel(m)->resize(to);
        settle();
        EXPECT_TRUE(PictureNear(m, "West", m.Width() / 2 - m.Width() / 2 / 22 * 18 - 187.5f,
                                m.Height() / 2 - 187.5f))
            << to.width();
    }
}

// Keys, menus and drags through the window's own events; the side view's ground on the centre
// line of the outer size.
TEST_F(ThreeDWindowTest, EscShowsThePresetsEachSetsItsViewAndADragTurnsAboutTheOuterCentre) {
    frmThreeD& m = OpenMap();
    sendKey(FormTestAccess::InnerArea(m), Qt::Key_Escape, "\x1b");
    ASSERT_TRUE(m.menuPresets.Action()->isVisible());
    // Each preset, and the yaw, tilt and zoom it sets.
    const std::pair<MenuItem&, std::array<int16_t, 3>> presets[] = {
        {m.menuWorld, {50, 60, 7}}, {m.menuRange, {50, 60, -8}},  {m.menuSN, {90, 0, 7}},
        {m.menuEW, {0, 0, 7}},      {m.menuTopDown, {90, 90, 7}},
    };
    for (const auto& [item, expected] : presets) {
        item.Action()->trigger();
        const std::array<int16_t, 3> view{m.Scene.ViewYaw, m.Scene.ViewTilt, m.Scene.ViewZoom};
        EXPECT_EQ(view, expected) << item.Action()->text().toStdString();
    }
    // Seen from the side the ground lies on the centre line of the outer size, left and right.
    m.menuSN.Action()->trigger();
    const int line = TwipsToPixels(m.Height() / 2), middle = TwipsToPixels(m.Width() / 2);
    for (const int x : {middle - 100, middle + 100}) {
        EXPECT_TRUE(pixel(m, x, line).green() > 0 && pixel(m, x, line - 20) == Qt::black) << x;
    }
    // The own aircraft's ground dot, on the ground line under its stick, is filled with the
    // stick's colour, not only ringed with it: a pixel beside the stick inside the dot has it.
    const QColor stick = pixel(m, middle, line - 6);
    EXPECT_TRUE(stick.green() > 0 && pixel(m, middle + 1, line - 1) == stick);
    // A drag to the right above the centre line of the outer size turns clockwise, also below
    // the middle of the drawing area, which the menu bar shifts. Pointers are whole pixels.
    const float above = 15 * std::round(m.Height() / 2 / 15) - 30;
    ASSERT_GT(above, m.InnerHeight() / 2);
    Mouse{m}.move(1500, above, Qt::LeftButton);
    Mouse{m}.move(1515, above, Qt::LeftButton);
    EXPECT_EQ(m.Scene.ViewYaw, 80);
    m.menuHide.Action()->trigger();
    EXPECT_FALSE(m.menuPresets.Action()->isVisible());
}

// Leaving out what nearer pictures cover must not change a pixel, whatever the view.
TEST_F(ThreeDWindowTest, PaintingOnlyWhatShowsGivesTheSamePicture) {
    state.AircraftList.Clear();
    state.ObjectiveList.Clear();
    std::mt19937 random(4);
    std::uniform_real_distribution<float> km(-6, 6);
    std::uniform_int_distribution<int> feet(0, 30000);
    for (int i = 0; i < 3000; ++i) {
        AircraftRecord& a = state.AircraftList.Append();
        a.X = state.OwnX + km(random);
        a.Y = state.OwnY + km(random);
        a.Altitude = static_cast<int16_t>(feet(random));
        a.HeadingSector = static_cast<int16_t>(i % 8);
        a.Pic = i % 7 == 0 ? "L" + std::to_string(i) : "";
        a.Team = static_cast<int16_t>(i % 2);
        state.ObjectiveList.Append() = {"", a.Y, a.X, static_cast<float>(feet(random))};
    }
    frmThreeD& m = OpenMap();
    const std::tuple<const char*, int16_t, int16_t, int16_t> views[] = {
        {"top down", 90, 90, 7},           {"world view", 50, 60, 7},
        {"south looking north", 90, 0, 7}, {"east looking west", 0, 0, 7},
        {"low and close", 130, 30, -10},   {"far", 270, 81, 40},
    };
    for (const auto& [name, yaw, tilt, zoom] : views) {
        std::tie(m.Scene.ViewYaw, m.Scene.ViewTilt, m.Scene.ViewZoom) = std::tie(yaw, tilt, zoom);
        m.SkipHidden = false;
        m.Redraw();
        const QImage everything = FormTestAccess::Surface(m).copy();
        m.SkipHidden = true;
        m.Redraw();
        EXPECT_TRUE(FormTestAccess::Surface(m) == everything) << name;
    }
}

}  // namespace
}  // namespace velmora::test
