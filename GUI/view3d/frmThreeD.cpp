#include "GUI/view3d/frmThreeD.h"
#include "GUI/Look.h"

#include <QIcon>
#include <QPixmap>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "GUI/Text.h"
#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "model/Numbers.h"
#include "model/SharedSubsAndVar.h"
#include "pictures/Pictures.h"

namespace velmora {

namespace {

const QImage& picture(const QString& name) {
    return Pictures::instance().get(name);
}

// The surface's pixels that an opaque picture already covers, a bit each: pixel x of a row is
// bit x % 8 of its byte x / 8. A run of up to 56 pixels is one 64-bit load and store from any
// byte, so a picture's row is tested and covered without a branch.
class Coverage {
public:
    Coverage(int width, int height)
        : width_(width),
          height_(height),
          stride_(static_cast<std::size_t>(width) / 8 + 1 + 8),
          bytes_(stride_ * static_cast<std::size_t>(std::max(height, 0))) {}

    // A rectangle cut to the surface; empty when right < left or bottom < top.
    struct Span {
        int left = 0, right = -1, top = 0, bottom = -1;
    };

    Span SpanOf(const QRect& rect) const {
        return {std::max(rect.left(), 0), std::min(rect.right(), width_ - 1),
                std::max(rect.top(), 0), std::min(rect.bottom(), height_ - 1)};
    }

    // A bit for each row of the span (row top first, at most 64 rows) that is not wholly
    // covered; with cover, the span is covered afterwards, in the same pass.
    uint64_t UncoveredRows(const Span& span, bool cover) {
        uint64_t rows = 0;
        if (span.left > span.right) {
            return rows;
        }
        if (span.right - span.left < kRun) {
            // One load a row, at the same place in every row.
            const uint64_t mask = RunMask(span.left, span.right);
            uint8_t* at = Byte(span.left, span.top);
            for (int row = 0; row <= span.bottom - span.top; ++row, at += stride_) {
                const uint64_t word = Load(at);
                rows |= uint64_t{(word & mask) != mask} << row;
                if (cover) {
                    Store(at, word | mask);
                }
            }
            return rows;
        }
        for (int y = span.top; y <= span.bottom; ++y) {
            bool open = false;
            for (int x = span.left; x <= span.right; x += kRun) {
                uint8_t* at = Byte(x, y);
                const uint64_t mask = RunMask(x, std::min(span.right, x + kRun - 1));
                const uint64_t word = Load(at);
                open |= (word & mask) != mask;
                if (cover) {
                    Store(at, word | mask);
                }
            }
            rows |= uint64_t{open} << (y - span.top);
        }
        return rows;
    }

    // Every pixel of the span is covered; an empty span is.
    bool Covered(const Span& span) {
        for (int top = span.top; top <= span.bottom; top += 64) {
            if (UncoveredRows({span.left, span.right, top, std::min(span.bottom, top + 63)},
                              false) != 0) {
                return false;
            }
        }
        return true;
    }

