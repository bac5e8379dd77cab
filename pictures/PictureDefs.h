#pragma once
// Every picture the windows show, as the drawings it is made of: its name, its exact pixel size,
// its ground and its layers of SVG drawings (svg/). The pictures are rendered from these when the
// program is built; the registry (Pictures.h) gives them out by name.

#include <QColor>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

namespace velmora {

// One drawing placed on a picture. A drawing's look (pressed, own side, letter, ...) is chosen by
// the class of its group id="look"; the drawing's own class is its default look.
struct Layer {
    const char* File;         // under svg/
    QString Look;             // empty: the drawing's default look
    int TurnDegrees = 0;      // clockwise about the centre of the place
    QRectF Place = QRectF();  // in pixels; empty: the whole picture
};

struct PictureDef {
    QString Name;  // as the windows know it: "GoodGuy(3)", "FCdown", "BullsEye", ...
    QSize Size;
    QColor Ground;  // transparent: the picture keeps an alpha channel
    std::vector<Layer> Layers;

    // A picture with a ground is opaque (Format_RGB32); the two window icons have transparent
    // corners (Format_ARGB32_Premultiplied).
    bool Opaque() const { return Ground.alpha() == 255; }
};

// Every picture, in the registry's stable order. Sizes are the pixel sizes the windows place them
// at.
std::vector<PictureDef> PictureDefs();

// The name of a picture's rendered pixels among the program's resources: "GoodGuy(3)" is
// "GoodGuy-3".
QString RenderedFileName(const QString& name);

}  // namespace velmora
