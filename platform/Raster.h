#pragma once
// Pixels set directly in an RGB32 image, the same ones Qt's painter would set with a one-pixel
// pen. Every function clips to the image.

#include <QColor>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>

namespace velmora::detail {

// The pen of every outline the drawing methods paint.
QPen OnePixelPen(const QColor& color);

// Fills the pixels of rect (already inside the image).
void FillPixels(QImage& image, const QRect& rect, QRgb colour);

// A one-pixel line from a to b, both ends included: one pixel for each step along the longer
// axis, the other coordinate rounded half up. Only the part inside the image is walked, so a
// line with far-away ends costs no more than one across the image.
void DrawSegment(QImage& image, QPoint a, QPoint b, QRgb colour);

// The largest radius, in pixels, that StampCircle draws.
constexpr int kMaxStampRadius = 32;

// A circle of a small pixel radius: the inside in fill when there is one, then the outline.
void StampCircle(QImage& image, QPoint centre, int radius, const QRgb* fill, QRgb outline);

// Copies the rows of picture (in the image's format) that lie in shown, a part of the image;
// the picture's top-left corner lies at topLeft.
void CopyPictureRows(QImage& image, const QImage& picture, QPoint topLeft, const QRect& shown);

}  // namespace velmora::detail
