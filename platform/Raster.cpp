#include "platform/Raster.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace velmora::detail {

QPen OnePixelPen(const QColor& color) {
    QPen pen(color);
    pen.setWidth(1);
    return pen;
}

void FillPixels(QImage& image, const QRect& rect, QRgb colour) {
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(row + rect.left(), row + rect.right() + 1, colour);
    }
}

void DrawSegment(QImage& image, QPoint a, QPoint b, QRgb colour) {
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const bool alongX = std::abs(int64_t{b.x()} - a.x()) >= std::abs(int64_t{b.y()} - a.y());
    if (!alongX) {
        a = a.transposed();
        b = b.transposed();
    }
    if (b.x() < a.x()) {
        std::swap(a, b);
    }
    const int major = alongX ? image.width() : image.height();
    const int minor = alongX ? image.height() : image.width();
    const int from = std::max(a.x(), 0);
    const int to = std::min(b.x(), major - 1);
    if (from > to) {
        return;
    }
    // The minor coordinate at step m is a.y + floor((2 (m - a.x) d2 + d1) / 2 d1), kept as a
    // quotient and a remainder that each step moves on by 2 d2 (at most one whole d1 each way).
    const int64_t d1 = int64_t{b.x()} - a.x();
    const int64_t d2 = int64_t{b.y()} - a.y();
    const int64_t den = 2 * std::max<int64_t>(d1, 1);
    const int64_t step = d1 == 0 ? 0 : 2 * d2;
    const int64_t first = d1 == 0 ? 0 : 2 * (from - a.x()) * d2 + d1;
    int64_t q = first >= 0 ? first / den : -((-first + den - 1) / den);
    int64_t r = first - q * den;
    for (int m = from; m <= to; ++m) {
        const int64_t n = a.y() + q;
        if (n >= 0 && n < minor) {
            const int x = alongX ? m : static_cast<int>(n);
            const int y = alongX ? static_cast<int>(n) : m;
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = colour;
        }
        r += step;
        if (r >= den) {
            r -= den;
            ++q;
        } else if (r < 0) {
            r += den;
            --q;
        }
    }
}

namespace {

// The pixels the painter sets for a circle of a small pixel radius around (0, 0), with a
// one-pixel pen over a solid brush: the same for every whole-pixel centre, so painted once.
struct CircleStamp {
    // Runs of pixels of one row, offsets from the centre: [Left, Right] on row Dy.
    struct Run {
        int Dy, Left, Right;
    };
    std::vector<Run> outline;
    std::vector<Run> inside;
};

const CircleStamp& StampOfRadius(int radius) {
    static std::array<std::optional<CircleStamp>, kMaxStampRadius + 1> stamps;
    std::optional<CircleStamp>& stamp = stamps[static_cast<std::size_t>(radius)];
    if (!stamp) {
        const int side = 2 * radius + 3;
        QImage image(side, side, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            painter.setPen(OnePixelPen(Qt::red));
            painter.setBrush(QBrush(Qt::green));
            painter.drawEllipse(QPoint(radius + 1, radius + 1), radius, radius);
        }
        stamp.emplace();
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side;) {
                const QRgb c = image.pixel(x, y);
                int end = x;
                while (end + 1 < side && image.pixel(end + 1, y) == c) {
                    ++end;
                }
                const CircleStamp::Run run{y - radius - 1, x - radius - 1, end - radius - 1};
                if (c == qRgb(255, 0, 0)) {
                    stamp->outline.push_back(run);
                } else if (c == qRgb(0, 255, 0)) {
                    stamp->inside.push_back(run);
                }
                x = end + 1;
            }
        }
    }
    return *stamp;
}
}  // namespace

void StampCircle(QImage& image, QPoint centre, int radius, const QRgb* fill, QRgb outline) {
    const CircleStamp& stamp = StampOfRadius(radius);
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const int width = image.width();
    const int height = image.height();
    auto set = [&](const std::vector<CircleStamp::Run>& runs, QRgb colour) {
        for (const CircleStamp::Run& run : runs) {
            const int y = centre.y() + run.Dy;
            const int left = std::max(centre.x() + run.Left, 0);
            const int right = std::min(centre.x() + run.Right, width - 1);
            if (y >= 0 && y < height && left <= right) {
                auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
                std::fill(row + left, row + right + 1, colour);
            }
        }
    };
    if (fill != nullptr) {
        set(stamp.inside, *fill);
    }
    set(stamp.outline, outline);
}

void CopyPictureRows(QImage& image, const QImage& picture, QPoint topLeft, const QRect& shown) {
    const auto rowBytes = static_cast<std::size_t>(shown.width()) * 4;
    const qsizetype fromStride = picture.bytesPerLine();
    const qsizetype toStride = image.bytesPerLine();
    const uchar* from = picture.constBits() + (shown.top() - topLeft.y()) * fromStride +
                        (shown.left() - topLeft.x()) * 4;
    uchar* to = image.bits() + shown.top() * toStride + shown.left() * 4;
    auto copyRows = [&](std::size_t bytes) {
        for (int row = 0; row < shown.height(); ++row, from += fromStride, to += toStride) {
            std::memcpy(to, from, bytes);
        }
    };
    // The aircraft pictures, 24 pixels wide, copied with a size known here, which the
    // compiler turns into a few moves instead of a library call a row: bench_view's main
    // window redraw takes 1.0 frame so, 1.4 without.
    constexpr std::size_t kIconRow = 24 * 4;
    if (rowBytes == kIconRow) {
        copyRows(kIconRow);
    } else {
        copyRows(rowBytes);
    }
}

}  // namespace velmora::detail
