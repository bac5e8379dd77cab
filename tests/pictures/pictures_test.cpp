// The picture registry: every name at its exact size, the same pixels as its drawings rendered
// afresh, unpacked once, every look its own, the aircraft sets as turned copies of one drawing,
// the damage chart under its outlines.

#include "Pictures.h"

#include "PictureDefs.h"
#include "PictureRenderer.h"

#include <QSet>

#include <cmath>
#include <map>
#include <numbers>

#include <gtest/gtest.h>

namespace velmora {
namespace {

const QImage& picture(const QString& name) {
    return Pictures::instance().get(name);
}

QString aircraft(const char* set, int sector) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(set)).arg(sector);
}

// Own green, friendly blue, hostile red: the ground's own channel stands out.
const std::pair<const char*, int (*)(QRgb)> kSides[] = {
    {"GoodGuy", qGreen}, {"Friendly", qBlue}, {"BadGuy", qRed}};

// Pixels of a that differ clearly from those of b.
int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb c = a.pixel(x, y);
            const QRgb d = b.pixel(x, y);
            count += std::max({std::abs(qRed(c) - qRed(d)), std::abs(qGreen(c) - qGreen(d)),
                               std::abs(qBlue(c) - qBlue(d))}) > 24;
        }
    }
    return count;
}

// QtSvg skips what it cannot read and only says so: a drawing with a typing error renders
// partly, silently (the build refuses such a drawing too).
QStringList svgWarnings;
void collectSvgWarnings(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (context.category != nullptr && QByteArray(context.category).startsWith("qt.svg")) {
        svgWarnings.append(message);
    }
}

TEST(PicturesTest, EveryNameHasItsSizeItsDrawingsPixelsAndALookOfItsOwn) {
    const std::pair<QSize, QStringList> sizes[] = {
        {{320, 320}, {"ViewWindow"}},
        {{24, 24}, {"BullsEye"}},
        {{50, 50},
         {"FCup", "FCdown", "CombatBtnUp", "CombatBtnDown", "DmgBtnUp", "DmgBtnDown", "ThreeDUp",
          "ThreeDDown"}},
        {{120, 30},
         {"OpenUp", "OpenDown", "ZoomInUp", "ZoomInDown", "ZoomOutUp", "ZoomOutDown", "ZoomRngUp",
          "ZoomRngDown"}},
        {{32, 32}, {"AppIcon", "ThreeDIcon"}},
        {{320, 240}, {"SplashTitle", "AboutBackground"}},
        {{135, 112}, {"Image1"}},
        {{25, 25},
         {"LeftUp", "LeftDown", "RightUp", "RightDown", "UpUp", "DownUp", "North", "East", "South",
          "West"}},
        {{25, 26}, {"UpDown", "DownDown"}},  // a pressed up or down arrow sinks one pixel
        {{145, 47}, {"GenerateUp", "GenerateDown"}},
        {{260, 213}, {"ChartPic"}},
    };
    std::vector<std::pair<QString, QSize>> rows;
    for (const auto& [size, names] : sizes) {
        for (const QString& name : names) {
            rows.push_back({name, size});
        }
    }
    for (const auto& [set, channel] : kSides) {
        for (int sector = 0; sector < 8; ++sector) {
            rows.push_back({aircraft(set, sector), {24, 24}});
        }
    }
    // What the program was built with against its drawings rendered here, under the watch: a
    // stale or garbled embedding shows as other pixels.
    std::map<QString, PictureDef> defs;
    for (PictureDef& def : pictureDefs()) {
        defs.emplace(def.name, std::move(def));
    }
    PictureRenderer renderer;
    const Pictures fresh;
    const QtMessageHandler previous = qInstallMessageHandler(collectSvgWarnings);
    QSet<QByteArray> looks;
    for (const auto& [name, size] : rows) {
        SCOPED_TRACE(name.toStdString());
        const QImage& image = fresh.get(name);
        EXPECT_EQ(image.size(), size);
        // Only the two window icons have transparent corners.
        EXPECT_EQ(image.hasAlphaChannel(), name.endsWith("Icon"));
        ASSERT_TRUE(defs.contains(name));
        EXPECT_TRUE(image == renderer.render(defs.at(name))) << "not its drawings' pixels";
        looks.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        const qint64 unpacked = image.cacheKey();
        EXPECT_EQ(fresh.get(name).cacheKey(), unpacked) << "unpacked again";
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(svgWarnings.join('\n').toStdString(), "");
    // With every name above found, the same count means no other name and none twice.
    EXPECT_EQ(fresh.names().size(), qsizetype(rows.size()));
    EXPECT_EQ(looks.size(), qsizetype(rows.size())) << "a look or a turn that changes nothing";
    EXPECT_TRUE(fresh.get("GoodGuy(8)").isNull());
    EXPECT_TRUE(fresh.get("bullseye").isNull());
}

// Light silhouette pixels ahead of the centre minus those behind it, looking toward a sector's
// bearing. The wings sit forward of the centre, so the drawing leans toward its nose.
int lean(const QImage& image, int sector) {
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
            SCOPED_TRACE(aircraft(set, sector).toStdString());
            const QImage& image = picture(aircraft(set, sector));
            const QRgb ground = image.pixel(2, 21);
            EXPECT_GT(channel(ground) - std::min({qRed(ground), qGreen(ground), qBlue(ground)}),
                      60);
            const QImage turned = image.transformed(QTransform().rotate(90));
            EXPECT_LE(differingPixels(turned, picture(aircraft(set, (sector + 2) % 8))), 6);
            EXPECT_GT(lean(image, sector),
                      std::max({20, lean(image, sector + 1), lean(image, sector + 7)}));
        }
    }
}

// The outlines of the damage report, in chart pixels: each area's box holds the aircraft, the
// ground around it is dark.
TEST(DamageChartTest, OutlinesFallOnTheAircraft) {
    const QImage& chart = picture("ChartPic");
    const std::tuple<const char*, QPoint, bool> rows[] = {
        {"engine, nose", {130, 35}, true},
        {"left wing tip", {2, 75}, true},
        {"right wing tip", {257, 75}, true},
        {"tail plane, left", {84, 197}, true},
        {"tail plane, right", {176, 197}, true},
        {"fuselage, middle", {130, 140}, true},
        {"ground, top left", {3, 3}, false},
        {"ground, under the left wing", {60, 150}, false},
        {"ground, under the right wing", {200, 150}, false},
        {"ground, ahead", {130, 2}, false},
    };
    for (const auto& [row, point, aircraftThere] : rows) {
        EXPECT_EQ(qGray(chart.pixel(point)) > 25, aircraftThere) << row;
    }
}

}  // namespace
}  // namespace velmora
