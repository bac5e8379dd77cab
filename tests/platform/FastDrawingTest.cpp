// The drawing methods' direct paths (straight lines, small circles, rows of a picture, text
// laid out once) and the drawing batch paint what the painter paints.

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <functional>

#include "TestSupport.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

const QColor kBack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);

// 200 x 150 pixels, black.
class Sheet : public Form {
public:
    using Form::Form;

protected:
    void Design() override {
        SetBorderStyle(BorderStyle::FixedSingle);
        SetInnerSize(3000, 2250);
        SetBackColor(kBack);
    }
};

class FastDrawing : public ::testing::Test {
protected:
    void SetUp() override { sheet.Show(); }
    void TearDown() override { settle(); }

    // The same drawing as the painter does it on a black image of the surface's size.
    QImage Painted(const std::function<void(QPainter&)>& draw) const {
        QImage image(sheet.Surface().size(), QImage::Format_RGB32);
        image.fill(kBack);
        QPainter painter(&image);
        draw(painter);
        return image;
    }

    ScriptedServices services;
    Sheet sheet{services};
};

QPen pen(const QColor& colour) {
    QPen p(colour);
    p.setWidth(1);
    return p;
}

TEST_F(FastDrawing, CirclesAreThePaintersPixels) {
    const struct {
        const char* name;
        QPoint centre;  // pixels
        int radius;     // pixels
        bool solid;
    } rows[] = {
        {"a ground dot", {50, 50}, 3, true},
        {"a point", {10, 10}, 0, true},
        {"hollow", {100, 70}, 7, false},
        {"cut at the top-left", {2, 1}, 12, true},
        {"cut at the bottom-right", {198, 149}, 20, true},
        {"the largest set directly", {100, 75}, 32, true},
        {"larger, through the painter", {100, 75}, 45, true},
    };
    for (const auto& r : rows) {
        sheet.Cls();
        sheet.SetFillStyle(r.solid ? FillStyle::Solid : FillStyle::Transparent);
        sheet.SetFillColor(kGreen);
        sheet.Circle(r.centre.x() * 15.0f, r.centre.y() * 15.0f, r.radius * 15.0f, kRed);
        const QImage expected = Painted([&](QPainter& p) {
            p.setPen(pen(kRed));
            p.setBrush(r.solid ? QBrush(kGreen) : QBrush(Qt::NoBrush));
            p.drawEllipse(r.centre, r.radius, r.radius);
        });
        EXPECT_TRUE(sheet.Surface() == expected) << r.name;
    }
}

TEST_F(FastDrawing, LinesRunEndToEndOnePixelAStep) {
    const struct {
        const char* name;
        QPoint a, b;  // pixels
    } rows[] = {
        {"across", {10, 20}, {150, 20}},
        {"down, drawn upwards", {30, 140}, {30, 5}},
        {"a point", {7, 7}, {7, 7}},
        {"shallow", {0, 0}, {199, 37}},
        {"steep, backwards", {150, 140}, {120, 3}},
        {"half-pixel slope", {10, 100}, {20, 95}},
        {"far ends off the sheet", {-5000, -4000}, {5000, 4000}},
    };
    for (const auto& r : rows) {
        sheet.Cls();
        sheet.Line(r.a.x() * 15.0f, r.a.y() * 15.0f, r.b.x() * 15.0f, r.b.y() * 15.0f, kRed);
        const QImage& s = sheet.Surface();
        const bool alongX = std::abs(r.b.x() - r.a.x()) >= std::abs(r.b.y() - r.a.y());
        int marked = 0, expected = 0;
        for (int y = 0; y < s.height(); ++y) {
            for (int x = 0; x < s.width(); ++x) {
                if (s.pixelColor(x, y) != kRed) {
                    continue;
                }
                ++marked;
                // On the exact line within half a pixel across its run.
                const double t = r.a == r.b ? 0
                                 : alongX   ? double(x - r.a.x()) / (r.b.x() - r.a.x())
                                            : double(y - r.a.y()) / (r.b.y() - r.a.y());
                const double off = alongX ? y - (r.a.y() + t * (r.b.y() - r.a.y()))
                                          : x - (r.a.x() + t * (r.b.x() - r.a.x()));
                EXPECT_LE(std::abs(off), 0.5 + 1e-9) << r.name << " at " << x << ", " << y;
            }
        }
        // One pixel for each step along the longer axis, ends included, where it is on the sheet.
        const int lo =
            std::max(alongX ? std::min(r.a.x(), r.b.x()) : std::min(r.a.y(), r.b.y()), 0);
        const int hi = std::min(alongX ? std::max(r.a.x(), r.b.x()) : std::max(r.a.y(), r.b.y()),
                                (alongX ? s.width() : s.height()) - 1);
        for (int m = lo; m <= hi; ++m) {
            const double t = r.a == r.b ? 0
                             : alongX   ? double(m - r.a.x()) / (r.b.x() - r.a.x())
                                        : double(m - r.a.y()) / (r.b.y() - r.a.y());
            const double n =
                alongX ? r.a.y() + t * (r.b.y() - r.a.y()) : r.a.x() + t * (r.b.x() - r.a.x());
            expected += n > -0.5 && n < (alongX ? s.height() : s.width()) - 0.5 ? 1 : 0;
        }
        EXPECT_EQ(marked, expected) << r.name;
    }
    // Straight lines are the painter's own pixels.
    sheet.Cls();
    sheet.Line(150, 300, 2250, 300, kRed);
    EXPECT_TRUE(sheet.Surface() == Painted([](QPainter& p) {
                    p.setPen(pen(kRed));
                    p.drawLine(QPoint(10, 20), QPoint(150, 20));
                }));
}

