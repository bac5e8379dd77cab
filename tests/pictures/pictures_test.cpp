// The picture registry: every design name at its exact size, nothing blank, the aircraft sets as
// turned copies of one drawing, pressed looks that differ, the damage chart under its outlines,
// and a contact sheet of the whole set for people to look at.

#include "Pictures.h"

#include <QFont>
#include <QPainter>
#include <QSet>
#include <QTransform>

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace velmora {
namespace {

const Pictures& pictures() {
    return Pictures::instance();
}

struct Expected {
    const char* name;
    int width;
    int height;
};

// Every picture the design names, at its design pixel size.
std::vector<Expected> expectedPictures() {
    std::vector<Expected> list = {
        {"ViewWindow", 320, 320}, {"BullsEye", 24, 24},      {"FCup", 50, 50},
        {"FCdown", 50, 50},       {"CombatBtnUp", 50, 50},   {"CombatBtnDown", 50, 50},
        {"DmgBtnUp", 50, 50},     {"DmgBtnDown", 50, 50},    {"ThreeDUp", 50, 50},
        {"ThreeDDown", 50, 50},   {"OpenUp", 120, 30},       {"OpenDown", 120, 30},
        {"ZoomInUp", 120, 30},    {"ZoomInDown", 120, 30},   {"ZoomOutUp", 120, 30},
        {"ZoomOutDown", 120, 30}, {"ZoomRngUp", 120, 30},    {"ZoomRngDown", 120, 30},
        {"AppIcon", 32, 32},      {"SplashTitle", 320, 240}, {"AboutBackground", 320, 240},
        {"Image1", 135, 112},     {"LeftUp", 25, 25},        {"LeftDown", 25, 25},
        {"RightUp", 25, 25},      {"RightDown", 25, 25},     {"UpUp", 25, 25},
        {"UpDown", 25, 26},       {"DownUp", 25, 25},        {"DownDown", 25, 26},
        {"GenerateUp", 145, 47},  {"GenerateDown", 145, 47}, {"North", 25, 25},
        {"East", 25, 25},         {"South", 25, 25},         {"West", 25, 25},
        {"ThreeDIcon", 32, 32},   {"ChartPic", 260, 213},
    };
    static const QStringList sets = {"GoodGuy", "Friendly", "BadGuy"};
    static std::vector<QByteArray> aircraftNames;
    if (aircraftNames.empty()) {
        for (const QString& set : sets) {
            for (int i = 0; i < 8; ++i) {
                aircraftNames.push_back(QStringLiteral("%1(%2)").arg(set).arg(i).toLatin1());
            }
        }
    }
    for (const QByteArray& name : aircraftNames) {
        list.push_back({name.constData(), 24, 24});
    }
    return list;
}

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return colours.size();
}

TEST(PicturesTest, EveryDesignNameHasItsExactSizeAndIsNotBlank) {
    const auto expected = expectedPictures();
    QStringList expectedNames;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        expectedNames.append(QLatin1String(e.name));
        const QImage& image = pictures().get(QLatin1String(e.name));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(e.width, e.height));
        EXPECT_GT(distinctColours(image), 1);
    }
    QStringList names = pictures().names();
    EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size())
        << "a design name is listed twice";
    names.sort();
    expectedNames.sort();
    EXPECT_EQ(names, expectedNames);
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
    svgWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectSvgWarnings);
    const QList<NamedPicture> rendered = renderAllPictures();
    qInstallMessageHandler(previous);
    EXPECT_EQ(svgWarnings.join('\n').toStdString(), "");
    EXPECT_EQ(rendered.size(), pictures().names().size());
}

TEST(PicturesTest, NamesKeepAStableOrder) {
    EXPECT_EQ(pictures().names(), pictures().names());
    QStringList rendered;
    for (const NamedPicture& p : renderAllPictures()) {
        rendered.append(p.name);
    }
    EXPECT_EQ(rendered, pictures().names());
}

