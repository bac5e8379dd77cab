#include "platform/CoveredPictures.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/Form.h"

namespace velmora {

namespace {

// The part of a text printed from pixel column x that can show, and the advance (pixels) of
// the characters up to the right edge.
QString ShownPart(const QString& text, int x, int surfaceWidth, const QFontMetricsF& metrics,
                  double& width) {
    width = 0;
    const double room = surfaceWidth - x;
    constexpr qsizetype kSlack = 2;
    qsizetype n = 0;
    while (n < text.size() && width <= room) {
        width += metrics.horizontalAdvance(text.at(n));
        ++n;
    }
    n = std::min(text.size(), n + kSlack);
    if (n < text.size() && text.at(n - 1).isHighSurrogate()) {
        ++n;
    }
    return n == text.size() ? text : text.first(n);
}

template <class... Kinds>
struct Visitor : Kinds... {
    using Kinds::operator()...;
};

}  // namespace

// The surface's pixels that an opaque picture already covers, a bit each: pixel x of a row is
// bit x % 8 of its byte x / 8. A run of up to 56 pixels is one 64-bit load and store from any
// byte, so a picture's row is tested and covered without a branch.
class CoveredPictures::Coverage {
public:
    // Nothing covered on a surface of this size; the room of the last one is used again.
    void Reset(int width, int height) {
        width_ = std::max(width, 0);
        height_ = std::max(height, 0);
        stride_ = static_cast<std::size_t>(width_) / 8 + 1 + 8;
        bytes_.assign(stride_ * static_cast<std::size_t>(height_), 0);
    }

    int Width() const { return width_; }

    // A rectangle cut to the surface; empty when Right < Left or Bottom < Top.
    struct Span {
        int Left = 0, Right = -1, Top = 0, Bottom = -1;
    };

    Span SpanOf(const QRect& rect) const {
        return {std::max(rect.left(), 0), std::min(rect.right(), width_ - 1),
                std::max(rect.top(), 0), std::min(rect.bottom(), height_ - 1)};
    }

    // A bit for each row of the span (row Top first, at most 64 rows) that is not wholly
    // covered; with cover, the span is covered afterwards, in the same pass.
    uint64_t UncoveredRows(const Span& span, bool cover) {
        uint64_t rows = 0;
        if (span.Left > span.Right) {
            return rows;
        }
        if (span.Right - span.Left < kRun) {
            // One load a row, at the same place in every row.
            const uint64_t mask = RunMask(span.Left, span.Right);
            uint8_t* at = Byte(span.Left, span.Top);
            for (int row = 0; row <= span.Bottom - span.Top; ++row, at += stride_) {
                const uint64_t word = Load(at);
                rows |= uint64_t{(word & mask) != mask} << row;
                if (cover) {
                    Store(at, word | mask);
                }
            }
            return rows;
        }
        for (int y = span.Top; y <= span.Bottom; ++y) {
            bool open = false;
            for (int x = span.Left; x <= span.Right; x += kRun) {
                uint8_t* at = Byte(x, y);
                const uint64_t mask = RunMask(x, std::min(span.Right, x + kRun - 1));
                const uint64_t word = Load(at);
                open |= (word & mask) != mask;
                if (cover) {
                    Store(at, word | mask);
                }
            }
            rows |= uint64_t{open} << (y - span.Top);
        }
        return rows;
    }

    // Every pixel of the span is covered; an empty span is.
    bool Covered(const Span& span) {
        for (int top = span.Top; top <= span.Bottom; top += 64) {
            if (UncoveredRows({span.Left, span.Right, top, std::min(span.Bottom, top + 63)},
                              false) != 0) {
                return false;
            }
        }
        return true;
    }

    void Cover(const Span& span) {
        for (int top = span.Top; top <= span.Bottom; top += 64) {
            UncoveredRows({span.Left, span.Right, top, std::min(span.Bottom, top + 63)}, true);
        }
    }

private:
    static constexpr int kRun = 56;

    uint8_t* Byte(int x, int y) {
        return bytes_.data() + static_cast<std::size_t>(y) * stride_ +
               static_cast<std::size_t>(x / 8);
    }
    // Pixels first..last (at most kRun of them) in the 64 bits loaded from first's byte.
    static uint64_t RunMask(int first, int last) {
        const int count = last - first + 1;
        return ((uint64_t{1} << count) - 1) << (first % 8);
    }
    // Little-endian whatever the machine, so that bit i is pixel i from the byte's first.
    static uint64_t Load(const uint8_t* at) {
        uint64_t word = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&word, at, sizeof word);
        } else {
            for (int i = 0; i < 8; ++i) {
                word |= uint64_t{at[i]} << (8 * i);
            }
        }
        return word;
    }
    static void Store(uint8_t* at, uint64_t word) {
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(at, &word, sizeof word);
        } else {
            for (int i = 0; i < 8; ++i) {
                at[i] = static_cast<uint8_t>(word >> (8 * i));
            }
        }
    }

    int width_ = 0, height_ = 0;
    std::size_t stride_ = 0;  // bytes a row, with room for a load from its last pixel's byte
    std::vector<uint8_t> bytes_;
};

CoveredPictures::CoveredPictures(Form& form) : form_(form) {}