TEST_F(FastDrawing, PictureRowsPaintOnlyThoseRows) {
    QImage picture = solid(kBlue, 4, 6);
    for (int y = 0; y < 6; ++y) {
        picture.setPixelColor(0, y, QColor(y * 40, 0, 255));
    }
    for (const QImage& source : {picture, picture.convertToFormat(QImage::Format_ARGB32)}) {
        sheet.Cls();
        sheet.PaintPictureRows(source, 150, 300, 2, 4);
        for (int y = 0; y < 6; ++y) {
            const bool painted = y >= 2 && y <= 4;
            EXPECT_EQ(pixel(sheet, 10, 20 + y), painted ? QColor(y * 40, 0, 255) : kBack) << y;
            EXPECT_EQ(pixel(sheet, 13, 20 + y), painted ? kBlue : kBack) << y;
        }
    }
}

TEST_F(FastDrawing, ABatchPaintsWhatSingleCallsPaint) {
    const QImage picture = solid(kBlue, 24, 24);
    auto scene = [&](Form& f) {
        f.Cls();
        f.SetFillStyle(FillStyle::Solid);
        for (int i = 0; i < 40; ++i) {
            const float x = i * 71 % 3000, y = i * 53 % 2250;
            f.SetForeColor(QColor(i * 6, 255 - i * 6, 128));
            f.SetFillColor(f.ForeColor());
            f.Line(x, y, 3000 - y, x / 2);
            f.Circle(x, y, 50);
            f.PaintPicture(picture, y, x);
            f.SetCurrentX(x);
            f.SetCurrentY(y);
            f.Print(QString::number(i));
        }
    };
    scene(sheet);
    const QImage single = sheet.Surface().copy();
    {
        DrawingBatch outer(sheet);
        DrawingBatch inner(sheet);
        scene(sheet);
    }
    EXPECT_TRUE(sheet.Surface() == single);

    // The laid-out text follows a change of font.
    sheet.Cls();
    sheet.Print("MW");
    const QImage small = sheet.Surface().copy();
    sheet.SetFontSize(20);
    sheet.Cls();
    sheet.Print("MW");
    EXPECT_FALSE(sheet.Surface() == small);
}

TEST_F(FastDrawing, ABatchOutlivesAResizeAndAnUnload) {
    {
        DrawingBatch batch(sheet);
        sheet.Line(0, 0, 1500, 1500, kRed);
        sheet.TopLevel()->resize(400, 300);
        settle();
        sheet.Line(0, 1500, 1500, 0, kGreen);
        EXPECT_EQ(pixel(sheet, 50, 50), kGreen);
        sheet.Unload();
        sheet.Line(0, 0, 1500, 1500, kRed);
    }
    EXPECT_TRUE(sheet.Surface().isNull());
}

}  // namespace
}  // namespace velmora::test
