// The 3-D map window, opened from the main window with a sample turn as a pilot would. The
// checks look at what a user sees: the preset menu, the view each control sets, and pixels of
// the window's surface.

#include <array>
#include <cmath>
#include <random>
#include <tuple>

#include "GUI/Look.h"
#include "GUI/Text.h"
#include "GUI/view3d/frmThreeD.h"
#include "pictures/Pictures.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

// Whether painting the map's steps one by one over what it shows, each picture found by its
// name, leaves every pixel as it was. Labels beyond a thousand bytes never reach the edge here.
bool ShowsItsSteps(frmThreeD& m, const SharedSubsAndVar& state) {
    const QImage shown = FormTestAccess::Surface(m).copy();
    const char* names[] = {"North",    "South",  "East",    "West",
                           "Friendly", "BadGuy", "GoodGuy", "BullsEye"};
    RedrawBuffers drawing;
    velmora::Redraw(m.Scene, state, {m.Width(), m.Height()}, drawing);
    for (const ThreeDStep& step : drawing.Steps) {
        if (const auto* p = std::get_if<PictureStep>(&step)) {
            QString picture = QLatin1String(names[static_cast<int>(p->Picture)]);
            if (p->Picture >= ScenePicture::Friendly && p->Picture < ScenePicture::BullsEye) {
                picture += QStringLiteral("(%1)").arg(p->Index);  // by heading
            }
            m.PaintPicture(Pictures::instance().get(picture), p->Left, p->Top);
        } else if (const auto* line = std::get_if<LineStep>(&step)) {
            m.Line(line->X1, line->Y1, line->X2, line->Y2, ToQColor(line->Color));
        } else if (const auto* dot = std::get_if<DotStep>(&step)) {
            m.SetFillColor(ToQColor(dot->Color));
            m.Circle(dot->X, dot->Y, dot->Radius, ToQColor(dot->Color));
        } else if (const auto* label = std::get_if<LabelStep>(&step)) {
            m.SetForeColor(ToQColor(label->Color));
            m.SetCurrentX(label->X);
            m.SetCurrentY(label->Y);
            m.Print(ToQ(std::string_view(state.AircraftList(label->Aircraft).Pic).substr(0, 1000)));
        } else {
            m.Cls();
        }
    }
    return FormTestAccess::Surface(m) == shown;
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
    const QImage own = Pictures::instance().get(QStringLiteral("GoodGuy(2)"));
    const QPoint corner(TwipsToPixels(m.Width() / 2 - 180), TwipsToPixels(m.Height() / 2 - 180));
    EXPECT_EQ(FormTestAccess::Surface(m).copy(QRect(corner, own.size())), own);

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

    // Grown and shrunk again it redraws at the new size. A huge label does not stall the redraw.
    state.AircraftList(1).Pic.assign(50'000'000, 'W');
    const QSize size = FormTestAccess::TopLevel(m)->size();
    for (const QSize& to : {size * 2, size}) {
        FormTestAccess::TopLevel(m)->resize(to);
        settle();
        EXPECT_TRUE(ShowsItsSteps(m, state)) << to.width();
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
    std::mt19937 random(4);
    std::uniform_real_distribution<float> km(-6, 6);
    for (int i = 0; i < 3000; ++i) {
        AircraftRecord& a = state.AircraftList.Append();
        a.X = state.OwnX + km(random);
        a.Y = state.OwnY + km(random);
        a.Altitude = static_cast<int16_t>(i * 37 % 30000);
        a.HeadingSector = static_cast<int16_t>(i % 8);
        a.Pic = i % 7 == 0 ? "L" + std::to_string(i) : "";
        a.Team = static_cast<int16_t>(i % 2);
        state.ObjectiveList.Append() = {"", a.Y, a.X, static_cast<float>(i * 53 % 30000)};
    }
    frmThreeD& m = OpenMap();
    const std::tuple<const char*, int16_t, int16_t, int16_t> views[] = {
        {"top down", 90, 90, 7},           {"world view", 50, 60, 7},
        {"south looking north", 90, 0, 7}, {"east looking west", 0, 0, 7},
        {"low and close", 130, 30, -10},   {"far", 270, 81, 40},
    };
    for (const auto& [name, yaw, tilt, zoom] : views) {
        std::tie(m.Scene.ViewYaw, m.Scene.ViewTilt, m.Scene.ViewZoom) = std::tie(yaw, tilt, zoom);
        m.Redraw();
        EXPECT_TRUE(ShowsItsSteps(m, state)) << name;
    }
}

}  // namespace
}  // namespace velmora::test
