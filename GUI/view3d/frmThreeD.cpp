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

const QImage& frmThreeD::PictureOf(const PictureStep& step) const {
    GUIForm& main = windows_.MainForm();
    const auto k = static_cast<std::size_t>(std::clamp<int>(step.Index, 0, 7));
    switch (step.Picture) {
        case ScenePicture::North:
            return North.Picture();
        case ScenePicture::South:
            return South.Picture();
        case ScenePicture::East:
            return East.Picture();
        case ScenePicture::West:
            return West.Picture();
        case ScenePicture::Friendly:
            return main.Friendly[k].Picture();
        case ScenePicture::BadGuy:
            return main.BadGuy[k].Picture();
        case ScenePicture::GoodGuy:
            return main.GoodGuy[k].Picture();
        case ScenePicture::BullsEye:
            break;
    }
    return main.BullsEye.Picture();
}

QString frmThreeD::VisibleLabel(std::string_view pic) {
    const auto columns = static_cast<std::size_t>(std::max(1, Surface().width()));
    // Up to four bytes a character; the cut backs off to the start of a UTF-8 sequence.
    if (pic.size() > 4 * columns) {
        std::size_t cut = 4 * columns;
        while (cut > 0 && (static_cast<unsigned char>(pic[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        pic = pic.substr(0, cut);
    }
    QString text = ToQ(pic);
    if (static_cast<std::size_t>(text.size()) > columns) {
        auto keep = static_cast<qsizetype>(columns);
        if (text.at(keep - 1).isHighSurrogate()) {
            --keep;
        }
        text.truncate(keep);
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

    DrawingBatch batch(*this);
    for (const ThreeDStep& step : drawing_.Steps) {
        if (const auto* line = std::get_if<LineStep>(&step)) {
            SetForeColor(toQColor(line->Color));
            Line(line->X1, line->Y1, line->X2, line->Y2);
        } else if (const auto* dot = std::get_if<DotStep>(&step)) {
            SetForeColor(toQColor(dot->Color));
            SetFillColor(ForeColor());
            Circle(dot->X, dot->Y, dot->Radius);
        } else if (const auto* shown = std::get_if<PictureStep>(&step)) {
            PaintPicture(PictureOf(*shown), shown->Left, shown->Top);
        } else if (const auto* label = std::get_if<LabelStep>(&step)) {
            SetForeColor(toQColor(label->Color));
            SetCurrentX(label->X);
            SetCurrentY(label->Y);
            Print(VisibleLabel(label->Text));
        } else {
            Cls();
        }
    }
}

}  // namespace velmora
