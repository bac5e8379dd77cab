// The retained surface: what the drawing methods and lightweight controls put where, in pixels,
// and the direct paths (straight lines, small circles, rows of a picture, batches) against what
// the painter paints.

#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

#include "tests/platform/TestSupport.h"

namespace velmora::test {
namespace {

const QColor kBack(64, 64, 64);
const QColor kFore(255, 255, 0);

// 300 x 200 pixels, grey, yellow foreground.
class Canvas : public Form {
public:
    using Form::Form;
    Image Lower, Upper;
    LineControl Line1;
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

using Probes = std::vector<std::tuple<int, int, QColor>>;  // x, y in pixels and the colour there

void expectColours(const Form& form, const Probes& probes) {
    for (const auto& [x, y, colour] : probes) {
        EXPECT_EQ(pixel(form, x, y).name().toStdString(), colour.name().toStdString())
            << x << ", " << y;
    }
}

// Keeps the region of the inner area that Qt repainted.
struct Repaints : QObject {
    QRegion region;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

class Drawing : public WindowTest {
protected:
    void SetUp() override {
        canvas.Show();
        FormTestAccess::InnerArea(canvas)->installEventFilter(&repaints);
    }
    // A clear surface, all of it shown.
    void Clear() {
        canvas.Cls();
        settle();
        repaints.region = QRegion();
    }
    // Every pixel that is not the back colour reached the screen.
    void ExpectShown() {
        settle();
        QImage shown = solid(kBack, surface().width(), surface().height());
        QPainter painter(&shown);
        painter.setClipRegion(repaints.region);
        painter.drawImage(0, 0, surface());
        EXPECT_TRUE(shown == surface()) << "not all shown";
    }

    const QImage& surface() const { return FormTestAccess::Surface(canvas); }
    Canvas canvas{services};
    Repaints repaints;
};

// Half to even; far beyond the screen is a million pixels, and not a number is 0.
TEST(TwipsToPixels, RoundsHalfToEvenAndHoldsAnyInput) {
    const std::pair<double, int> rows[] = {{112.5, 8},      {127.5, 8},          {-187.5, -12},
                                           {1e30, 1000000}, {HUGE_VAL, 1000000}, {NAN, 0}};
    for (const auto& [twips, pixels] : rows) {
        EXPECT_EQ(TwipsToPixels(twips), pixels) << twips;
    }
}

// Lines, circles and pictures set their pixels directly where they can. A line's pixels are one
// for each step along the longer axis, ends included, the other coordinate rounded half up from
// the end that comes first along that axis; the painter's differ, so a slanted line that leaves
// the surface is compared with the same line drawn whole further in.
TEST_F(Drawing, DirectPathsPaintThePaintersPixelsAndStayOnTheSurfaceAlsoInABatch) {
    // A name, the drawing, and the painter's drawing of the same.
    using Row = std::tuple<const char*, std::function<void(Form&)>, std::function<void(QPainter&)>>;
    auto drawLine = [](QPoint a, QPoint b) {
        return [=](Form& f) { f.Line(a.x() * 15.0f, a.y() * 15.0f, b.x() * 15.0f, b.y() * 15.0f); };
    };
    // The painter's line, or the pixels marked.
    auto line = [&](const char* name, QPoint a, QPoint b, std::vector<QPoint> marks = {}) {
        return Row{name, drawLine(a, b), [=](QPainter& p) {
                       p.setPen(kFore);
                       marks.empty() ? p.drawLine(a, b)
                                     : p.drawPoints(marks.data(), int(marks.size()));
                   }};
    };
    auto leaving = [&](const char* name, QPoint a, QPoint b, QPoint in) {
        canvas.Cls();
        drawLine(a + in, b + in)(canvas);
        const QImage whole = surface().copy();
        return Row{name, drawLine(a, b), [=](QPainter& p) { p.drawImage(-in, whole); }};
    };
    auto circle = [](const char* name, QPoint centre, int radius, bool solid) {
        return Row{name,
                   [=](Form& f) {
                       f.SetFillStyle(solid ? FillStyle::Solid : FillStyle::Transparent);
                       f.SetFillColor(Qt::green);
                       f.Circle(centre.x() * 15.0f, centre.y() * 15.0f, radius * 15.0f, Qt::red);
                   },
                   [=](QPainter& p) {
                       p.setPen(Qt::red);
                       p.setBrush(solid ? QBrush(Qt::green) : QBrush(Qt::NoBrush));
                       p.drawEllipse(centre, radius, radius);
                   }};
    };
    // Rows first to last of the picture, top-left corner at (x, y) in pixels.
    auto picture = [](const char* name, const QImage& image, int x, int y, int first, int last) {
        return Row{name,
                   [=](Form& f) { f.PaintPictureRows(image, x * 15.0f, y * 15.0f, first, last); },
                   [=](QPainter& p) {
                       p.setClipRect(x, y + first, image.width(), last - first + 1);
                       p.drawImage(QRect(QPoint(x, y), image.size()), image);
                   }};
    };
    QImage icon(24, 6, QImage::Format_RGB32);
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            icon.setPixelColor(x, y, QColor(x * 10, y * 40, 255));
        }
    }
    QImage dense = icon.convertToFormat(QImage::Format_ARGB32);
    dense.setDevicePixelRatio(2);
    const Row rows[] = {
        line("straight, drawn upwards", {3, 4}, {3, 0}),
        line("straight, leaving by the right edge", {280, 40}, {400, 40}),
        line("straight, leaving by the bottom edge", {50, 150}, {50, 260}),
        line("shallow", {0, 0}, {4, 1}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}),
        line("steep, drawn upwards", {10, 4}, {9, 0}, {{9, 0}, {9, 1}, {10, 2}, {10, 3}, {10, 4}}),
        line("starting off the sheet", {-2, -1}, {2, 1}, {{0, 0}, {1, 1}, {2, 1}}),
        leaving("shallow, leaving by the right edge", {290, 50}, {330, 61}, {-40, 0}),
        leaving("steep, leaving by the right edge", {295, 100}, {305, 140}, {-20, 0}),
        leaving("shallow, leaving by the bottom edge", {100, 190}, {160, 205}, {0, -20}),
        leaving("steep, leaving by the bottom edge", {100, 190}, {109, 260}, {0, -70}),
        leaving("leaving through the bottom-right corner", {239, 169}, {359, 229}, {-60, -30}),
        circle("a hollow circle", {100, 70}, 7, false),
        circle("a circle cut at the bottom-right", {298, 199}, 20, true),
        picture("a picture cut at the top-left", icon, -3, -2, 0, 5),
        picture("a picture cut at the bottom-right", icon, 290, 197, 0, 5),
        picture("rows 2 to 4 of a picture of another format and pixel ratio", dense, 20, 30, 2, 4),
    };
    for (const auto& [name, draw, paint] : rows) {
        SCOPED_TRACE(name);
        Clear();
        draw(canvas);
        ExpectShown();
        QImage painted = solid(kBack, surface().width(), surface().height());
        QPainter painter(&painted);
        paint(painter);
        EXPECT_TRUE(surface() == painted);
    }

