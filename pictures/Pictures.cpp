#include "Pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

// A resource file compiled into a static library is only linked when something names it.
static void initPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace velmora {
namespace {

// One drawing placed on a picture. A drawing's look (pressed, own side, letter, ...) is chosen by
// the class of its group id="look"; the drawing's own class is its default look.
struct Layer {
    const char* file;         // under svg/
    QString look;             // empty: the drawing's default look
    int turnDegrees = 0;      // clockwise about the centre of the place
    QRectF place = QRectF();  // in pixels; empty: the whole picture
};

struct PictureDef {
    QString name;
    QSize size;
    QColor ground;  // transparent: the picture keeps an alpha channel
    std::vector<Layer> layers;
};

const QColor kBlack(0, 0, 0);

// The registry, in the order names() gives. Sizes are the pixel sizes the windows place them at.
std::vector<PictureDef> pictureDefs() {
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

// Chooses a look: rewrites the class of the group id="look" in the SVG text.
QByteArray withLook(QByteArray svg, const QString& look) {
    static const QByteArray marker = "id=\"look\" class=\"";
    const qsizetype start = svg.indexOf(marker);
    if (look.isEmpty() || start < 0) {
        return svg;
    }
    const qsizetype valueStart = start + marker.size();
    const qsizetype valueEnd = svg.indexOf('"', valueStart);
    if (valueEnd < 0) {
        return svg;
    }
    return svg.replace(valueStart, valueEnd - valueStart, look.toUtf8());
}

// Parses each (drawing, look) once.
class DrawingCache {
public:
    QSvgRenderer& renderer(const char* file, const QString& look) {
        auto key = std::make_pair(QString::fromLatin1(file), look);
        auto it = renderers_.find(key);
        if (it == renderers_.end()) {
            auto renderer = std::make_unique<QSvgRenderer>(withLook(source(file), look));
            it = renderers_.emplace(std::move(key), std::move(renderer)).first;
        }
        return *it->second;
    }

private:
    const QByteArray& source(const char* file) {
        const QString name = QString::fromLatin1(file);
        auto it = sources_.find(name);
        if (it == sources_.end()) {
            QFile f(QStringLiteral(":/velmora/pictures/") + name);
            const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            it = sources_.emplace(name, bytes).first;
        }
        return it->second;
    }

    std::map<QString, QByteArray> sources_;
    std::map<std::pair<QString, QString>, std::unique_ptr<QSvgRenderer>> renderers_;
};

QImage render(const PictureDef& def, DrawingCache& drawings) {
    const bool opaque = def.ground.alpha() == 255;
    QImage image(def.size, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(def.ground);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
    for (const Layer& layer : def.layers) {
        const QRectF place = layer.place.isEmpty() ? QRectF(QPointF(0, 0), def.size) : layer.place;
        painter.save();
        painter.translate(place.center());
        painter.rotate(layer.turnDegrees);
        painter.translate(-place.center());
        drawings.renderer(layer.file, layer.look).render(&painter, place);
        painter.restore();
    }
    return image;
}

}  // namespace

// The definitions in registry order, each with its picture once rendered. The vector never
// grows after construction, so a reference to a picture stays valid.
class Pictures::Store {
public:
    Store() : defs_(pictureDefs()), images_(defs_.size()) {
        for (std::size_t i = 0; i < defs_.size(); ++i) {
            index_.emplace(defs_[i].name, i);
        }
    }

    const QImage& get(const QString& name) {
        static const QImage none;
        const auto it = index_.find(name);
        if (it == index_.end()) {
            return none;
        }
        std::optional<QImage>& image = images_[it->second];
        if (!image) {
            initPictureResources();
            image = render(defs_[it->second], drawings_);
        }
        return *image;
    }

    QStringList names() const {
        QStringList list;
        list.reserve(static_cast<qsizetype>(defs_.size()));
        for (const PictureDef& def : defs_) {
            list.append(def.name);
        }
        return list;
    }

private:
    std::vector<PictureDef> defs_;
    std::vector<std::optional<QImage>> images_;
    std::map<QString, std::size_t> index_;
    DrawingCache drawings_;
};

Pictures::Pictures() : store_(std::make_unique<Store>()) {}

Pictures::~Pictures() = default;

const Pictures& Pictures::instance() {
    static const Pictures pictures;
    return pictures;
}

const QImage& Pictures::get(const QString& name) const {
    Q_ASSERT_X(qGuiApp != nullptr, "Pictures::get", "needs a QGuiApplication");
    return store_->get(name);
}

QStringList Pictures::names() const {
    return store_->names();
}

}  // namespace velmora