TEST(PicturesTest, UnknownNameGivesANullImage) {
    for (const char* name : {"", "GoodGuy(8)", "GoodGuy(-1)", "bullseye", "ACIcon", "FCUp"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(pictures().get(QLatin1String(name)).isNull());
    }
}

TEST(PicturesTest, PicturesWithAGroundAreOpaque) {
    for (const QString& name : pictures().names()) {
        if (name != "AppIcon" && name != "ThreeDIcon") {
            EXPECT_FALSE(pictures().get(name).hasAlphaChannel()) << name.toStdString();
        }
    }
}

// --- Aircraft sets ---------------------------------------------------------------------------

int largestChannelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The silhouette is light; every ground is a darker colour.
bool isSilhouette(QRgb c) {
    return qGray(c) > 170;
}

QString aircraft(const char* set, int sector) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(set)).arg(sector);
}

const char* const kSets[] = {"GoodGuy", "Friendly", "BadGuy"};

TEST(AircraftTest, SilhouetteStandsOutFromItsGround) {
    for (const char* set : kSets) {
        for (int sector = 0; sector < 8; ++sector) {
            const QImage& image = pictures().get(aircraft(set, sector));
            SCOPED_TRACE(aircraft(set, sector).toStdString());
            int silhouette = 0;
            for (int y = 0; y < 24; ++y) {
                for (int x = 0; x < 24; ++x) {
                    silhouette += isSilhouette(image.pixel(x, y)) ? 1 : 0;
                }
            }
            EXPECT_GT(silhouette, 60);
            EXPECT_LT(silhouette, 24 * 24 / 2);
            EXPECT_FALSE(isSilhouette(image.pixel(1, 1)));  // the ground shows in the corners
        }
    }
}

// Own green, friendly blue, hostile red: the ground's strongest channel tells the side.
TEST(AircraftTest, GroundTellsTheSide) {
    const struct {
        const char* set;
        int (*channel)(QRgb);
    } sides[] = {{"GoodGuy", qGreen}, {"Friendly", qBlue}, {"BadGuy", qRed}};
    for (const auto& side : sides) {
        for (int sector = 0; sector < 8; ++sector) {
            const QRgb ground = pictures().get(aircraft(side.set, sector)).pixel(2, 21);
            SCOPED_TRACE(aircraft(side.set, sector).toStdString());
            const int strongest = std::max({qRed(ground), qGreen(ground), qBlue(ground)});
            EXPECT_EQ(side.channel(ground), strongest);
            EXPECT_GT(strongest - std::min({qRed(ground), qGreen(ground), qBlue(ground)}), 60);
        }
    }
}

// Sector k + 2 is sector k turned a quarter clockwise: the same drawing, not another one.
TEST(AircraftTest, HeadingsAreTurnedCopiesOfOneDrawing) {
    const QTransform quarterClockwise = QTransform().rotate(90);
    for (const char* set : kSets) {
        for (int sector = 0; sector < 8; ++sector) {
            const int turned = (sector + 2) % 8;
            SCOPED_TRACE(aircraft(set, sector).toStdString() + " -> " + std::to_string(turned));
            const QImage expected =
                pictures().get(aircraft(set, sector)).transformed(quarterClockwise);
            const QImage& actual = pictures().get(aircraft(set, turned));
            ASSERT_EQ(expected.size(), actual.size());
            int differing = 0;
            for (int y = 0; y < 24; ++y) {
                for (int x = 0; x < 24; ++x) {
                    differing +=
                        largestChannelDifference(expected.pixel(x, y), actual.pixel(x, y)) > 24 ? 1
                                                                                                : 0;
                }
            }
            EXPECT_LE(differing, 6);
        }
    }
}

// Silhouette pixels ahead of the centre minus those behind it, looking toward a bearing. The
// wings sit forward of the centre, so the drawing leans toward its nose.
int lean(const QImage& image, double bearingDegrees) {
    const double a = bearingDegrees * std::numbers::pi / 180.0;
    const double dx = std::sin(a);
    const double dy = -std::cos(a);
    int sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isSilhouette(image.pixel(x, y))) {
                const double along = (x + 0.5 - 12) * dx + (y + 0.5 - 12) * dy;
                sum += along > 0.5 ? 1 : (along < -0.5 ? -1 : 0);
            }
        }
    }
    return sum;
}

