#include "frmThreeD.h"

#include <QIcon>
#include <QPixmap>
#include <algorithm>

#include "Text.h"
#include "Windows.h"
#include "main/GUIForm.h"
#include "model/Numbers.h"
#include "model/SharedSubsAndVar.h"
#include "pictures/Pictures.h"

namespace velmora {

namespace {

const QImage& picture(const QString& name) {
    return Pictures::instance().get(name);
}

QColor toQColor(const RgbColor& c) {
    return {c.R, c.G, c.B};
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

const QString& frmThreeD::VisibleLabel(int i) {
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

void frmThreeD::Redraw() {
    if (!Loaded()) {
        return;
    }
    const Image& icon = windows_.MainForm().CntrFighter;
    const ThreeDWindow window{Width(),       Height(),       icon.Width(),
                              icon.Height(), North.Width(), North.Height()};
    velmora::Redraw(Scene, state_, window, drawing_);

    const PictureTable pictures = Pictures();
    DrawingBatch batch(*this);
    // An object's stick, dot and label share one colour: convert it once.
    RgbColor lastRgb{};
    QColor color(Qt::black);
    auto colorOf = [&](const RgbColor& rgb) -> const QColor& {
        if (!(rgb == lastRgb)) {
            lastRgb = rgb;
            color = toQColor(rgb);
        }
        return color;
    };
    for (const ThreeDStep& step : drawing_.Steps) {
        if (const auto* shown = std::get_if<PictureStep>(&step)) {
            const auto k = static_cast<std::size_t>(std::clamp<int>(shown->Index, 0, 7));
            PaintPicture(*pictures[static_cast<std::size_t>(shown->Picture)][k], shown->Left,
                         shown->Top);
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
            if (state_.AircraftList.Has(label->Aircraft)) {
                Print(VisibleLabel(label->Aircraft));
            }
        } else {
            Cls();
        }
    }
}

}  // namespace velmora
