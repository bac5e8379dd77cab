#include "pictures/PictureRenderer.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

// A resource file compiled into a static library is only linked when something names it.
static void InitDrawingResources() {
    Q_INIT_RESOURCE(drawings);
}

namespace velmora {
namespace {

// Chooses a look: rewrites the class of the group id="look" in the SVG text.
QByteArray WithLook(QByteArray svg, const QString& look) {
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
    InitDrawingResources();
}

PictureRenderer::~PictureRenderer() = default;

QSvgRenderer& PictureRenderer::Drawing(const char* file, const QString& look) {
    auto key = std::make_pair(QString::fromLatin1(file), look);
    auto it = drawings_.find(key);
    if (it == drawings_.end()) {
        auto renderer = std::make_unique<QSvgRenderer>(WithLook(Source(file), look));
        it = drawings_.emplace(std::move(key), std::move(renderer)).first;
    }
    return *it->second;
}

const QByteArray& PictureRenderer::Source(const char* file) {
    const QString name = QString::fromLatin1(file);
    auto it = sources_.find(name);
    if (it == sources_.end()) {
        QFile f(QStringLiteral(":/velmora/drawings/") + name);
        const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        it = sources_.emplace(name, bytes).first;
    }
    return it->second;
}

QImage PictureRenderer::Render(const PictureDef& def) {
    QImage image(def.Size,
                 def.Opaque() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(def.Ground);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
    for (const Layer& layer : def.Layers) {
        const QRectF place = layer.Place.isEmpty() ? QRectF(QPointF(0, 0), def.Size) : layer.Place;
        painter.save();
        painter.translate(place.center());
        painter.rotate(layer.TurnDegrees);
        painter.translate(-place.center());
        Drawing(layer.File, layer.Look).render(&painter, place);
        painter.restore();
    }
    return image;
}

}  // namespace velmora