TEST(AircraftTest, NosePointsToTheHeadingSector) {
    for (const char* set : kSets) {
        for (int sector = 0; sector < 8; ++sector) {
            const QImage& image = pictures().get(aircraft(set, sector));
            SCOPED_TRACE(aircraft(set, sector).toStdString());
            const double bearing = 45.0 * sector;
            const double a = bearing * std::numbers::pi / 180.0;
            // The nose, 8 pixels out from the centre toward the heading.
            const int noseX = static_cast<int>(std::floor(12 + 8 * std::sin(a)));
            const int noseY = static_cast<int>(std::floor(12 - 8 * std::cos(a)));
            EXPECT_TRUE(isSilhouette(image.pixel(noseX, noseY))) << noseX << "," << noseY;
            // Of the eight sectors, the drawing leans most toward its own.
            int best = 0;
            for (int other = 1; other < 8; ++other) {
                if (lean(image, 45.0 * other) > lean(image, 45.0 * best)) {
                    best = other;
                }
            }
            EXPECT_EQ(best, sector);
            EXPECT_GT(lean(image, bearing), 20);
        }
    }
}

TEST(AircraftTest, SectorZeroIsTheCentreFighterNoseUp) {
    const QImage& image = pictures().get("GoodGuy(0)");
    int top = 24;
    for (int y = 0; y < 24 && top == 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            if (isSilhouette(image.pixel(x, y))) {
                top = y;
                EXPECT_NEAR(x, 11.5, 2.5);  // the nose tip lies on the centre line
                break;
            }
        }
    }
    EXPECT_LE(top, 3);
    // Nose up, the drawing is its own mirror image across the centre line.
    int asymmetric = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 12; ++x) {
            asymmetric +=
                largestChannelDifference(image.pixel(x, y), image.pixel(23 - x, y)) > 24 ? 1 : 0;
        }
    }
    EXPECT_LE(asymmetric, 2);
}

// --- Buttons and markers ----------------------------------------------------------------------

// Released and pressed looks; the main window's buttons show their accents in yellow.
const struct {
    const char* released;
    const char* pressed;
    bool yellowAccents;
} kButtonLooks[] = {
    {"FCup", "FCdown", true},
    {"CombatBtnUp", "CombatBtnDown", true},
    {"DmgBtnUp", "DmgBtnDown", true},
    {"ThreeDUp", "ThreeDDown", true},
    {"OpenUp", "OpenDown", true},
    {"ZoomInUp", "ZoomInDown", true},
    {"ZoomOutUp", "ZoomOutDown", true},
    {"ZoomRngUp", "ZoomRngDown", true},
    {"LeftUp", "LeftDown", false},
    {"RightUp", "RightDown", false},
    {"UpUp", "UpDown", false},
    {"DownUp", "DownDown", false},
    {"GenerateUp", "GenerateDown", false},
};

// Yellow pixels: the words, and the accents of a pressed main-window button.
int yellowPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            n += (qRed(c) > 200 && qGreen(c) > 170 && qBlue(c) < 90) ? 1 : 0;
        }
    }
    return n;
}

TEST(PicturesTest, PressedLooksAreClearlyPressed) {
    for (const auto& look : kButtonLooks) {
        SCOPED_TRACE(look.released);
        const QImage& released = pictures().get(look.released);
        const QImage& pressed = pictures().get(look.pressed);
        // A pressed arrow sinks by one row: compare it with the released look where it now lies.
        const int sunk = pressed.height() - released.height();
        int differing = 0;
        for (int y = 0; y < released.height(); ++y) {
            for (int x = 0; x < released.width(); ++x) {
                differing +=
                    largestChannelDifference(released.pixel(x, y), pressed.pixel(x, y + sunk)) > 40
                        ? 1
                        : 0;
            }
        }
        EXPECT_GT(differing, released.width() * released.height() / 50);
        if (look.yellowAccents) {
            EXPECT_GT(yellowPixels(pressed), yellowPixels(released) + 20);
        }
    }
}

bool isRed(QRgb c) {
    return qRed(c) > 180 && qGreen(c) < 80 && qBlue(c) < 80;
}