CoveredPictures::~CoveredPictures() = default;

void CoveredPictures::StartPlanning() {
    if (coverage_ == nullptr) {
        coverage_ = std::make_unique<Coverage>();
    }
    planning_ = true;
    const QImage& surface = form_.Canvas();
    coverage_->Reset(surface.width(), surface.height());
    format_ = surface.format();
    metrics_.emplace(form_.Font(), &surface);
    nearestOpaque_ = QRect();
}

// Apart from StartPlanning, so that this runs inline for every piece.
inline CoveredPictures::Coverage& CoveredPictures::CurrentCoverage() {
    if (!planning_) {
        StartPlanning();
    }
    return *coverage_;
}

void CoveredPictures::Line(float x1, float y1, float x2, float y2, QRgb color) {
    const QRect pixels =
        PixelSpan({TwipsToPixels(x1), TwipsToPixels(y1)}, {TwipsToPixels(x2), TwipsToPixels(y2)});
    if (!Hidden(pixels)) {
        shown_.push_back(LinePiece{x1, y1, x2, y2, color});
    }
}

void CoveredPictures::Circle(float x, float y, float radius, QRgb color) {
    const int r = std::abs(TwipsToPixels(radius));
    const QRect pixels(TwipsToPixels(x) - r - 1, TwipsToPixels(y) - r - 1, 2 * r + 3, 2 * r + 3);
    if (!Hidden(pixels)) {
        shown_.push_back(CirclePiece{x, y, radius, color});
    }
}

bool CoveredPictures::Hidden(const QRect& pixels) {
    Coverage& coverage = CurrentCoverage();
    // Most often the picture just added stands over a stick or a dot of its own: bench_threed's
    // largest turn file in the World view redraws in 0.8 to 0.9 of a frame with this, 1.0 to
    // 1.2 without.
    return nearestOpaque_.contains(pixels) || coverage.Covered(coverage.SpanOf(pixels));
}

void CoveredPictures::Picture(const QImage& picture, float left, float top) {
    Coverage& coverage = CurrentCoverage();
    const QRect whole(QPoint(TwipsToPixels(left), TwipsToPixels(top)), picture.size());
    const Coverage::Span span = coverage.SpanOf(whole);
    const bool opaque = picture.format() == format_;
    if (opaque) {
        nearestOpaque_ = whole;
    }
    PicturePiece piece{&picture, left, top};
    if (span.Bottom - span.Top < 64) {
        const uint64_t open = coverage.UncoveredRows(span, opaque);
        if (open == 0) {
            return;
        }
        const int offset = span.Top - whole.top();
        piece.FirstRow = offset + std::countr_zero(open);
        piece.LastRow = offset + 63 - std::countl_zero(open);
    } else if (opaque) {
        coverage.Cover(span);
    }
    shown_.push_back(piece);
}

void CoveredPictures::Text(const QString& text, float left, float top, QRgb color) {
    Coverage& coverage = CurrentCoverage();
    double width = 0;
    const int x = TwipsToPixels(left);
    QString shown = ShownPart(text, x, coverage.Width(), *metrics_, width);
    // Widened by a couple of pixels all round for glyphs that reach past their advance.
    const QRect box(x - 2, TwipsToPixels(top) - 2, static_cast<int>(std::ceil(width)) + 4,
                    static_cast<int>(std::ceil(metrics_->height())) + 4);
    if (!coverage.Covered(coverage.SpanOf(box))) {
        shown_.push_back(TextPiece{std::move(shown), left, top, color});
    }
}

void CoveredPictures::Paint() {
    planning_ = false;
    DrawingBatch batch(form_);
    // Most pieces share their colour with the one before.
    QRgb lastRgb = 0;
    QColor color(Qt::black);
    auto colorOf = [&](QRgb rgb) -> const QColor& {
        if (rgb != lastRgb) {
            lastRgb = rgb;
            color = QColor(rgb);
        }
        return color;
    };
    for (auto piece = shown_.rbegin(); piece != shown_.rend(); ++piece) {
        std::visit(Visitor{
                       [&](const LinePiece& line) {
                           form_.SetForeColor(colorOf(line.Color));
                           form_.Line(line.X1, line.Y1, line.X2, line.Y2);
                       },
                       [&](const CirclePiece& circle) {
                           form_.SetForeColor(colorOf(circle.Color));
                           form_.SetFillColor(colorOf(circle.Color));
                           form_.Circle(circle.X, circle.Y, circle.Radius);
                       },
                       [&](const PicturePiece& shown) {
                           if (shown.LastRow < shown.FirstRow) {
                               form_.PaintPicture(*shown.Picture, shown.Left, shown.Top);
                           } else {
                               form_.PaintPictureRows(*shown.Picture, shown.Left, shown.Top,
                                                      shown.FirstRow, shown.LastRow);
                           }
                       },
                       [&](const TextPiece& text) {
                           form_.SetForeColor(colorOf(text.Color));
                           form_.SetCurrentX(text.Left);
                           form_.SetCurrentY(text.Top);
                           form_.Print(text.Text);
                       },
                   },
                   *piece);
    }
    shown_.clear();
}

}  // namespace velmora
