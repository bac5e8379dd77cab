#include <QPainter>
#include <algorithm>

#include "platform/Form.h"

namespace velmora {

Control::~Control() {
    if (form_ != nullptr) {
        form_->Forget(*this);
    }
}

// --- LightControl ---

void LightControl::SetVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    const QRect before = visible_ ? PixelBounds() : QRect();
    visible_ = visible;
    Repaint(before);
}

void LightControl::Refresh() {
    if (form_ != nullptr && visible_) {
        form_->RepaintPixels(PixelBounds());
    }
}

void LightControl::Repaint(const QRect& before) {
    if (form_ == nullptr || !form_->Loaded()) {
        return;
    }
    // Two separate rectangles: whatever lies between them keeps its drawing.
    if (!before.isEmpty()) {
        form_->RepaintPixels(before);
    }
    if (visible_) {
        form_->RepaintPixels(PixelBounds());
    }
}

// --- Image ---

Image::~Image() {
    Detach();
}

void Image::Detach() {
    picture_ = QImage();
    left_ = top_ = width_ = height_ = 0;
    stretch_ = false;
    visible_ = true;
}

void Image::SetPicture(const QImage& picture) {
    picture_ = picture;
    Repaint(QRect());
}

void Image::Move(float left, float top, float width, float height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    const QRect before = visible_ ? PixelBounds() : QRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Repaint(before == PixelBounds() ? QRect() : before);
}

void Image::SetStretch(bool stretch) {
    stretch_ = stretch;
    Repaint(QRect());
}

QRect Image::PixelBounds() const {
    const int left = twipsToPixels(left_);
    const int top = twipsToPixels(top_);
    const int right = twipsToPixels(static_cast<double>(left_) + width_);
    const int bottom = twipsToPixels(static_cast<double>(top_) + height_);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void Image::Paint(QPainter& painter) const {
    if (picture_.isNull()) {
        return;
    }
    const QRect bounds = PixelBounds();
    if (stretch_) {
        painter.drawImage(bounds, picture_);
        return;
    }
    painter.setClipRect(bounds, Qt::IntersectClip);
    painter.drawImage(QRect(bounds.topLeft(), picture_.size()), picture_);
}

// --- LineControl ---

LineControl::~LineControl() {
    Detach();
}

void LineControl::Detach() {
    x1_ = y1_ = x2_ = y2_ = 0;
    borderWidth_ = 1;
    borderColor_ = Qt::black;
    visible_ = true;
}

void LineControl::SetEnds(float x1, float y1, float x2, float y2) {
    const QRect before = visible_ ? PixelBounds() : QRect();
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Repaint(before);
}

void LineControl::SetBorderWidth(int pixels) {
    const QRect before = visible_ ? PixelBounds() : QRect();
    borderWidth_ = std::clamp(pixels, 1, 1000);
    Repaint(before);
}

void LineControl::SetBorderColor(const QColor& color) {
    borderColor_ = color;
    Repaint(QRect());
}

QRect LineControl::PixelBounds() const {
    const QPoint a(twipsToPixels(x1_), twipsToPixels(y1_));
    const QPoint b(twipsToPixels(x2_), twipsToPixels(y2_));
    const int reach = borderWidth_ / 2 + 1;
    return pixelSpan(a, b).adjusted(-reach, -reach, reach, reach);
}

void LineControl::Paint(QPainter& painter) const {
    QPen pen(borderColor_);
    pen.setWidth(borderWidth_);
    pen.setCapStyle(borderWidth_ > 1 ? Qt::RoundCap : Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(QPoint(twipsToPixels(x1_), twipsToPixels(y1_)),
                     QPoint(twipsToPixels(x2_), twipsToPixels(y2_)));
}

}  // namespace velmora
