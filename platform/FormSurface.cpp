#include <QPainter>
#include <QStaticText>
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/Form.h"
#include "platform/FormWidgets.h"
#include "platform/Raster.h"

namespace velmora {

// A painter on the surface: the batch's while one lives, else one of its own.
class Form::SurfacePainter {
public:
    explicit SurfacePainter(Form& form) {
        if (form.batchDepth_ > 0) {
            if (form.batchPainter_ == nullptr) {
                form.batchPainter_ = std::make_unique<QPainter>(&form.Canvas());
            }
            painter_ = form.batchPainter_.get();
        } else {
            painter_ = &own_.emplace(&form.Canvas());
        }
    }
    QPainter* operator->() const { return painter_; }
    QPainter& operator*() const { return *painter_; }

private:
    std::optional<QPainter> own_;
    QPainter* painter_ = nullptr;
};

DrawingBatch::DrawingBatch(Form& form) : form_(form) {
    ++form_.batchDepth_;
}

DrawingBatch::~DrawingBatch() {
    if (--form_.batchDepth_ > 0) {
        return;
    }
    form_.EndBatchPainter();
    const QRect dirty = form_.batchDirty_ & form_.SurfaceRect();
    form_.batchDirty_ = QRect();
    form_.Invalidate(dirty);
}
// --- The surface ---

void Form::EndBatchPainter() {
    batchPainter_.reset();
}

QImage& Form::Canvas() {
    if (surfacePending_) {
        surfacePending_ = false;
        EnsureSurfaceSize(pendingSize_);
    }
    return surface_;
}

void Form::EnsureSurfaceSize(const QSize& requested) {
    const QSize size = requested.expandedTo(QSize(0, 0));
    if (surfacePending_) {
        pendingSize_ = size;
        return;
    }
    const QSize old = surface_.size();
    if (old == size) {
        return;
    }
    // A batch's painter must not outlive the image it paints; the next drawing begins anew.
    EndBatchPainter();
    QImage next(size, QImage::Format_RGB32);
    if (!next.isNull()) {
        next.fill(backColor_);
        if (!surface_.isNull()) {
            QPainter painter(&next);
            painter.drawImage(0, 0, surface_);
        }
    }
    surface_ = next;
    // The new part has the back colour already: only the controls that reach into it paint
    // there, so a new window's surface needs no painter until its first control.
    const QRect grown[] = {QRect(old.width(), 0, size.width() - old.width(), size.height()),
                           QRect(0, old.height(), size.width(), size.height() - old.height())};
    for (const QRect& part : grown) {
        if (part.isEmpty()) {
            continue;
        }
        const bool controlThere = std::any_of(lights_.begin(), lights_.end(), [&](auto* light) {
            return light->visible_ && light->PixelBounds().intersects(part);
        });
        if (controlThere) {
            RepaintPixels(part);
        } else {
            Invalidate(part);
        }
    }
}

void Form::RepaintPixels(const QRect& rect) {
    const QRect area = rect & SurfaceRect();
    if (area.isEmpty()) {
        return;
    }
    // A surface yet to be made shows the back colour and the controls everywhere once made.
    if (surfacePending_) {
        Invalidate(area);
        return;
    }
    {
        SurfacePainter painter(*this);
        painter->save();
        painter->setClipRect(area);
        painter->fillRect(area, backColor_);
        for (LightControl* light : lights_) {
            if (light->visible_ && light->PixelBounds().intersects(area)) {
                painter->save();
                light->Paint(*painter);
                painter->restore();
            }
        }
        painter->restore();
    }
    Invalidate(area);
}

void Form::Invalidate(const QRect& rect) {
    if (batchDepth_ > 0) {
        // Grown by hand: this runs for every step of a large redraw.
        if (batchDirty_.isNull()) {
            batchDirty_ = rect;
        } else if (!rect.isEmpty()) {
            batchDirty_.setCoords(std::min(batchDirty_.left(), rect.left()),
                                  std::min(batchDirty_.top(), rect.top()),
                                  std::max(batchDirty_.right(), rect.right()),
                                  std::max(batchDirty_.bottom(), rect.bottom()));
        }
    } else if (area_ != nullptr && !rect.isEmpty()) {
        area_->update(rect);
    }
}

void Form::SurfaceResized(const QSize& size) {
    const QSize old = SurfaceRect().size();
    EnsureSurfaceSize(size);
    if (!live_ || old == size) {
        return;
    }
    const unsigned load = loadCount_;
    outerSize_ = top_->frameGeometry().size();
    Form_Resize();
    if (Alive(load) && (size.width() > old.width() || size.height() > old.height())) {
        Form_Paint();
    }
}

// --- Drawing ---

void Form::Cls() {
    currentX_ = 0;
    currentY_ = 0;
    RepaintPixels(SurfaceRect());
}

void Form::Line(float x1, float y1, float x2, float y2, LineMode mode) {
    Line(x1, y1, x2, y2, foreColor_, mode);
}

void Form::Line(float x1, float y1, float x2, float y2, const QColor& color, LineMode mode) {
    if (mode == LineMode::BoxRelative) {
        x2 += x1;
        y2 += y1;
    }
    currentX_ = x2;
    currentY_ = y2;
    if (Canvas().isNull()) {
        return;
    }
    const QPoint a(TwipsToPixels(x1), TwipsToPixels(y1));
    const QPoint b(TwipsToPixels(x2), TwipsToPixels(y2));
    const QRect span = PixelSpan(a, b);
    if (!span.intersects(surface_.rect())) {
        return;
    }
    if (mode == LineMode::Plain && surface_.format() == QImage::Format_RGB32) {
        // Set directly: bench_threed's largest turn file takes 1.7 frames to redraw with the
        // painter's straight lines and 4.4 with its slanted ones, 0.9 frames with these; at
        // 1,000 contacts the slanted ones take it from 0.12 of a frame to 0.08.
        if (a.x() == b.x() || a.y() == b.y()) {
            detail::FillPixels(surface_, span & surface_.rect(), color.rgb());
        } else {
            detail::DrawSegment(surface_, a, b, color.rgb());
        }
        Invalidate(span);
        return;
    }
    {
        SurfacePainter painter(*this);
        painter->setPen(detail::OnePixelPen(color));
        painter->setBrush(Qt::NoBrush);  // a batch's painter may hold a circle's
        if (mode == LineMode::Plain || a.x() == b.x() || a.y() == b.y()) {
            painter->drawLine(a, b);
        } else {
            // A stroked QRect covers one pixel more than its size each way.
            painter->drawRect(span.adjusted(0, 0, -1, -1));
        }
    }
    Invalidate(span.adjusted(-1, -1, 1, 1));
}

void Form::Circle(float x, float y, float radius) {
    Circle(x, y, radius, foreColor_);
}

void Form::Circle(float x, float y, float radius, const QColor& color) {
    currentX_ = x;
    currentY_ = y;
    if (Canvas().isNull()) {
        return;
    }
    const QPoint centre(TwipsToPixels(x), TwipsToPixels(y));
    const int r = std::abs(TwipsToPixels(radius));
    const QRect bounds(centre.x() - r - 1, centre.y() - r - 1, 2 * r + 3, 2 * r + 3);
    if (!bounds.intersects(surface_.rect())) {
        return;
    }
    if (r <= detail::kMaxStampRadius && surface_.format() == QImage::Format_RGB32) {
        // Small circles, such as the ground dots of a crowded 3-D map, set their pixels
        // directly from the painter's own pattern for that radius: bench_threed's 1,000
        // contacts seen from the south redraw in 0.07 of a frame so, 0.10 with the painter.
        const QRgb fill = fillColor_.rgb();
        detail::StampCircle(surface_, centre, r, fillStyle_ == FillStyle::Solid ? &fill : nullptr,
                            color.rgb());
        Invalidate(bounds);
        return;
    }
    {
        SurfacePainter painter(*this);
        painter->setPen(detail::OnePixelPen(color));
        painter->setBrush(fillStyle_ == FillStyle::Solid ? QBrush(fillColor_)
                                                         : QBrush(Qt::NoBrush));
        painter->drawEllipse(centre, r, r);
    }
    Invalidate(bounds);
}

void Form::PaintPicture(const QImage& picture, float x, float y) {
    PaintPictureRows(picture, x, y, 0, picture.height() - 1);
}

void Form::PaintPictureRows(const QImage& picture, float x, float y, int firstRow, int lastRow) {
    if (Canvas().isNull() || picture.isNull()) {
        return;
    }
    const QRect whole(QPoint(TwipsToPixels(x), TwipsToPixels(y)), picture.size());
    const QRect target =
        whole & QRect(whole.left(), whole.top() + firstRow, whole.width(), lastRow - firstRow + 1);
    if (picture.format() == surface_.format()) {
        // An opaque picture in the surface's own format is a plain copy of rows: bench_view's
        // crowded main window redraws in 0.9 of a frame so, in 3.0 with the painter.
        const QRect shown = target & surface_.rect();
        if (shown.isEmpty()) {
            return;
        }
        detail::CopyPictureRows(surface_, picture, whole.topLeft(), shown);
        Invalidate(shown);
        return;
    }
    if (!target.intersects(surface_.rect())) {
        return;
    }
    {
        SurfacePainter painter(*this);
        painter->drawImage(target, picture, target.translated(-whole.topLeft()));
    }
    Invalidate(target);
}

const QStaticText& Form::LaidOut(const QString& line) {
    if (const auto found = laidOut_.constFind(line); found != laidOut_.cend()) {
        return *found;
    }
    // Bounded by the characters kept: texts from turn files can be many and new at every
    // load. A turn's worth of short labels fits.
    constexpr qsizetype kMaxLaidOutCharacters = qsizetype{1} << 20;
    if (laidOutCharacters_ + line.size() > kMaxLaidOutCharacters) {
        laidOut_.clear();
        laidOutCharacters_ = 0;
    }
    laidOutCharacters_ += line.size();
    QStaticText text(line);
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    // Laid out for the font as the painter holds it on the surface, so drawing it does not
    // lay it out again.
    text.prepare(QTransform(), QFont(font_, &surface_));
    return *laidOut_.insert(line, text);
}

void Form::Print(const QString& text) {
    Canvas();
    if (!metrics_ || !(printFont_ == font_)) {
        printFont_ = font_;
        laidOut_.clear();
        laidOutCharacters_ = 0;
        metrics_.emplace(font_, &surface_);
    }
    const QFontMetrics& metrics = *metrics_;
    const float lineTwips = PixelsToTwips(metrics.height());
    const QStringList lines =
        text.contains(QLatin1Char('\n')) ? text.split(QLatin1Char('\n')) : QStringList{text};
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        const QPoint topLeft(TwipsToPixels(currentX_), TwipsToPixels(currentY_));
        // Text starts at its left edge and runs right: nothing of it shows from beyond the
        // right or the bottom edge, nor when its line lies above the top.
        const bool shows = !surface_.isNull() && !line.isEmpty() &&
                           topLeft.x() < surface_.width() && topLeft.y() < surface_.height() &&
                           topLeft.y() + metrics.height() > 0;
        if (shows) {
            const QStaticText& laidOut = LaidOut(line);
            {
                SurfacePainter painter(*this);
                if (batchDepth_ == 0 || !(painter->font() == QFont(font_, &surface_))) {
                    painter->setFont(font_);
                }
                painter->setPen(foreColor_);
                painter->drawStaticText(topLeft, laidOut);
            }
            Invalidate(QRect(topLeft, QSize(static_cast<int>(std::ceil(laidOut.size().width())) +
                                                metrics.maxWidth(),
                                            metrics.height())));
        }
        currentX_ = 0;
        currentY_ += lineTwips;
    }
}

}  // namespace velmora
