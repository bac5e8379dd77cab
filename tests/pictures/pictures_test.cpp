// The picture registry: every name with the same pixels as its drawings rendered afresh, every
// look its own, the aircraft sets as turned copies of one drawing, the damage chart under its
// outlines.

#include "pictures/Pictures.h"

#include "pictures/PictureDefs.h"
#include "pictures/PictureRenderer.h"

#include <QSet>

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace velmora {
namespace {

const QImage& Picture(const QString& name) {
    return Pictures::instance().get(name);
}

QString Aircraft(const char* set, int sector) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(set)).arg(sector);
}

// Own green, friendly blue, hostile red: the ground's own channel stands out.
const std::pair<const char*, int (*)(QRgb)> kSides[] = {
    {"GoodGuy", qGreen}, {"Friendly", qBlue}, {"BadGuy", qRed}};

// Pixels of a whose grey differs clearly from that of b.
int DifferingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 24;
        }
    }
    return count;
}

// Every picture with the pixels of its drawings rendered afresh here (a stale or garbled embedding
// shows as other pixels) and a look of its own.
TEST(PicturesTest, EveryNameHasItsDrawingsPixelsAndALookOfItsOwn) {
    const std::vector<PictureDef> defs = PictureDefs();
    PictureRenderer renderer;
    QSet<QByteArray> looks;
    for (const PictureDef& def : defs) {
        SCOPED_TRACE(def.Name.toStdString());
        const QImage& image = Picture(def.Name);
        // Only the two window icons have transparent corners.
        EXPECT_EQ(image.hasAlphaChannel(), def.Name.endsWith("Icon"));
        EXPECT_TRUE(image == renderer.Render(def)) << "not its drawings' pixels";
        looks.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(looks.size(), qsizetype(defs.size())) << "a look or a turn that changes nothing";
}

// Light silhouette pixels ahead of the centre minus those behind it, looking toward a sector's
// bearing. The wings sit forward of the centre, so the drawing leans toward its nose.
int Lean(const QImage& image, int sector) {
    const double a = sector * std::numbers::pi / 4;
    int lean = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double ahead = (x + 0.5 - 12) * std::sin(a) - (y + 0.5 - 12) * std::cos(a);
            lean += qGray(image.pixel(x, y)) > 170 ? (ahead > 0.5) - (ahead < -0.5) : 0;
        }
    }
    return lean;
}

// Sector k + 2 is sector k turned a quarter clockwise: the same drawing, not another one.
TEST(AircraftTest, HeadingsAreTurnedCopiesOnTheSidesGround) {
    for (const auto& [set, channel] : kSides) {
        for (int sector = 0; sector < 8; ++sector) {
            SCOPED_TRACE(Aircraft(set, sector).toStdString());
            const QImage& image = Picture(Aircraft(set, sector));
            const QRgb ground = image.pixel(2, 21);
            EXPECT_GT(channel(ground) - std::min({qRed(ground), qGreen(ground), qBlue(ground)}),
                      60);
            const QImage turned = image.transformed(QTransform().rotate(90));
            EXPECT_LE(DifferingPixels(turned, Picture(Aircraft(set, (sector + 2) % 8))), 6);
            EXPECT_GT(Lean(image, sector),
                      std::max({20, Lean(image, sector + 1), Lean(image, sector + 7)}));
        }
    }
}

// The outlines of the damage report, in chart pixels: each area's box holds the aircraft, the
// ground around it is dark.
TEST(DamageChartTest, OutlinesFallOnTheAircraft) {
    const QImage& chart = Picture("ChartPic");
    const std::tuple<const char*, QPoint, bool> rows[] = {
        {"engine, nose", {130, 35}, true},   {"left wing tip", {2, 75}, true},
        {"right wing tip", {257, 75}, true}, {"tail plane, left", {84, 197}, true},
        {"ground, top left", {3, 3}, false}, {"ground, under the left wing", {60, 150}, false},
    };
    for (const auto& [row, point, aircraftThere] : rows) {
        EXPECT_EQ(qGray(chart.pixel(point)) > 25, aircraftThere) << row;
    }
}

}  // namespace
}  // namespace velmora
