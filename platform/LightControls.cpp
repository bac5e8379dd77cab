#include <QPainter>
#include <algorithm>

#include "platform/Form.h"

namespace velmora {

Control::~Control() {
    if (form_ != nullptr) {
        form_->Forget(*this);
    }
}

QRect Placement::PixelBox() const {
    const int left = TwipsToPixels(left_);
    const int top = TwipsToPixels(top_);
    const int right = TwipsToPixels(static_cast<double>(left_) + width_);
    const int bottom = TwipsToPixels(static_cast<double>(top_) + height_);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
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
    Place(0, 0, 0, 0);
    stretch_ = false;
    toolTip_.clear();
    visible_ = true;
}

void Image::SetPicture(const QImage& picture) {
    picture_ = picture;
    Repaint(QRect());
}

void Image::SetStretch(bool stretch) {
    stretch_ = stretch;
    Repaint(QRect());
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
    visible_ = true;
}

void LineControl::SetBorderWidth(int pixels) {
    const QRect before = visible_ ? PixelBounds() : QRect();
    borderWidth_ = std::clamp(pixels, 1, 1000);
    Repaint(before);
}

QRect LineControl::PixelBounds() const {
    const QPoint a(TwipsToPixels(x1_), TwipsToPixels(y1_));
    const QPoint b(TwipsToPixels(x2_), TwipsToPixels(y2_));
    const int reach = borderWidth_ / 2 + 1;
    return PixelSpan(a, b).adjusted(-reach, -reach, reach, reach);
}

void LineControl::Paint(QPainter& painter) const {
    QPen pen(Qt::black);
    pen.setWidth(borderWidth_);
    pen.setCapStyle(borderWidth_ > 1 ? Qt::RoundCap : Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(QPoint(TwipsToPixels(x1_), TwipsToPixels(y1_)),
                     QPoint(TwipsToPixels(x2_), TwipsToPixels(y2_)));
}

}  // namespace velmora
