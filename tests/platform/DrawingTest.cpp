// The retained surface: what the drawing methods and lightweight controls put where, in pixels.

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "TestSupport.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

const QColor kBack(0, 0, 0);
const QColor kFore(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 255, 0);

// 300 x 200 pixels, black, yellow foreground.
class Canvas : public Form {
public:
    using Form::Form;
    Image Lower, Upper;
    LineControl Frame1;
    int paints = 0;

protected:
    void Design() override {
        SetBorderStyle(BorderStyle::FixedSingle);
        SetInnerSize(4500, 3000);
        SetBackColor(kBack);
        SetForeColor(kFore);
    }
    void Form_Paint() override { ++paints; }
};

class Drawing : public ::testing::Test {
protected:
    void SetUp() override { canvas.Show(); }
    void TearDown() override { settle(); }

    // The pixels of the surface that are not the back colour.
    std::vector<QPoint> marked(const QRect& within = QRect(0, 0, 300, 200)) const {
        std::vector<QPoint> points;
        for (int y = within.top(); y <= within.bottom(); ++y) {
            for (int x = within.left(); x <= within.right(); ++x) {
                if (pixel(canvas, x, y) != kBack) {
                    points.emplace_back(x, y);
                }
            }
        }
        return points;
    }

    ScriptedServices services;
    Canvas canvas{services};
};

TEST(TwipsToPixels, RoundsHalfToEvenAndHoldsAnyInput) {
    struct Row {
        double twips;
        int pixels;
    };
    const Row rows[] = {
        {0, 0},
        {150, 10},
        {157, 10},
        {172.5, 12},
        {112.5, 8},
        {127.5, 8},
        {-187.5, -12},
        {4800, 320},
        {1e30, 1000000},
        {-1e30, -1000000},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {std::numeric_limits<double>::infinity(), 1000000},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(twipsToPixels(row.twips), row.pixels) << row.twips;
    }
}

TEST_F(Drawing, LinesAndBoxesCoverTheirPixelsExactly) {
    struct Row {
        const char* name;
        std::function<void(Form&)> draw;
        QRect outline;  // the pixels drawn are this rectangle's outline (a line when flat)
    };
    const Row rows[] = {
        {"horizontal line", [](Form& f) { f.Line(150, 300, 750, 300); }, QRect(10, 20, 41, 1)},
        {"vertical line, reversed", [](Form& f) { f.Line(300, 900, 300, 450); },
         QRect(20, 30, 1, 31)},
        {"box", [](Form& f) { f.Line(150, 300, 600, 600, LineMode::Box); }, QRect(10, 20, 31, 21)},
        {"box from the far corner", [](Form& f) { f.Line(600, 600, 150, 300, LineMode::Box); },
         QRect(10, 20, 31, 21)},
        {"relative box", [](Form& f) { f.Line(150, 300, 450, 300, LineMode::BoxRelative); },
         QRect(10, 20, 31, 21)},
        {"flat box", [](Form& f) { f.Line(150, 300, 600, 300, LineMode::Box); },
         QRect(10, 20, 31, 1)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        canvas.Cls();
        row.draw(canvas);
        std::vector<QPoint> expected;
        const QRect r = row.outline;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (y == r.top() || y == r.bottom() || x == r.left() || x == r.right()) {
                    expected.emplace_back(x, y);
                }
            }
        }
        EXPECT_EQ(marked(), expected);
        EXPECT_EQ(pixel(canvas, r.left(), r.top()), kFore);
    }
}

TEST_F(Drawing, CircleOutlinesAndFillsOnlyWhenTheFillIsSolid) {
    canvas.Circle(1500, 1500, 300);  // centre (100, 100), radius 20 pixels
    EXPECT_EQ(pixel(canvas, 80, 100), kFore);
    EXPECT_EQ(pixel(canvas, 120, 100), kFore);
    EXPECT_EQ(pixel(canvas, 100, 80), kFore);
    EXPECT_EQ(pixel(canvas, 100, 100), kBack) << "transparent fill by default";
    EXPECT_EQ(pixel(canvas, 78, 100), kBack);

    canvas.Cls();
    canvas.SetFillStyle(FillStyle::Solid);
    canvas.SetFillColor(kGreen);
    canvas.Circle(1500, 1500, 300, kRed);
    EXPECT_EQ(pixel(canvas, 80, 100), kRed);
    EXPECT_EQ(pixel(canvas, 100, 100), kGreen);
    EXPECT_EQ(pixel(canvas, 95, 90), kGreen);
    EXPECT_EQ(pixel(canvas, 122, 100), kBack);
}

