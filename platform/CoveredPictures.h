#pragma once
// A scene of many small pictures painted far to near, where most of what is painted first ends
// up under what is painted last: only what can still show is painted. bench_threed's largest
// turn file (65,535 objects) redraws in 0.7 to 1.0 of a frame so, in 1.4 to 2.0 painting all.

#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace velmora {

class Form;

// Lines, circles, pictures and one-line texts for a form, added nearest first (the reverse of
// the order they are to be painted in) and painted together by Paint, far to near, each as the
// form's own method paints it (Line, Circle, PaintPicture, Print), in one drawing batch. Its
// colour becomes the form's ForeColor, for a circle its FillColor as well. What nearer pictures
// in the surface's own format (opaque: copied over what lies there) wholly cover is left out,
// and so are the rows of a picture that they cover; the pixels are the same as painting
// everything.
class CoveredPictures {
public:
    explicit CoveredPictures(Form& form);
    ~CoveredPictures();
    CoveredPictures(const CoveredPictures&) = delete;
    CoveredPictures& operator=(const CoveredPictures&) = delete;

    void Line(float x1, float y1, float x2, float y2, QRgb color);
    void Circle(float x, float y, float radius, QRgb color);
    // The picture is read when Paint runs.
    void Picture(const QImage& picture, float left, float top);
    // Printed from (left, top). It runs right from there, so only the characters up to the
    // surface's right edge (and a couple more, for the sake of kerning) are laid out.
    void Text(const QString& text, float left, float top, QRgb color);

    // Paints what was added since the last Paint and forgets it; the room stays for the next.
    void Paint();

private:
    struct LinePiece {
        float X1, Y1, X2, Y2;
        QRgb Color;
    };
    struct CirclePiece {
        float X, Y, Radius;
        QRgb Color;
    };
    struct PicturePiece {
        const QImage* Picture;
        float Left, Top;
        int FirstRow = 0;
        int LastRow = -1;  // below FirstRow: the whole picture
    };
    struct TextPiece {
        QString Text;  // the part that can show
        float Left, Top;
        QRgb Color;
    };
    // The pixels that nearer opaque pictures cover.
    class Coverage;
    // What the pieces added since the last Paint cover; at the first of them, nothing.
    Coverage& CurrentCoverage();
    void StartPlanning();
    // Wholly under nearer opaque pictures.
    bool Hidden(const QRect& pixels);

    Form& form_;
    std::unique_ptr<Coverage> coverage_;
    bool planning_ = false;  // pieces were added since the last Paint
    // The surface's, as the pieces since the last Paint are measured by.
    QImage::Format format_ = QImage::Format_Invalid;
    std::optional<QFontMetricsF> metrics_;
    QRect nearestOpaque_;  // the last opaque picture added, in pixels
    // What shows, nearest first.
    std::vector<std::variant<LinePiece, CirclePiece, PicturePiece, TextPiece>> shown_;
};

}  // namespace velmora
