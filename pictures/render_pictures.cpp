// Renders every picture from its drawings when the program is built, for the program to embed as
// plain pixels (rows of 32-bit pixels in QImage's own layout, the building machine's byte order),
// and lists them in OUT_DIR/pictures.qrc.
//
// Usage: render_pictures OUT_DIR
//
// QtSvg skips what it cannot read and only says so; here that fails the build instead of leaving
// a picture partly drawn.

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <cstdlib>

#include "pictures/PictureDefs.h"
#include "pictures/PictureRenderer.h"

namespace {

bool drawingComplaint = false;

void WatchDrawings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool aboutDrawing =
        context.category != nullptr && QByteArray(context.category).startsWith("qt.svg");
    drawingComplaint = drawingComplaint || aboutDrawing;
    if (aboutDrawing || type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "render_pictures: %s\n", qPrintable(message));
    }
}

bool Write(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_pictures OUT_DIR\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(WatchDrawings);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "render_pictures: cannot make %s\n", argv[1]);
        return 1;
    }

    velmora::PictureRenderer renderer;
    QByteArray qrc =
        "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n"
        "  <qresource prefix=\"/velmora/pictures\">\n";
    for (const velmora::PictureDef& def : velmora::PictureDefs()) {
        const QImage image = renderer.Render(def);
        const qsizetype row = qsizetype{4} * image.width();
        QByteArray pixels;
        pixels.reserve(row * image.height());
        for (int y = 0; y < image.height(); ++y) {
            pixels.append(reinterpret_cast<const char*>(image.constScanLine(y)), row);
        }
        const QString file = velmora::RenderedFileName(def.Name);
        if (!Write(out.filePath(file), pixels)) {
            std::fprintf(stderr, "render_pictures: cannot write %s\n", qPrintable(file));
            return 1;
        }
        qrc += "    <file>" + file.toUtf8() + "</file>\n";
    }
    qrc += "  </qresource>\n</RCC>\n";
    if (!Write(out.filePath(QStringLiteral("pictures.qrc")), qrc)) {
        std::fprintf(stderr, "render_pictures: cannot write the resource list\n");
        return 1;
    }
    return drawingComplaint ? 1 : 0;
}