TEST_F(Drawing, PaintPictureAtNaturalSizeFromItsTopLeftCorner) {
    QImage picture = solid(kBlue, 3, 2);
    picture.setPixelColor(2, 1, kRed);
    canvas.PaintPicture(picture, 300, 450);
    std::vector<QPoint> expected;
    for (int y = 30; y < 32; ++y) {
        for (int x = 20; x < 23; ++x) {
            expected.emplace_back(x, y);
        }
    }
    EXPECT_EQ(marked(), expected);
    EXPECT_EQ(pixel(canvas, 22, 31), kRed);
    // A picture that keeps a device-pixel ratio still paints one pixel per pixel.
    picture.setDevicePixelRatio(2);
    canvas.Cls();
    canvas.PaintPicture(picture, 0, 0);
    EXPECT_EQ(marked().size(), 6u);
}

TEST_F(Drawing, PaintPictureCutAtTheSurfaceEdges) {
    QImage picture = solid(kBlue, 3, 2);
    picture.setPixelColor(1, 1, kRed);
    canvas.PaintPicture(picture, -15, -15);  // one pixel off the top-left corner
    EXPECT_EQ(marked(), (std::vector<QPoint>{{0, 0}, {1, 0}}));
    EXPECT_EQ(pixel(canvas, 0, 0), kRed);
    canvas.Cls();
    canvas.PaintPicture(picture, 299 * 15, 199 * 15);  // one pixel on at the far corner
    EXPECT_EQ(marked(), (std::vector<QPoint>{{299, 199}}));
    EXPECT_EQ(pixel(canvas, 299, 199), kBlue);
}

TEST_F(Drawing, PrintWritesBelowAndRightOfTheCurrentPointWithoutBackground) {
    canvas.SetFontSize(10);
    canvas.SetCurrentX(300);
    canvas.SetCurrentY(450);
    canvas.Print("MW");
    const std::vector<QPoint> ink = marked();
    ASSERT_FALSE(ink.empty());
    for (const QPoint& p : ink) {
        EXPECT_GE(p.x(), 20);
        EXPECT_GE(p.y(), 30);
        EXPECT_LT(p.y(), 60);
    }
    EXPECT_TRUE(std::any_of(ink.begin(), ink.end(), [this](const QPoint& p) {
        return pixel(canvas, p.x(), p.y()) == kFore;
    }));
    EXPECT_EQ(canvas.CurrentX(), 0);
    const float line = canvas.CurrentY() - 450;
    EXPECT_GT(line, 0);

    canvas.Print("a\r\nb");
    EXPECT_FLOAT_EQ(canvas.CurrentY(), 450 + 3 * line);

    // Text over a mark leaves the mark around the letters.
    canvas.Cls();
    canvas.Line(0, 450, 4500, 450, kRed);
    canvas.SetCurrentX(300);
    canvas.SetCurrentY(300);
    canvas.Print("i");
    EXPECT_EQ(pixel(canvas, 5, 30), kRed);
}

TEST_F(Drawing, RefreshOfAnImageWipesTheMarksOnItAndKeepsTheRest) {
    canvas.Add(canvas.Lower, 150, 150, 300, 300);  // pixels 10..29
    canvas.Lower.SetPicture(solid(kBlue, 20, 20));
    canvas.Line(0, 300, 900, 300, kRed);  // across the image, row 20
    EXPECT_EQ(pixel(canvas, 15, 20), kRed);

    canvas.Lower.Refresh();
    EXPECT_EQ(pixel(canvas, 15, 20), kBlue);
    EXPECT_EQ(pixel(canvas, 29, 20), kBlue);
    EXPECT_EQ(pixel(canvas, 5, 20), kRed);
    EXPECT_EQ(pixel(canvas, 30, 20), kRed);
}

TEST_F(Drawing, RepaintsKeepTheZOrderOfLightweightControls) {
    canvas.AddLine(canvas.Frame1, 0, 300, 1500, 300);
    canvas.Frame1.SetBorderColor(kGreen);
    canvas.Frame1.SetBorderWidth(3);
    canvas.Add(canvas.Lower, 150, 150, 450, 450);  // 10..39
    canvas.Lower.SetPicture(solid(kBlue, 30, 30));
    canvas.Add(canvas.Upper, 450, 450, 450, 450);  // 30..59
    canvas.Upper.SetPicture(solid(kRed, 30, 30));
    EXPECT_EQ(pixel(canvas, 5, 20), kGreen);
    EXPECT_EQ(pixel(canvas, 20, 20), kBlue) << "the image lies over the earlier line";

    canvas.Lower.Refresh();
    EXPECT_EQ(pixel(canvas, 35, 35), kRed) << "the upper image stays on top where they overlap";
    EXPECT_EQ(pixel(canvas, 20, 20), kBlue);

    canvas.Upper.SetVisible(false);
    EXPECT_EQ(pixel(canvas, 35, 35), kBlue);
    EXPECT_EQ(pixel(canvas, 50, 50), kBack);

    // A hidden image holds its picture and draws nothing.
    canvas.Upper.SetPicture(solid(kGreen, 30, 30));
    EXPECT_EQ(pixel(canvas, 50, 50), kBack);
    canvas.Upper.SetVisible(true);
    EXPECT_EQ(pixel(canvas, 50, 50), kGreen);
}