    void Cover(const Span& span) {
        for (int top = span.top; top <= span.bottom; top += 64) {
            UncoveredRows({span.left, span.right, top, std::min(span.bottom, top + 63)}, true);
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

    int width_, height_;
    std::size_t stride_;  // bytes a row, with room for a load from its last pixel's byte
    std::vector<uint8_t> bytes_;
};

// The pixels each drawing step can touch, as the drawing methods place them.
QRect LinePixels(const LineStep& line) {
    return PixelSpan({TwipsToPixels(line.X1), TwipsToPixels(line.Y1)},
                     {TwipsToPixels(line.X2), TwipsToPixels(line.Y2)});
}
QRect DotPixels(const DotStep& dot) {
    const int r = std::abs(TwipsToPixels(dot.Radius));
    return {TwipsToPixels(dot.X) - r - 1, TwipsToPixels(dot.Y) - r - 1, 2 * r + 3, 2 * r + 3};
}
QRect PicturePixels(const PictureStep& step, const QImage& picture) {
    return {QPoint(TwipsToPixels(step.Left), TwipsToPixels(step.Top)), picture.size()};
}

}  // namespace

frmThreeD::frmThreeD(Windows& windows)
    : Form(windows.Svc), windows_(windows), state_(windows.State) {
    menuWorld.Click = [this] { Preset(PresetView::World); };
    menuRange.Click = [this] { Preset(PresetView::ZoomRange); };
    menuSN.Click = [this] { Preset(PresetView::SouthLookingNorth); };
    menuEW.Click = [this] { Preset(PresetView::EastLookingWest); };
    menuTopDown.Click = [this] { Preset(PresetView::TopDown); };
    menuHide.Click = [this] { menuPresets.SetVisible(false); };
    menuClose.Click = [this] { Unload(); };
}

void frmThreeD::Design() {
    SetCaption("Skelmar Velmora 3-D Tactical Map");
    SetBorderStyle(BorderStyle::Sizable);
    SetMinButton(true);
    SetMaxButton(true);
    SetStartUpPosition(StartUpPosition::Default);
    SetInnerSize(5280, 4995);
    SetBackColor(Qt::black);
    SetFillStyle(FillStyle::Solid);
    SetIcon(QIcon(QPixmap::fromImage(picture("ThreeDIcon"))));

    const std::pair<Image*, const char*> markers[] = {
        {&North, "North"}, {&East, "East"}, {&South, "South"}, {&West, "West"}};
    float top = 240;
    for (const auto& [image, name] : markers) {
        Add(*image, 4680, top, 375, 375);
        image->SetPicture(picture(QLatin1String(name)));
        image->SetVisible(false);
        top += 600;
    }

    AddMenu(menuPresets, "&Preset Views");
    menuPresets.Add(menuWorld, "&World View");
    menuPresets.Add(menuRange, "&Zoom Range");
    menuPresets.Add(menuSN, "&South looking North");
    menuPresets.Add(menuEW, "&East looking West");
    menuPresets.Add(menuTopDown, "&Top Down");
    menuPresets.Add(menuSep1, "-");
    menuPresets.Add(menuHide, "&Hide Menu");
    menuPresets.Add(menuClose, "Close");
    menuPresets.SetVisible(false);
}

void frmThreeD::Form_Load() {
    BuildScene(Scene, state_);
    labels_.clear();
}

void frmThreeD::Form_Paint() {
    Redraw();
}

void frmThreeD::Form_Resize() {
    Redraw();
}

void frmThreeD::Form_KeyPress(int KeyAscii) {
    const bool shown = MenuShownAfterKey(KeyAscii, menuPresets.Visible());
    if (shown != menuPresets.Visible()) {
        menuPresets.SetVisible(shown);
    }
}

void frmThreeD::Form_MouseMove(int Button, int, float X, float Y) {
    // The drag steps take the pointer in whole twips; a scaled screen can report fractions,
    // which would turn the view back and forth in one move.
    const auto x = static_cast<float>(RoundHalfEven(X));
    const auto y = static_cast<float>(RoundHalfEven(Y));
    if (DragStep(Scene, state_.Visibility, Button, x, y, Height())) {
        Redraw();
    }
}

void frmThreeD::Preset(PresetView preset) {
    ApplyPreset(Scene, preset);
    Redraw();
}

frmThreeD::PictureTable frmThreeD::Pictures() const {
    GUIForm& main = windows_.MainForm();
    PictureTable table{};
    for (std::size_t k = 0; k < 8; ++k) {
        auto set = [&](ScenePicture kind, const QImage& image) {
            table[static_cast<std::size_t>(kind)][k] = &image;
        };
        set(ScenePicture::North, North.Picture());
        set(ScenePicture::South, South.Picture());
        set(ScenePicture::East, East.Picture());
        set(ScenePicture::West, West.Picture());
        set(ScenePicture::Friendly, main.Friendly[k].Picture());
        set(ScenePicture::BadGuy, main.BadGuy[k].Picture());
        set(ScenePicture::GoodGuy, main.GoodGuy[k].Picture());
        set(ScenePicture::BullsEye, main.BullsEye.Picture());
    }
    return table;
}

const QString& frmThreeD::LabelText(int i) {
    const auto columns = static_cast<std::size_t>(std::max(1, Surface().width()));
    std::string_view pic = state_.AircraftList(i).Pic;
    // Up to four bytes a character; the cut backs off to the start of a UTF-8 sequence.
    if (pic.size() > 4 * columns) {
        std::size_t cut = 4 * columns;
        while (cut > 0 && (static_cast<unsigned char>(pic[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        pic = pic.substr(0, cut);
    }
    if (labels_.size() <= static_cast<std::size_t>(i)) {
        labels_.resize(static_cast<std::size_t>(i) + 1);
    }
    auto& [bytes, text] = labels_[static_cast<std::size_t>(i)];
    if (bytes != pic || text.isNull()) {
        bytes.assign(pic);
        text = ToQ(pic);
        if (static_cast<std::size_t>(text.size()) > columns) {
            auto keep = static_cast<qsizetype>(columns);
            if (text.at(keep - 1).isHighSurrogate()) {
                --keep;
            }
            text.truncate(keep);
        }
    }
    return text;
}

QString frmThreeD::ShownLabel(const LabelStep& label, const QFontMetricsF& metrics, double& width) {
    width = 0;
    if (!state_.AircraftList.Has(label.Aircraft)) {
        return {};
    }
    const QString& text = LabelText(label.Aircraft);
    const double room = Surface().width() - TwipsToPixels(label.X);
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

void frmThreeD::PlanObjects(const PictureTable& pictures) {
    const std::vector<ThreeDStep>& steps = drawing_.Steps;
    plan_.assign(steps.size(), StepPlan{});
    shownLabels_.clear();
    if (!SkipHidden) {
        return;
    }
    // Each object: a line, a dot, a picture and maybe a label; the nearest last.
    std::vector<std::size_t> starts;
    for (std::size_t i = drawing_.ObjectsBegin; i + 2 < steps.size();) {
        starts.push_back(i);
        i += 3;
        if (i < steps.size() && std::holds_alternative<LabelStep>(steps[i])) {
            ++i;
        }
    }
    Coverage coverage(Surface().width(), Surface().height());
    const QFontMetricsF metrics(Font(), &Surface());
    // Pictures in the surface's own format are copied whole: nothing under them shows.
    std::array<bool, 8> opaque{};
    for (std::size_t kind = 0; kind < opaque.size(); ++kind) {
        opaque[kind] =
            std::all_of(pictures[kind].begin(), pictures[kind].end(),
                        [&](const QImage* p) { return p->format() == Surface().format(); });
    }
    for (auto start = starts.rbegin(); start != starts.rend(); ++start) {
        const auto* line = std::get_if<LineStep>(&steps[*start]);
        const auto* dot = std::get_if<DotStep>(&steps[*start + 1]);
        const auto* shown = std::get_if<PictureStep>(&steps[*start + 2]);
        if (line == nullptr || dot == nullptr || shown == nullptr) {
            plan_.assign(steps.size(), StepPlan{});  // not an object's steps: paint everything
            return;
        }
        const QImage& picture =
            *pictures[static_cast<std::size_t>(shown->Picture)]
                     [static_cast<std::size_t>(std::clamp<int>(shown->Index, 0, 7))];
        // The label, over its own picture: only nearer pictures can cover it. Its box is
        // widened by a couple of pixels all round for glyphs that reach past their advance.
        if (*start + 3 < steps.size()) {
            if (const auto* label = std::get_if<LabelStep>(&steps[*start + 3])) {
                double width = 0;
                StepPlan& labelPlan = plan_[*start + 3];
                labelPlan.Text = static_cast<int>(shownLabels_.size());
                shownLabels_.push_back(ShownLabel(*label, metrics, width));
                const QRect box(TwipsToPixels(label->X) - 2, TwipsToPixels(label->Y) - 2,
                                static_cast<int>(std::ceil(width)) + 4,
                                static_cast<int>(std::ceil(metrics.height())) + 4);
                labelPlan.Skip = coverage.Covered(coverage.SpanOf(box));
            }
        }
        // The picture's rows that nearer pictures leave uncovered, first to last.
        const QRect whole = PicturePixels(*shown, picture);
        const Coverage::Span span = coverage.SpanOf(whole);
        StepPlan& picturePlan = plan_[*start + 2];
        // An opaque copy replaces every pixel under it.
        const bool covers = opaque[static_cast<std::size_t>(shown->Picture)];
        if (span.bottom - span.top < 64) {
            const uint64_t open = coverage.UncoveredRows(span, covers);
            picturePlan.Skip = open == 0;
            if (open != 0) {
                const int offset = span.top - whole.top();
                picturePlan.FirstRow = offset + std::countr_zero(open);
                picturePlan.LastRow = offset + 63 - std::countl_zero(open);
            }
        } else if (covers) {
            coverage.Cover(span);
        }
        // The stick and the dot lie under their own picture as well: in the plan view the
        // whole of both does.
        for (const auto& [plan, pixels] : {std::pair{&plan_[*start], LinePixels(*line)},
                                           std::pair{&plan_[*start + 1], DotPixels(*dot)}}) {
            plan->Skip =
                (covers && whole.contains(pixels)) || coverage.Covered(coverage.SpanOf(pixels));
        }
    }
}

void frmThreeD::Redraw() {
    if (!Loaded()) {
        return;
    }
    const Image& icon = windows_.MainForm().CntrFighter;
    const ThreeDWindow window{Width(),       Height(),      icon.Width(),
                              icon.Height(), North.Width(), North.Height()};
    velmora::Redraw(Scene, state_, window, drawing_);

    const PictureTable pictures = Pictures();
    PlanObjects(pictures);
    DrawingBatch batch(*this);
    // An object's stick, dot and label share one colour: convert it once.
    RgbColor lastRgb{};
    QColor color(Qt::black);
    auto colorOf = [&](const RgbColor& rgb) -> const QColor& {
        if (!(rgb == lastRgb)) {
            lastRgb = rgb;
            color = ToQColor(rgb);
        }
        return color;
    };
    for (std::size_t i = 0; i < drawing_.Steps.size(); ++i) {
        const ThreeDStep& step = drawing_.Steps[i];
        const StepPlan& plan = plan_[i];
        if (plan.Skip) {
            continue;
        }
        if (const auto* shown = std::get_if<PictureStep>(&step)) {
            const auto k = static_cast<std::size_t>(std::clamp<int>(shown->Index, 0, 7));
            const QImage& picture = *pictures[static_cast<std::size_t>(shown->Picture)][k];
            if (plan.FirstRow == 0 && plan.LastRow < 0) {
                PaintPicture(picture, shown->Left, shown->Top);
            } else {
                PaintPictureRows(picture, shown->Left, shown->Top, plan.FirstRow, plan.LastRow);
            }
        } else if (const auto* line = std::get_if<LineStep>(&step)) {
            SetForeColor(colorOf(line->Color));
            Line(line->X1, line->Y1, line->X2, line->Y2);
        } else if (const auto* dot = std::get_if<DotStep>(&step)) {
            SetForeColor(colorOf(dot->Color));
            SetFillColor(ForeColor());
            Circle(dot->X, dot->Y, dot->Radius);
        } else if (const auto* label = std::get_if<LabelStep>(&step)) {
            SetForeColor(colorOf(label->Color));
            SetCurrentX(label->X);
            SetCurrentY(label->Y);
            if (plan.Text >= 0) {
                Print(shownLabels_[static_cast<std::size_t>(plan.Text)]);
            } else {
                double width = 0;
                Print(ShownLabel(*label, QFontMetricsF(Font(), &Surface()), width));
            }
        } else {
            Cls();
        }
    }
}

}  // namespace velmora
