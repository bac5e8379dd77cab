#pragma once
// Renders the pictures from their SVG drawings with QtSvg, at their exact pixel sizes. Needs a
// QGuiApplication: the words in the drawings are set in fonts.

#include <QImage>
#include <map>
#include <memory>
#include <utility>

#include "pictures/PictureDefs.h"

class QSvgRenderer;

namespace velmora {

class PictureRenderer {
public:
    PictureRenderer();
    ~PictureRenderer();
    PictureRenderer(const PictureRenderer&) = delete;
    PictureRenderer& operator=(const PictureRenderer&) = delete;

    // The picture drawn afresh: opaque pictures as Format_RGB32, the rest as
    // Format_ARGB32_Premultiplied.
    QImage Render(const PictureDef& def);

private:
    // Each (drawing, look) is parsed once.
    QSvgRenderer& Drawing(const char* file, const QString& look);
    const QByteArray& Source(const char* file);

    std::map<QString, QByteArray> sources_;
    std::map<std::pair<QString, QString>, std::unique_ptr<QSvgRenderer>> drawings_;
};

}  // namespace velmora
