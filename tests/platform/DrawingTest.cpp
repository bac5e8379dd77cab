// The retained surface: what the drawing methods and lightweight controls put where, in pixels.

#include <gtest/gtest.h>

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

struct Probe {
    int x, y;
    QColor colour;
};

void expectColours(const Form& form, const std::vector<Probe>& probes) {
    for (const Probe& p : probes) {
        EXPECT_EQ(pixel(form, p.x, p.y).name().toStdString(), p.colour.name().toStdString())
            << p.x << ", " << p.y;
    }
}

class Drawing : public ::testing::Test {
protected:
    void SetUp() override { canvas.Show(); }
    void TearDown() override { settle(); }
    ScriptedServices services;
    Canvas canvas{services};
};

TEST(TwipsToPixels, RoundsHalfToEvenAndHoldsAnyInput) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, int> rows[] = {{157, 10},         {112.5, 8},      {127.5, 8},
                                           {-187.5, -12},     {1e30, 1000000}, {nan, 0},
                                           {-1e30, -1000000}, {inf, 1000000}};
    for (const auto& [twips, pixels] : rows) {
        EXPECT_EQ(twipsToPixels(twips), pixels) << twips;
    }
}

TEST_F(Drawing, EachMethodMarksItsPixelsAndNoOthers) {
    QImage picture = solid(kBlue, 3, 2);
    picture.setPixelColor(2, 1, kRed);
    QImage dense = picture.convertToFormat(QImage::Format_ARGB32);
    dense.setDevicePixelRatio(2);
    const QRect box(10, 20, 31, 21);
    const std::vector<Probe> boxProbes = {{10, 20, kFore}, {40, 40, kFore}, {25, 30, kBack}};
    const std::vector<Probe> pictureProbes = {{20, 30, kBlue}, {22, 31, kRed}};
    struct Row {
        const char* name;
        QRect within;               // every mark lies inside
        std::vector<Probe> probes;  // among them the corners the marks reach
        std::function<void(Form&)> draw;
    };
    const Row rows[] = {
        {"line",
         {10, 20, 41, 1},
         {{10, 20, kFore}, {50, 20, kFore}},
         [](Form& f) { f.Line(150, 300, 750, 300); }},
        {"box", box, boxProbes, [](Form& f) { f.Line(150, 300, 600, 600, LineMode::Box); }},
        {"box from the far corner", box, boxProbes,
         [](Form& f) { f.Line(600, 600, 150, 300, LineMode::Box); }},
        {"relative box", box, boxProbes,
         [](Form& f) { f.Line(150, 300, 450, 300, LineMode::BoxRelative); }},
        {"flat box",
         {10, 20, 31, 1},
         {{10, 20, kFore}, {40, 20, kFore}},
         [](Form& f) { f.Line(150, 300, 600, 300, LineMode::Box); }},
        {"circle, hollow by default",
         {80, 80, 41, 41},
         {{80, 100, kFore}, {120, 100, kFore}, {100, 80, kFore}, {100, 100, kBack}},
         [](Form& f) { f.Circle(1500, 1500, 300); }},
        {"circle with a solid fill",
         {80, 80, 41, 41},
         {{80, 100, kRed}, {100, 100, kGreen}, {95, 90, kGreen}},
         [](Form& f) {
             f.SetFillStyle(FillStyle::Solid);
             f.SetFillColor(kGreen);
             f.Circle(1500, 1500, 300, kRed);
         }},
        {"picture",
         {20, 30, 3, 2},
         pictureProbes,
         [&](Form& f) { f.PaintPicture(picture, 300, 450); }},
        {"picture of another format and pixel ratio",
         {20, 30, 3, 2},
         pictureProbes,
         [&](Form& f) { f.PaintPicture(dense, 300, 450); }},
        {"picture cut at the top-left edges",
         {0, 0, 2, 1},
         {{0, 0, kBlue}, {1, 0, kRed}},
         [&](Form& f) { f.PaintPicture(picture, -15, -15); }},
        {"picture cut at the far edges",
         {299, 199, 1, 1},
         {{299, 199, kBlue}},
         [&](Form& f) { f.PaintPicture(picture, 299 * 15, 199 * 15); }},
        {"text below and right of the current point",
         {20, 30, 280, 30},
         {},
         [](Form& f) {
             f.SetCurrentX(300);
             f.SetCurrentY(450);
             f.Print("MW");
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        canvas.Cls();
        row.draw(canvas);
        QRect marked;
        for (int y = 0; y < canvas.Surface().height(); ++y) {
            for (int x = 0; x < canvas.Surface().width(); ++x) {
                if (pixel(canvas, x, y) != kBack) {
                    marked |= QRect(x, y, 1, 1);
                }
            }
        }
        EXPECT_FALSE(marked.isEmpty());
        EXPECT_TRUE(row.within.contains(marked))
            << "marks from " << marked.left() << ", " << marked.top() << " to " << marked.right()
            << ", " << marked.bottom();
        expectColours(canvas, row.probes);
    }
}

TEST_F(Drawing, PrintAndClsMoveTheCurrentPoint) {
    canvas.SetCurrentX(300);
    canvas.Print("a");
    const float line = canvas.CurrentY();
    EXPECT_GT(line, 0);
    EXPECT_EQ(canvas.CurrentX(), 0);
    canvas.Print("b\r\nc");
    EXPECT_FLOAT_EQ(canvas.CurrentY(), 3 * line);
    canvas.Cls();
    EXPECT_EQ(canvas.CurrentY(), 0);
}

TEST_F(Drawing, ChangingAnImageRepaintsWhereItWasAndWhereItIsOnly) {
    struct Row {
        const char* name;
        std::vector<Probe> probes;
        std::function<void(Canvas&)> change;
    };
    // The image covers pixels 10..29 with a picture 40 wide and 10 high, under a red row 20.
    const Row rows[] = {
        {"Refresh wipes the marks on it",
         {{15, 20, kBack}, {15, 15, kBlue}, {30, 15, kBack}, {9, 20, kRed}, {30, 20, kRed}},
         [](Canvas& c) { c.Lower.Refresh(); }},
        {"stretching",
         {{15, 25, kBlue}, {29, 29, kBlue}, {30, 15, kBack}, {30, 20, kRed}},
         [](Canvas& c) { c.Lower.SetStretch(true); }},
        {"Cls keeps only the controls",
         {{15, 15, kBlue}, {5, 20, kBack}},
         [](Canvas& c) { c.Cls(); }},
        {"moving",
         {{15, 15, kBack}, {15, 20, kBack}, {45, 5, kBlue}, {35, 20, kRed}, {5, 20, kRed}},
         [](Canvas& c) { c.Lower.Move(600, 0, 300, 300); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Canvas window(services);
        window.Show();
        window.Add(window.Lower, 150, 150, 300, 300);
        window.Lower.SetPicture(solid(kBlue, 40, 10));
        window.Line(0, 300, 885, 300, kRed);
        row.change(window);
        expectColours(window, row.probes);
    }
}

TEST_F(Drawing, LaterControlsLieOnTopThroughEveryRepaint) {
    canvas.AddLine(canvas.Frame1, 0, 300, 1500, 300);
    canvas.Frame1.SetBorderColor(kGreen);
    canvas.Add(canvas.Lower, 150, 150, 450, 450);  // 10..39
    canvas.Lower.SetPicture(solid(kBlue, 30, 30));
    canvas.Add(canvas.Upper, 450, 450, 450, 450);  // 30..59
    canvas.Upper.SetPicture(solid(kRed, 30, 30));
    expectColours(canvas, {{5, 20, kGreen}, {20, 20, kBlue}});

    canvas.Lower.Refresh();
    EXPECT_EQ(pixel(canvas, 35, 35), kRed);
    canvas.Upper.SetVisible(false);
    canvas.Upper.SetPicture(solid(kGreen, 30, 30));
    expectColours(canvas, {{35, 35, kBlue}, {50, 50, kBack}});
    canvas.Upper.SetVisible(true);
    EXPECT_EQ(pixel(canvas, 50, 50), kGreen);
}

// Nothing is drawn on the window yet: what it shows comes from its back colour and controls.
TEST_F(Drawing, AWindowShowsItsControlsBeforeAnythingIsDrawnOnIt) {
    canvas.Add(canvas.Lower, 150, 150, 450, 450);  // 10..39
    canvas.Lower.SetPicture(solid(kBlue, 30, 30));
    const QImage shown = canvas.InnerArea()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(20, 20), kBlue);
    EXPECT_EQ(shown.pixelColor(50, 50), kBack);
}

TEST_F(Drawing, GrowingTheAreaKeepsAndShowsDrawingsAndPaintsTheNewPartWithControls) {
    canvas.SetBorderStyle(BorderStyle::Sizable);
    canvas.Line(0, 150, 4485, 150, kRed);  // to the last column
    canvas.Add(canvas.Lower, 4200, 0, 1500, 300);
    canvas.Lower.SetPicture(solid(kBlue, 100, 20));
    const int paints = canvas.paints;
    canvas.TopLevel()->resize(400, 250);
    ASSERT_EQ(canvas.Surface().size(), QSize(400, 250));
    expectColours(canvas, {{150, 10, kRed}, {350, 30, kBack}, {350, 5, kBlue}, {320, 225, kBack}});
    EXPECT_GT(canvas.paints, paints);
    EXPECT_EQ(canvas.InnerArea()->grab().toImage().pixelColor(150, 10), kRed) << "as shown";
}

TEST_F(Drawing, WildCoordinatesAndUnloadedWindowsNeverFail) {
    const float huge = std::numeric_limits<float>::max();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    canvas.Line(-huge, 150, huge, 150, kRed);
    EXPECT_EQ(pixel(canvas, 150, 10), kRed);
    canvas.Line(nan, nan, 300, 300, LineMode::Box);
    canvas.Circle(nan, 0, huge);
    canvas.PaintPicture(solid(kBlue, 5, 5), -huge, huge);
    canvas.SetCurrentX(huge);
    canvas.Print("far away");
    canvas.Add(canvas.Lower, nan, -huge, huge, huge);
    canvas.Lower.SetPicture(solid(kBlue, 5, 5));

    canvas.Unload();
    canvas.Line(0, 0, 300, 300);
    canvas.Print("x");
    canvas.Cls();
    canvas.Lower.Refresh();
    EXPECT_TRUE(canvas.Surface().isNull()) << "nothing is drawn on an unloaded window";
}

}  // namespace
}  // namespace velmora::test