TEST_F(Drawing, ImagesStretchOrShowTheirPictureCutToTheirRectangle) {
    canvas.Add(canvas.Lower, 0, 0, 300, 300);  // 20 x 20 pixels
    canvas.Lower.SetPicture(solid(kBlue, 40, 10));
    EXPECT_EQ(pixel(canvas, 19, 5), kBlue);
    EXPECT_EQ(pixel(canvas, 20, 5), kBack) << "cut at the control's edge";
    EXPECT_EQ(pixel(canvas, 5, 15), kBack) << "natural size";

    canvas.Lower.SetStretch(true);
    EXPECT_EQ(pixel(canvas, 5, 15), kBlue);
    EXPECT_EQ(pixel(canvas, 20, 5), kBack);
}

TEST_F(Drawing, MovingAnImageRepaintsWhereItWasAndWhereItIsOnly) {
    canvas.Add(canvas.Lower, 0, 0, 150, 150);
    canvas.Lower.SetPicture(solid(kBlue, 10, 10));
    canvas.Line(0, 750, 4500, 750, kRed);  // row 50, between the two places
    canvas.Lower.Move(3000, 1500, 150, 150);
    EXPECT_EQ(pixel(canvas, 5, 5), kBack);
    EXPECT_EQ(pixel(canvas, 205, 105), kBlue);
    EXPECT_EQ(pixel(canvas, 100, 50), kRed);
}

TEST_F(Drawing, ClsClearsDrawingsButRepaintsTheControls) {
    canvas.Add(canvas.Lower, 150, 150, 150, 150);
    canvas.Lower.SetPicture(solid(kBlue, 10, 10));
    canvas.Line(0, 0, 4500, 3000, kRed);
    canvas.SetCurrentX(100);
    canvas.Cls();
    EXPECT_EQ(pixel(canvas, 12, 12), kBlue);
    EXPECT_EQ(pixel(canvas, 100, 67), kBack);
    EXPECT_EQ(canvas.CurrentX(), 0);
}

TEST_F(Drawing, DrawingsSurviveRepaintsOfTheWindow) {
    canvas.Line(150, 150, 1500, 150, kRed);
    const QImage shown = canvas.InnerArea()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(20, 10), kRed);
    canvas.TopLevel()->hide();
    canvas.TopLevel()->show();
    EXPECT_EQ(canvas.InnerArea()->grab().toImage().pixelColor(20, 10), kRed);
}

TEST_F(Drawing, GrowingTheAreaKeepsDrawingsAndPaintsTheNewPartWithControls) {
    Canvas wide(services);
    wide.Show();
    wide.SetBorderStyle(BorderStyle::Sizable);
    wide.Line(0, 150, 4485, 150, kRed);  // to the last column
    wide.Add(wide.Lower, 4200, 0, 1500, 300);
    wide.Lower.SetPicture(solid(kBlue, 100, 20));
    const int paints = wide.paints;
    wide.TopLevel()->resize(400, 250);
    ASSERT_EQ(wide.Surface().size(), QSize(400, 250));
    EXPECT_EQ(pixel(wide, 150, 10), kRed);
    EXPECT_EQ(pixel(wide, 350, 30), kBack) << "new area in the back colour";
    EXPECT_EQ(pixel(wide, 350, 5), kBlue) << "and the controls that reach into it";
    EXPECT_EQ(pixel(wide, 320, 225), kBack);
    EXPECT_GT(wide.paints, paints);
}

TEST_F(Drawing, WildCoordinatesDrawWhatFitsAndNeverFail) {
    const float huge = std::numeric_limits<float>::max();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    canvas.Line(-huge, 150, huge, 150, kRed);
    EXPECT_EQ(pixel(canvas, 150, 10), kRed);
    canvas.Line(nan, nan, 300, 300, LineMode::Box);
    canvas.Circle(1500, 1500, huge);
    canvas.Circle(nan, 0, -300);
    canvas.PaintPicture(solid(kBlue, 5, 5), -huge, huge);
    canvas.PaintPicture(QImage(), 0, 0);
    canvas.SetCurrentX(huge);
    canvas.SetCurrentY(-huge);
    canvas.Print("far away");
    canvas.Add(canvas.Lower, nan, -huge, huge, huge);
    canvas.Lower.SetPicture(solid(kBlue, 5, 5));
    canvas.Lower.Refresh();
}

TEST_F(Drawing, NothingIsDrawnOnAnUnloadedWindow) {
    canvas.Unload();
    canvas.Line(0, 0, 300, 300);
    canvas.Print("x");
    canvas.Cls();
    EXPECT_TRUE(canvas.Surface().isNull());
    canvas.Lower.Refresh();
}

}  // namespace
}  // namespace velmora::test