TEST(PicturesTest, CompassMarkersAreRedLettersOnAGreyBallWithBlackCorners) {
    QSet<QByteArray> looks;
    for (const char* name : {"North", "East", "South", "West"}) {
        SCOPED_TRACE(name);
        const QImage& image = pictures().get(name);
        for (const QPoint corner : {QPoint(0, 0), QPoint(24, 0), QPoint(0, 24), QPoint(24, 24)}) {
            EXPECT_EQ(image.pixel(corner), qRgb(0, 0, 0));
        }
        int red = 0;
        for (int y = 6; y < 19; ++y) {
            for (int x = 6; x < 19; ++x) {
                red += isRed(image.pixel(x, y)) ? 1 : 0;
            }
        }
        EXPECT_GT(red, 15);
        // The ball is lit from the upper left.
        EXPECT_GT(qGray(image.pixel(5, 5)), qGray(image.pixel(20, 20)) + 60);
        looks.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(looks.size(), 4);
}

// --- Damage chart ------------------------------------------------------------------------------

// The outlines, in chart pixels (twips / 15 from the chart's corner).
TEST(DamageChartTest, OutlinesFallOnTheAircraft) {
    const QImage& chart = pictures().get("ChartPic");
    auto aircraftAt = [&chart](int x, int y) { return qGray(chart.pixel(x, y)) > 25; };
    const struct {
        const char* area;
        QPoint inside;
    } areas[] = {
        {"engine: nose, 123..137 x 13..53", {130, 35}},
        {"left wing, 0..120 x 47..102", {60, 75}},
        {"left wing tip", {2, 75}},
        {"right wing, 140..260 x 47..102", {200, 75}},
        {"right wing tip", {257, 75}},
        {"tail plane, 75..185 x 187..207, left", {84, 197}},
        {"tail plane, right", {176, 197}},
        {"fuselage, 116..144 x 18..211, middle", {130, 140}},
        {"fuselage, tail", {130, 205}},
    };
    for (const auto& a : areas) {
        EXPECT_TRUE(aircraftAt(a.inside.x(), a.inside.y())) << a.area;
    }
    for (const QPoint ground : {QPoint(3, 3), QPoint(3, 200), QPoint(256, 200), QPoint(60, 150),
                                QPoint(200, 150), QPoint(40, 20), QPoint(130, 2)}) {
        EXPECT_FALSE(aircraftAt(ground.x(), ground.y())) << ground.x() << "," << ground.y();
    }
    // The flight pad shows the same fighter, smaller.
    const QImage small = chart.scaled(135, 112, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage& pad = pictures().get("Image1");
    EXPECT_LT(largestChannelDifference(small.pixel(67, 40), pad.pixel(67, 40)), 60);
}

// --- Contact sheet ---------------------------------------------------------------------------

// Every picture, labelled with its design name, at 1x and 4x on a dark grey ground.
TEST(ContactSheetTest, WritesTheContactSheet) {
    const int sheetWidth = 2400;
    const int gap = 16;
    const int labelHeight = 18;
    const QColor ground(48, 48, 48);

    struct Cell {
        QString name;
        QRect rect;
    };
    std::vector<Cell> cells;
    int x = gap;
    int y = gap;
    int rowHeight = 0;
    for (const QString& name : pictures().names()) {
        const QSize s = pictures().get(name).size();
        const QSize cell(s.width() * 5 + gap, labelHeight + s.height() * 4);
        if (x + cell.width() > sheetWidth - gap && x > gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        cells.push_back({name, QRect(QPoint(x, y), cell)});
        x += cell.width() + gap;
        rowHeight = std::max(rowHeight, cell.height());
    }

    QImage sheet(sheetWidth, y + rowHeight + gap, QImage::Format_RGB32);
    sheet.fill(ground);
    QPainter painter(&sheet);
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(230, 230, 230));
    for (const Cell& cell : cells) {
        const QImage& image = pictures().get(cell.name);
        const QPoint origin = cell.rect.topLeft() + QPoint(0, labelHeight);
        painter.drawText(cell.rect.topLeft() + QPoint(0, 13), cell.name);
        painter.drawImage(origin, image);
        painter.drawImage(
            origin + QPoint(image.width() + gap, 0),
            image.scaled(image.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    painter.end();

    const QString path = QStringLiteral(VELMORA_BUILD_DIR) + "/contact-sheet.png";
    ASSERT_TRUE(sheet.save(path)) << path.toStdString();
}

}  // namespace
}  // namespace velmora
