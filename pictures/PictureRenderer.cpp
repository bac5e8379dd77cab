#include "pictures/PictureRenderer.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

// A resource file compiled into a static library is only linked when something names it.
static void initDrawingResources() {
    Q_INIT_RESOURCE(drawings);
}

namespace velmora {
namespace {

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

}  // namespace

PictureRenderer::PictureRenderer() {
    initDrawingResources();
}

PictureRenderer::~PictureRenderer() = default;

QSvgRenderer& PictureRenderer::drawing(const char* file, const QString& look) {
    auto key = std::make_pair(QString::fromLatin1(file), look);
    auto it = drawings_.find(key);
    if (it == drawings_.end()) {
        auto renderer = std::make_unique<QSvgRenderer>(withLook(source(file), look));
        it = drawings_.emplace(std::move(key), std::move(renderer)).first;
    }
    return *it->second;
}

const QByteArray& PictureRenderer::source(const char* file) {
    const QString name = QString::fromLatin1(file);
    auto it = sources_.find(name);
    if (it == sources_.end()) {
        QFile f(QStringLiteral(":/velmora/drawings/") + name);
        const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        it = sources_.emplace(name, bytes).first;
    }
    return it->second;
}

QImage PictureRenderer::render(const PictureDef& def) {
    QImage image(def.size,
                 def.opaque() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
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
        drawing(layer.file, layer.look).render(&painter, place);
        painter.restore();
    }
    return image;
}

}  // namespace velmora
