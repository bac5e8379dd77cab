// The picture registry: every name at its exact size, nothing blank, the aircraft sets as
// turned copies of one drawing, pressed looks that differ, the damage chart under its outlines,
// and a contact sheet of the whole set for people to look at.

#include "Pictures.h"

#include <QPainter>
#include <QPicture>
#include <QSet>

#include <cmath>
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

// Own green, friendly blue, hostile red: the ground's strongest channel tells the side.
const std::pair<const char*, int (*)(QRgb)> kSides[] = {
    {"GoodGuy", qGreen}, {"Friendly", qBlue}, {"BadGuy", qRed}};

// The sum of value(colour, x, y) over the image; a test's value counts the pixels that pass it.
template <typename Value>
int sumPixels(const QImage& image, Value value) {
    int sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            sum += value(image.pixel(x, y), x, y);
        }
    }
    return sum;
}

// Pixels of a that differ clearly from those of b lying dy rows lower.
int differingPixels(const QImage& a, const QImage& b, int tolerance, int dy = 0) {
    return sumPixels(a, [&](QRgb c, int x, int y) {
        const QRgb d = b.pixel(x, y + dy);
        return std::max({std::abs(qRed(c) - qRed(d)), std::abs(qGreen(c) - qGreen(d)),
                         std::abs(qBlue(c) - qBlue(d))}) > tolerance;
    });
}

