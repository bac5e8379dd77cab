#include "GUI/view3d/frmThreeD.h"

#include <QIcon>
#include <QPixmap>
#include <algorithm>

#include "GUI/Look.h"
#include "GUI/Text.h"
#include "GUI/Windows.h"
#include "model/Numbers.h"
#include "model/SharedSubsAndVar.h"
#include "model/TextLines.h"
#include "pictures/Pictures.h"

namespace velmora {

namespace {

const QImage& PictureNamed(const QString& name) {
    return Pictures::instance().get(name);
}

}  // namespace

frmThreeD::frmThreeD(Windows& windows, const ThreeDPictures& pictures)
    : Form(windows.Svc), state_(windows.State), pictures_(pictures), objects_(*this) {
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
    SetIcon(QIcon(QPixmap::fromImage(PictureNamed("ThreeDIcon"))));

    const std::pair<Image*, const char*> markers[] = {
        {&North, "North"}, {&East, "East"}, {&South, "South"}, {&West, "West"}};
    float top = 240;
    for (const auto& [image, name] : markers) {
        Add(*image, 4680, top, 375, 375);
        image->SetPicture(PictureNamed(QLatin1String(name)));
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

const QImage& frmThreeD::PictureOf(const PictureStep& step) const {
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
            return pictures_.Friendly[k].Picture();
        case ScenePicture::BadGuy:
            return pictures_.BadGuy[k].Picture();
        case ScenePicture::GoodGuy:
            return pictures_.GoodGuy[k].Picture();
        case ScenePicture::BullsEye:
            break;
    }
    return pictures_.BullsEye.Picture();
}

const QString& frmThreeD::LabelText(int i) {
    const auto columns = static_cast<std::size_t>(std::max(1, TwipsToPixels(InnerWidth())));
    std::string_view pic = state_.AircraftList(i).Pic;
    // No more characters than the window has pixel columns can show; up to four bytes each.
    if (pic.size() > 4 * columns) {
        pic = pic.substr(0, Utf8Boundary(pic, 4 * columns));
    }
    if (labels_.size() <= static_cast<std::size_t>(i)) {
        labels_.resize(static_cast<std::size_t>(i) + 1);
    }
    auto& [bytes, text] = labels_[static_cast<std::size_t>(i)];
    if (bytes != pic || text.isNull()) {
        bytes.assign(pic);
        text = FirstCharacters(pic, static_cast<qsizetype>(columns));
    }
    return text;
}

void frmThreeD::Redraw() {
    if (!Loaded()) {
        return;
    }
    const ThreeDSizes sizes{
        Width(),       Height(),      pictures_.OwnIcon.Width(), pictures_.OwnIcon.Height(),
        North.Width(), North.Height()};
    velmora::Redraw(Scene, state_, sizes, drawing_);

    DrawingBatch batch(*this);
    const std::vector<ThreeDStep>& steps = drawing_.Steps;
    // Under the objects: the back colour, the compass markers and the grid.
    for (std::size_t i = 0; i < drawing_.ObjectsBegin; ++i) {
        if (const auto* shown = std::get_if<PictureStep>(&steps[i])) {
            PaintPicture(PictureOf(*shown), shown->Left, shown->Top);
        } else if (const auto* line = std::get_if<LineStep>(&steps[i])) {
            SetForeColor(ToQColor(line->Color));
            Line(line->X1, line->Y1, line->X2, line->Y2);
        } else if (std::holds_alternative<ClearStep>(steps[i])) {
            Cls();
        }
    }
    // The objects, nearest first: in a crowded sky most of the far ones lie under them.
    auto rgb = [](const RgbColor& c) { return qRgb(c.R, c.G, c.B); };
    for (std::size_t i = steps.size(); i-- > drawing_.ObjectsBegin;) {
        if (const auto* shown = std::get_if<PictureStep>(&steps[i])) {
            objects_.Picture(PictureOf(*shown), shown->Left, shown->Top);
        } else if (const auto* line = std::get_if<LineStep>(&steps[i])) {
            objects_.Line(line->X1, line->Y1, line->X2, line->Y2, rgb(line->Color));
        } else if (const auto* dot = std::get_if<DotStep>(&steps[i])) {
            objects_.Circle(dot->X, dot->Y, dot->Radius, rgb(dot->Color));
        } else if (const auto* label = std::get_if<LabelStep>(&steps[i]);
                   label != nullptr && state_.AircraftList.Has(label->Aircraft)) {
            objects_.Text(LabelText(label->Aircraft), label->X, label->Y, rgb(label->Color));
        }
    }
    objects_.Paint();
}

}  // namespace velmora