    // A batch, nested too, paints and shows what single calls paint: all the rows, and a text
    // whose top row lies at CurrentY.
    auto drawAll = [&] {
        for (const auto& [name, draw, paint] : rows) {
            draw(canvas);
        }
        canvas.SetCurrentX(3000);  // column 200
        canvas.SetCurrentY(0);
        canvas.Print("0123");
    };
    Clear();
    drawAll();
    const QImage single = surface().copy();
    EXPECT_FALSE(single.copy(200, 0, 20, 20) == solid(kBack, 20, 20));
    Clear();
    {
        DrawingBatch outer(canvas), inner(canvas);
        drawAll();
    }
    EXPECT_TRUE(surface() == single);
    ExpectShown();
}

// The lowest control is the line, then the lower image, then the upper one.
TEST_F(Drawing, AChangedControlRepaintsWhereItWasAndIsWithTheControlsAboveOnTop) {
    const std::tuple<const char*, Probes, std::function<void(Canvas&)>> rows[] = {
        {"Refresh wipes the marks on it, and its picture stays within its place",
         {{35, 15, kBack}, {15, 20, kBack}, {27, 27, Qt::green}, {32, 20, Qt::red}},
         [](Canvas& c) { c.Lower.Refresh(); }},
        {"stretching",
         {{15, 25, Qt::blue}, {29, 22, Qt::blue}, {27, 27, Qt::green}, {32, 20, Qt::red}},
         [](Canvas& c) { c.Lower.SetStretch(true); }},
        {"hiding the lower image",
         {{15, 15, kBack}, {15, 20, kBack}, {15, 25, Qt::black}, {27, 27, Qt::green}},
         [](Canvas& c) { c.Lower.SetVisible(false); }},
        {"a wider line",
         {{50, 21, Qt::black}, {50, 29, Qt::black}, {50, 31, kBack}, {27, 27, Qt::green}},
         [](Canvas& c) { c.Line1.SetBorderWidth(9); }},
    };
    for (const auto& [name, probes, change] : rows) {
        SCOPED_TRACE(name);
        Canvas window(services);
        window.Show();
        window.AddLine(window.Line1, 0, 375, 1500, 375);   // row 25, columns 0..100
        window.Add(window.Lower, 150, 150, 300, 300);      // 10..29
        window.Lower.SetPicture(solid(Qt::blue, 40, 10));  // rows 10..19
        window.Add(window.Upper, 375, 375, 300, 300);      // 25..44
        window.Upper.SetPicture(solid(Qt::green, 20, 20));
        window.Line(0, 300, 885, 300, Qt::red);  // row 20, columns 0..59
        change(window);
        expectColours(window, probes);
    }
}

// Only a window that asks for it draws again when the window system shows it afresh.
TEST_F(Drawing, PaintsOnExposeOnlyWhenAsked) {
    for (const bool asked : {false, true}) {
        canvas.SetPaintOnExpose(asked);
        const int paints = canvas.paints;
        QExposeEvent expose(QRegion(0, 0, 10, 10));
        QCoreApplication::sendEvent(FormTestAccess::TopLevel(canvas)->windowHandle(), &expose);
        EXPECT_EQ(canvas.paints - paints, asked ? 1 : 0) << asked;
    }
}

// Grown taller only: the new rows show the back colour and the controls that reach into them,
// and the window is told to paint there.
TEST_F(Drawing, GrowingTheAreaKeepsAndShowsDrawingsAndPaintsTheNewPartWithControls) {
    canvas.SetBorderStyle(BorderStyle::Sizable);
    canvas.Line(0, 150, 4485, 150, Qt::red);       // to the last column
    canvas.Add(canvas.Lower, 0, 3150, 1500, 300);  // rows 210..229, below the old bottom
    canvas.Lower.SetPicture(solid(Qt::blue, 100, 20));
    const int paints = canvas.paints;
    FormTestAccess::TopLevel(canvas)->resize(300, 250);
    expectColours(canvas, {{299, 10, Qt::red}, {50, 220, Qt::blue}, {150, 220, kBack}});
    EXPECT_GT(canvas.paints, paints);
    EXPECT_EQ(FormTestAccess::InnerArea(canvas)->grab().toImage().pixelColor(150, 10), Qt::red)
        << "as shown";
}

}  // namespace
}  // namespace velmora::test