TEST(PicturesTest, EveryNameHasItsExactSizeAndIsNotBlank) {
    std::vector<std::pair<QString, QSize>> rows = {
        {"ViewWindow", {320, 320}}, {"BullsEye", {24, 24}},      {"FCup", {50, 50}},
        {"FCdown", {50, 50}},       {"CombatBtnUp", {50, 50}},   {"CombatBtnDown", {50, 50}},
        {"DmgBtnUp", {50, 50}},     {"DmgBtnDown", {50, 50}},    {"ThreeDUp", {50, 50}},
        {"ThreeDDown", {50, 50}},   {"OpenUp", {120, 30}},       {"OpenDown", {120, 30}},
        {"ZoomInUp", {120, 30}},    {"ZoomInDown", {120, 30}},   {"ZoomOutUp", {120, 30}},
        {"ZoomOutDown", {120, 30}}, {"ZoomRngUp", {120, 30}},    {"ZoomRngDown", {120, 30}},
        {"AppIcon", {32, 32}},      {"SplashTitle", {320, 240}}, {"AboutBackground", {320, 240}},
        {"Image1", {135, 112}},     {"LeftUp", {25, 25}},        {"LeftDown", {25, 25}},
        {"RightUp", {25, 25}},      {"RightDown", {25, 25}},     {"UpUp", {25, 25}},
        {"UpDown", {25, 26}},       {"DownUp", {25, 25}},        {"DownDown", {25, 26}},
        {"GenerateUp", {145, 47}},  {"GenerateDown", {145, 47}}, {"North", {25, 25}},
        {"East", {25, 25}},         {"South", {25, 25}},         {"West", {25, 25}},
        {"ThreeDIcon", {32, 32}},   {"ChartPic", {260, 213}},
    };
    for (const auto& [set, channel] : kSides) {
        for (int sector = 0; sector < 8; ++sector) {
            rows.push_back({aircraft(set, sector), {24, 24}});
        }
    }
    QSet<QByteArray> looks;
    for (const auto& [name, size] : rows) {
        SCOPED_TRACE(name.toStdString());
        const QImage& image = picture(name);
        EXPECT_EQ(image.size(), size);
        EXPECT_GT(sumPixels(image, [&](QRgb c, int, int) { return c != image.pixel(0, 0); }), 0);
        // Only the two window icons have transparent corners.
        EXPECT_EQ(image.hasAlphaChannel(), name.endsWith("Icon"));
        looks.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    // With every name above found, the same count means no other name and none twice.
    EXPECT_EQ(Pictures::instance().names().size(), qsizetype(rows.size()));
    EXPECT_EQ(looks.size(), qsizetype(rows.size())) << "a look or a turn that changes nothing";
    EXPECT_TRUE(picture("GoodGuy(8)").isNull());
    EXPECT_TRUE(picture("bullseye").isNull());
}

// QtSvg skips what it cannot read and only says so: a drawing with a typing error renders
// partly, silently. Every drawing must parse cleanly.
QStringList svgWarnings;
void collectSvgWarnings(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (context.category != nullptr && QByteArray(context.category).startsWith("qt.svg")) {
        svgWarnings.append(message);
    }
}

TEST(PicturesTest, EveryDrawingParsesWithoutWarnings) {
    const QtMessageHandler previous = qInstallMessageHandler(collectSvgWarnings);
    const QList<NamedPicture> rendered = renderAllPictures();
    qInstallMessageHandler(previous);
    EXPECT_EQ(svgWarnings.join('\n').toStdString(), "");
    EXPECT_EQ(rendered.size(), Pictures::instance().names().size());
}

// The silhouette is light; every ground is a darker colour.
bool isSilhouette(QRgb c) {
    return qGray(c) > 170;
}

// Silhouette pixels ahead of the centre minus those behind it, looking toward a sector's
// bearing. The wings sit forward of the centre, so the drawing leans toward its nose.
int lean(const QImage& image, int sector) {
    const double a = sector * std::numbers::pi / 4;
    return sumPixels(image, [a](QRgb c, int x, int y) {
        const double ahead = (x + 0.5 - 12) * std::sin(a) - (y + 0.5 - 12) * std::cos(a);
        return isSilhouette(c) ? (ahead > 0.5) - (ahead < -0.5) : 0;
    });
}

// Sector k + 2 is sector k turned a quarter clockwise: the same drawing, not another one.
TEST(AircraftTest, HeadingsAreTurnedCopiesOnTheSidesGround) {
    for (const auto& [set, channel] : kSides) {
        for (int sector = 0; sector < 8; ++sector) {
            SCOPED_TRACE(aircraft(set, sector).toStdString());
            const QImage& image = picture(aircraft(set, sector));
            EXPECT_LT(sumPixels(image, [](QRgb c, int, int) { return isSilhouette(c); }),
                      24 * 24 / 2);
            const QRgb ground = image.pixel(2, 21);
            const int strongest = std::max({qRed(ground), qGreen(ground), qBlue(ground)});
            EXPECT_EQ(channel(ground), strongest);
            EXPECT_GT(strongest - std::min({qRed(ground), qGreen(ground), qBlue(ground)}), 60);
            const QImage turned = image.transformed(QTransform().rotate(90));
            EXPECT_LE(differingPixels(turned, picture(aircraft(set, (sector + 2) % 8)), 24), 6);

            // The nose points to the heading: the drawing leans more that way than to either
            // neighbouring sector.
            EXPECT_GT(lean(image, sector),
                      std::max({20, lean(image, sector + 1), lean(image, sector + 7)}));
        }
    }
}

TEST(PicturesTest, PressedLooksAreClearlyPressed) {
    // The main window's buttons also light yellow accents when pressed.
    const QStringList mainWindow = {"FCup",   "CombatBtnUp", "DmgBtnUp",  "ThreeDUp",
                                    "OpenUp", "ZoomInUp",    "ZoomOutUp", "ZoomRngUp"};
    const auto yellow = [](QRgb c, int, int) {
        return qRed(c) > 200 && qGreen(c) > 170 && qBlue(c) < 90;
    };
    for (const QString& releasedName :
         mainWindow + QStringList{"LeftUp", "RightUp", "UpUp", "DownUp", "GenerateUp"}) {
        SCOPED_TRACE(releasedName.toStdString());
        const QImage& released = picture(releasedName);
        const QImage& pressed =
            picture(releasedName.chopped(2) + (releasedName.endsWith("up") ? "down" : "Down"));
        // A pressed arrow sinks by one row: compare it with the released look where it now lies.
        const int sunk = pressed.height() - released.height();
        EXPECT_GT(differingPixels(released, pressed, 40, sunk),
                  released.width() * released.height() / 50);
        if (mainWindow.contains(releasedName)) {
            EXPECT_GT(sumPixels(pressed, yellow), sumPixels(released, yellow) + 20);
        }
    }
}

// The outlines, in chart pixels (twips / 15 from the chart's corner).
TEST(DamageChartTest, OutlinesFallOnTheAircraft) {
    const QImage& chart = picture("ChartPic");
    auto aircraftAt = [&chart](QPoint p) { return qGray(chart.pixel(p)) > 25; };
    const std::pair<const char*, QPoint> areas[] = {
        {"engine: nose, 123..137 x 13..53", {130, 35}},
        {"left wing, 0..120 x 47..102, tip", {2, 75}},
        {"right wing, 140..260 x 47..102, tip", {257, 75}},
        {"tail plane, 75..185 x 187..207, left", {84, 197}},
        {"tail plane, right", {176, 197}},
        {"fuselage, 116..144 x 18..211, middle", {130, 140}},
        {"fuselage, tail", {130, 205}},
    };
    for (const auto& [area, inside] : areas) {
        EXPECT_TRUE(aircraftAt(inside)) << area;
    }
    for (const QPoint ground : {QPoint(3, 3), QPoint(3, 200), QPoint(256, 200), QPoint(60, 150),
                                QPoint(200, 150), QPoint(40, 20), QPoint(130, 2)}) {
        EXPECT_FALSE(aircraftAt(ground)) << ground.x() << "," << ground.y();
    }
    // The flight pad shows the same fighter, smaller.
    const QImage small = chart.scaled(135, 112, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(differingPixels(small, picture("Image1"), 60), 135 * 112 / 50);
}

// Every picture, labelled with its name, at 1x and 4x on a dark grey ground.
TEST(ContactSheetTest, WritesTheContactSheet) {
    const int width = 2400;
    const int gap = 16;
    const int label = 18;
    QPicture cells;
    QPainter painter(&cells);
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(230, 230, 230));
    QPoint at(gap, gap);
    int rowHeight = 0;
    for (const QString& name : Pictures::instance().names()) {
        const QImage& image = picture(name);
        const QSize cell(image.width() * 5 + gap, label + image.height() * 4);
        if (at.x() + cell.width() > width - gap && at.x() > gap) {
            at = QPoint(gap, at.y() + rowHeight + gap);
            rowHeight = 0;
        }
        painter.drawText(at + QPoint(0, 13), name);
        painter.drawImage(at + QPoint(0, label), image);
        painter.drawImage(at + QPoint(image.width() + gap, label), image.scaled(image.size() * 4));
        at.rx() += cell.width() + gap;
        rowHeight = std::max(rowHeight, cell.height());
    }
    painter.end();

    QImage sheet(width, at.y() + rowHeight + gap, QImage::Format_RGB32);
    sheet.fill(QColor(48, 48, 48));
    QPainter(&sheet).drawPicture(0, 0, cells);
    const QString path = QStringLiteral(VELMORA_BUILD_DIR) + "/contact-sheet.png";
    ASSERT_TRUE(sheet.save(path)) << path.toStdString();
}

}  // namespace
}  // namespace velmora
