#include "pictures/PictureDefs.h"

#include <tuple>
#include <utility>

namespace velmora {

namespace {
const QColor kBlack(0, 0, 0);
}  // namespace

std::vector<PictureDef> PictureDefs() {
    std::vector<PictureDef> specs;
    auto add = [&specs](QString name, QSize size, QColor ground, std::vector<Layer> layers) {
        specs.push_back({std::move(name), size, ground, std::move(layers)});
    };

    // Main window: the map and the three aircraft sets, one drawing turned in
    // 45-degree steps over an unturned ground.
    add("ViewWindow", {320, 320}, kBlack, {{"viewwindow.svg", {}}});
    const std::pair<const char*, const char*> sides[] = {
        {"GoodGuy", "own"}, {"Friendly", "friend"}, {"BadGuy", "foe"}};
    for (const auto& [set, side] : sides) {
        for (int sector = 0; sector < 8; ++sector) {
            add(QStringLiteral("%1(%2)").arg(QLatin1String(set)).arg(sector), {24, 24}, kBlack,
                {{"aircraft-ground.svg", QLatin1String(side)}, {"aircraft.svg", {}, 45 * sector}});
        }
    }
    add("BullsEye", {24, 24}, kBlack, {{"bullseye.svg", {}}});

    // The picture buttons, released and pressed.
    const std::tuple<const char*, const char*, const char*, QSize> buttons[] = {
        {"FCup", "FCdown", "button-flightcontrols.svg", {50, 50}},
        {"CombatBtnUp", "CombatBtnDown", "button-combat.svg", {50, 50}},
        {"DmgBtnUp", "DmgBtnDown", "button-damage.svg", {50, 50}},
        {"ThreeDUp", "ThreeDDown", "button-threed.svg", {50, 50}},
        {"OpenUp", "OpenDown", "button-open.svg", {120, 30}},
        {"ZoomInUp", "ZoomInDown", "button-zoomin.svg", {120, 30}},
        {"ZoomOutUp", "ZoomOutDown", "button-zoomout.svg", {120, 30}},
        {"ZoomRngUp", "ZoomRngDown", "button-zoomrange.svg", {120, 30}},
    };
    for (const auto& [up, down, file, size] : buttons) {
        add(QLatin1String(up), size, kBlack, {{file, "released"}});
        add(QLatin1String(down), size, kBlack, {{file, "pressed"}});
    }
    add("AppIcon", {32, 32}, Qt::transparent, {{"app-icon.svg", {}}});
    add("SplashTitle", {320, 240}, kBlack, {{"splash-title.svg", {}}});

    // About window.
    add("AboutBackground", {320, 240}, kBlack, {{"about-background.svg", {}}});

    // Flight control pad. The arrows are one drawing turned; a pressed up or down
    // arrow sinks one pixel into its 25 x 26 picture.
    add("Image1", {135, 112}, kBlack, {{"camo-fighter.svg", {}}});
    const std::tuple<const char*, const char*, int, QSize> arrows[] = {
        {"LeftUp", "LeftDown", 270, {25, 25}},
        {"RightUp", "RightDown", 90, {25, 25}},
        {"UpUp", "UpDown", 0, {25, 26}},
        {"DownUp", "DownDown", 180, {25, 26}},
    };
    for (const auto& [up, down, turn, pressedSize] : arrows) {
        add(QLatin1String(up), {25, 25}, kBlack, {{"arrow.svg", "released", turn}});
        const QRectF sunk(0, pressedSize.height() - 25, 25, 25);
        add(QLatin1String(down), pressedSize, kBlack, {{"arrow.svg", "pressed", turn, sunk}});
    }
    add("GenerateUp", {145, 47}, kBlack, {{"button-generate.svg", "released"}});
    add("GenerateDown", {145, 47}, kBlack, {{"button-generate.svg", "pressed"}});

    // The 3-D map's compass markers.
    const std::pair<const char*, const char*> compass[] = {
        {"North", "N"}, {"East", "E"}, {"South", "S"}, {"West", "W"}};
    for (const auto& [name, letter] : compass) {
        add(QLatin1String(name), {25, 25}, kBlack, {{"compass-marker.svg", QLatin1String(letter)}});
    }
    add("ThreeDIcon", {32, 32}, Qt::transparent, {{"threed-icon.svg", {}}});

    // Damage report: the same camouflaged fighter as the flight pad's, laid out so
    // the five outlines fall on engine, wings, tail plane and fuselage.
    add("ChartPic", {260, 213}, kBlack, {{"camo-fighter.svg", {}}});
    return specs;
}

QString RenderedFileName(const QString& name) {
    QString file = name;
    return file.replace('(', '-').remove(')');
}

}  // namespace velmora
