#include "GUI/main/GUIForm.h"

#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "GUI/Look.h"
#include "GUI/Text.h"
#include "GUI/Windows.h"
#include "GUI/main/SplashTitle.h"
#include "GUI/main/frmAbout.h"
#include "GUI/orders/frmFlightPad.h"
#include "GUI/orders/frmNamePassword.h"
#include "GUI/reports/frmCombatReport.h"
#include "GUI/reports/frmDamage.h"
#include "GUI/view3d/frmThreeD.h"
#include "model/SharedProcedures.h"
#include "model/SharedSubsAndVar.h"
#include "model/TurnFileReader.h"
#include "orders/PilotFile.h"
#include "pictures/Pictures.h"

namespace velmora {

namespace {

const QImage& PictureNamed(const QString& name) {
    return Pictures::instance().get(name);
}

// The information labels start right of the map and may reach the window's right edge, less the
// map's margin on the left.
constexpr float kInfoLeft = 5160;
constexpr float kInfoRight = 8175 - 120;

// The pilot file is two short lines; a larger file cannot hold a login worth reading whole.
constexpr qint64 kPilotFileReadLimit = 1 << 20;

}  // namespace

GUIForm::GUIForm(Windows& windows)
    : Form(windows.Svc), CmmnDlg(*this), windows_(windows), state_(windows.State) {
    WireHandlers();
}

// --- Design ---

void GUIForm::Design() {
    SetCaption("Skelmar Velmora v2.0");
    SetBorderStyle(BorderStyle::Sizable);
    SetMinButton(true);
    SetMaxButton(true);
    SetStartUpPosition(StartUpPosition::CenterScreen);
    SetInnerSize(8175, 5685);
    SetBackColor(Qt::black);
    SetForeColor(kLabelYellow);
    SetIcon(QIcon(QPixmap::fromImage(PictureNamed("AppIcon"))));
}

// The controls are placed once the splash is up (Form_Load): the window itself is shown only
// after its load, so the pilot first sees it whole all the same.
void GUIForm::DesignControls() {
    // Lowest first: the frame lines, the map, the own icon, the picture buttons.
    AddLine(Line4, 4920, 120, 120, 120);
    AddLine(Line2, 120, 5040, 4920, 5040);
    AddLine(Line3, 50, 0, 50, 4920);
    AddLine(Line1, 5040, 0, 5040, 4920);
    for (LineControl* line : {&Line4, &Line2}) {
        line->SetBorderWidth(20);
    }
    for (LineControl* line : {&Line3, &Line1}) {
        line->SetBorderWidth(15);
    }

    DesignPictures();
    DesignLabels();
    CmmnDlg.SetDialogTitle(ToQ(kTurnFileDialogTitle));
    DesignMenus();
}

// The picture buttons with their hidden looks, in z-order; a button first shows its released
// look. A double click on a zoom button zooms a second step.
struct GUIForm::PictureButton {
    Image& Button;
    Image& Pressed;
    Image& Released;
    const char* Down;
    const char* Up;
    float Left, Top, Width, Height;
    ClickHandler Click;
    bool DoubleClickRepeats = false;
};

std::vector<GUIForm::PictureButton> GUIForm::PictureButtons() {
    return {
        {FlightControlsBtn, FCdown, FCup, "FCdown", "FCup", 120, 120, 750, 750,
         [this] { menuFlightPad_Click(); }},
        {CombatBtn, CombatBtnDown, CombatBtnUp, "CombatBtnDown", "CombatBtnUp", 4200, 120, 750, 750,
         [this] { ShowCombatReport(); }},
        {ThreeD, ThreeDDown, ThreeDUp, "ThreeDDown", "ThreeDUp", 120, 4200, 750, 750,
         [this] { ShowThreeDMap(); }},
        {DamageBtn, DmgBtnDown, DmgBtnUp, "DmgBtnDown", "DmgBtnUp", 4200, 4200, 750, 750,
         [this] { ShowDamageReport(); }},
        {ZoomIn, ZoomInDown, ZoomInUp, "ZoomInDown", "ZoomInUp", 120, 5040, 1800, 450,
         [this] { ZoomIn_Click(); }, true},
        {ZoomOut, ZoomOutDown, ZoomOutUp, "ZoomOutDown", "ZoomOutUp", 2160, 5040, 1800, 450,
         [this] { ZoomOut_Click(); }, true},
        {ZoomRange, ZoomRngDown, ZoomRngUp, "ZoomRngDown", "ZoomRngUp", 4200, 5040, 1800, 450,
         [this] { ZoomRange_Click(); }},
        {OpenBtn, OpenDown, OpenUp, "OpenDown", "OpenUp", 6240, 5040, 1800, 450,
         [this] { menuOpen_Click(); }},
    };
}

std::vector<std::pair<Image*, QString>> GUIForm::PictureNames() {
    std::vector<std::pair<Image*, QString>> names = {
        {&ViewWindow, "ViewWindow"}, {&CntrFighter, "GoodGuy(0)"}, {&BullsEye, "BullsEye"}};
    for (const PictureButton& b : PictureButtons()) {
        names.insert(names.end(), {{&b.Button, b.Up}, {&b.Pressed, b.Down}, {&b.Released, b.Up}});
    }
    const std::pair<std::array<Image, 8>*, const char*> sets[] = {
        {&GoodGuy, "GoodGuy"}, {&Friendly, "Friendly"}, {&BadGuy, "BadGuy"}};
    for (const auto& [set, name] : sets) {
        for (std::size_t i = 0; i < set->size(); ++i) {
            names.emplace_back(&(*set)[i],
                               QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
        }
    }
    return names;
}

void GUIForm::DesignPictures() {
    Add(ViewWindow, 120, 120, 4800, 4800);
    ViewWindow.SetStretch(true);
    Add(CntrFighter, 2345, 2340, 360, 360);
    for (const PictureButton& b : PictureButtons()) {
        Add(b.Button, b.Left, b.Top, b.Width, b.Height);
        for (Image* holder : {&b.Pressed, &b.Released}) {
            Add(*holder, 0, 0, b.Width, b.Height);
            holder->SetVisible(false);
        }
    }
    for (std::array<Image, 8>* set : {&GoodGuy, &Friendly, &BadGuy}) {
        for (Image& image : *set) {
            Add(image, 0, 0, 360, 360);
            image.SetVisible(false);
        }
    }
    Add(BullsEye, 0, 0, 360, 360);
    BullsEye.SetVisible(false);
    Add(ACIcon, 0, 0, 375, 375);
    ACIcon.SetVisible(false);

    // Every image of the window is hidden until the splash or a turn file shows it.
    for (Image* image : {&ViewWindow, &CntrFighter, &FlightControlsBtn, &CombatBtn, &ThreeD,
                         &DamageBtn, &ZoomIn, &ZoomOut, &ZoomRange, &OpenBtn}) {
        image->SetVisible(false);
    }
    for (const auto& [image, name] : PictureNames()) {
        image->SetPicture(PictureNamed(name));
    }
}

void GUIForm::DesignLabels() {
    struct Info {
        Label& Control;
        float Top;
        const char* Caption;
        bool Heading;
        const char* Tip;
    };
    const Info labels[] = {
        {PName, 0, "Name", true, nullptr},
        {InfoSquad, 360, "Squadron:", false, nullptr},
        {InfoAircraft, 600, "Aircraft:", false, nullptr},
        {InfoSpeed, 840, "Airspeed: ", false, nullptr},
        {InfoAlt, 1080, "Altitude:", false, nullptr},
        {InfoBear, 1320, "Bearing:", false, nullptr},
        {InfoX, 1560, "X:", false, nullptr},
        {InfoY, 1800, "Y:", false, nullptr},
        {CombatInfoLbl, 2160, "Combat Info", true, nullptr},
        {infoDist, 2640, "Distance:", false,
         "The distance in Kilometers between you and the selected aircraft."},
        {infoForward, 2880, "In Forward Line-of-Sight:", false,
         "Tells whether or not the selected aircraft is in front of your aircraft."},
        {InfoElev, 3120, "Angle of Elevation:", false,
         "The angle of incline between your aircraft and the selected aircraft."},
        {infoProb, 3480, "Probability:", false,
         "Tells how likely it is that you will be able to damage the selected aircraft."},
        {RecordInfoLbl, 3840, "Record", true, nullptr},
        {InfoVictories, 4320, "Victories:", false, nullptr},
        {InfoDefeats, 4560, "Defeats:", false, nullptr},
    };
    for (const Info& info : labels) {
        Add(info.Control, kInfoLeft, info.Top, 0, 0);
        info.Control.SetVisible(false);
        info.Control.SetForeColor(kLabelYellow);
        if (info.Heading) {
            info.Control.SetFontSize(13.5f);
        } else {
            // Small enough that the widest caption the window writes, the distance of a contact
            // at the far corner of the largest zoom with its out-of-range remark
            // ("Distance: 53872.99 km  (Target out of range)"), fits beside the map.
            UseSmallFont({&info.Control}, 7.0f);
        }
        // Names and other texts of the turn file end in an ellipsis at the window's edge.
        info.Control.SetMaxWidth(kInfoRight - kInfoLeft);
        info.Control.SetAutoSize(true);
        info.Control.SetCaption(QString::fromUtf8(info.Caption));
        if (info.Tip != nullptr) {
            info.Control.SetToolTipText(QString::fromUtf8(info.Tip));
        }
    }
}

void GUIForm::DesignMenus() {
    AddMenu(menuFile, "&File");
    menuFile.Add(menuOpen, "&Open");
    menuFile.Add(menuExit, "&Exit");
    AddMenu(menuOptions, "&Options");
    menuOptions.Add(menuNPSet, "&Set Name and Password");
    menuOptions.Add(menuFlightPad, "&Flight Pad");
    menuOptions.Add(menuCombat, "&Combat Report");
    menuOptions.Add(menuThreeD, "3-D &Tactical Map");
    menuOptions.Add(menuDamage, "&Damage Report");
    AddMenu(menuHelp, "&Help");
    menuHelp.Add(helpContents, "&Contents");
    menuHelp.Add(menuAbout, "&About");
    menuFile.SetEnabled(false);
    menuOptions.SetVisible(false);
    menuHelp.SetEnabled(false);
}

void GUIForm::WireHandlers() {
    for (PictureButton& b : PictureButtons()) {
        WirePictureButton(b.Button, b.Pressed, b.Released);
        if (b.DoubleClickRepeats) {
            b.Button.DblClick = b.Click;
        }
        b.Button.Click = std::move(b.Click);
    }

    ViewWindow.Click = [this] { ViewWindow_Click(); };
    ViewWindow.MouseMove = [this](int Button, int Shift, float X, float Y) {
        ViewWindow_MouseMove(Button, Shift, X, Y);
    };
    CntrFighter.MouseMove = [this](int Button, int Shift, float X, float Y) {
        CntrFighter_MouseMove(Button, Shift, X, Y);
    };

    menuOpen.Click = [this] { menuOpen_Click(); };
    menuExit.Click = [this] { menuExit_Click(); };
    menuNPSet.Click = [this] { menuNPSet_Click(); };
    menuFlightPad.Click = [this] { menuFlightPad_Click(); };
    menuCombat.Click = [this] { ShowCombatReport(); };
    menuThreeD.Click = [this] { ShowThreeDMap(); };
    menuDamage.Click = [this] { ShowDamageReport(); };
    helpContents.Click = [this] { helpContents_Click(); };
    menuAbout.Click = [this] { menuAbout_Click(); };
}

// --- Start-up and redraw events ---

void GUIForm::Form_Load() {
    ZoomRange.SetToolTipText(QStringLiteral("Display only Fighters which are in range."));
    OpenBtn.SetToolTipText(QStringLiteral("Open an Skelmar Velmora data file for viewing."));

    LastObjective = 0;
    // The splash first: it is the first window the pilot sees, and it goes up before the rest
    // of this window is built.
    windows_.Splash().Show(this);
    DesignControls();
    state_.OrderHeading = state_.OwnHeading;
    state_.OrderAltitude = state_.OwnAltitude;
    state_.OrderThrottle = 100;
}

void GUIForm::Form_Resize() {
    RedrawWithOwnIcon();
}

void GUIForm::Form_GotFocus() {
    RedrawWithOwnIcon();
}

void GUIForm::Unlock() {
    OpenBtn.SetVisible(true);
    menuFile.SetEnabled(true);
    menuHelp.SetEnabled(true);
}

void GUIForm::ViewWindow_Click() {
    RedrawWithOwnIcon();
}

void GUIForm::RedrawWithOwnIcon() {
    RedrawTacticalView();
    CntrFighter.Refresh();
}

// --- The turn data file reader ---

void GUIForm::menuOpen_Click() {
    CmmnDlg.SetFilter(ToQ(kTurnFileFilter));
    if (!CmmnDlg.ShowOpen()) {
        return;
    }
    const ReadOutcome outcome =
        ReadTurnFile(QFile::encodeName(CmmnDlg.FileName()).toStdString(), state_);
    if (const std::optional<std::string_view> message = ReadEndMessage(outcome.End)) {
        MsgBox(ToQ(*message), MsgBoxButtons::OK, ToQ(kWrongHeaderTitle));
        return;
    }
    if (outcome.End != ReadEnd::Complete || !Loaded()) {
        return;
    }

    ShowViewControls();
    ViewWindow.Refresh();
    RedrawTacticalView();
    CntrFighter.SetPicture(
        GoodGuy[static_cast<std::size_t>(WrapSector(state_.OwnHeadingSector))].Picture());

    state_.SelectedAircraft = 1;
    CntrFighter_MouseMove(1, 1, 1.0f, 1.0f);
    for (Label* label : {&PName, &InfoSquad, &InfoAircraft, &InfoAlt, &InfoBear, &InfoSpeed, &InfoX,
                         &InfoY, &RecordInfoLbl, &InfoVictories, &InfoDefeats, &CombatInfoLbl,
                         &infoDist, &infoForward, &InfoElev, &infoProb}) {
        label->SetVisible(true);
    }

    StartOrderValues(state_);
    LoadNamePassword();
}

void GUIForm::ShowViewControls() {
    for (Image* image : {&ViewWindow, &CntrFighter, &ThreeD, &DamageBtn, &CombatBtn,
                         &FlightControlsBtn, &ZoomIn, &ZoomOut, &ZoomRange}) {
        image->SetVisible(true);
    }
    menuOptions.SetVisible(true);
}

void GUIForm::LoadNamePassword() {
    QFile file(ToQ(kPilotFileName));
    bool read = false;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.read(kPilotFileReadLimit);
        file.close();
        read = LoadPilotLogin(
            state_, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    if (!read) {
        windows_.NamePassword().Show(this);
    }
}

// --- Tactical view ---

ViewGeometry GUIForm::Geometry() const {
    auto box = [](const Image& image) {
        return ControlBox{image.Left(), image.Top(), image.Width(), image.Height()};
    };
    return {box(ViewWindow), box(CntrFighter)};
}

const QImage& GUIForm::PictureOf(const PictureOp& op) const {
    const auto index = static_cast<std::size_t>(WrapSector(op.Index));
    switch (op.Set) {
        case PictureSet::Friendly:
            return Friendly[index].Picture();
        case PictureSet::BadGuy:
            return BadGuy[index].Picture();
        case PictureSet::BullsEye:
            break;
    }
    return BullsEye.Picture();
}

void GUIForm::PaintMark(const PictureOp& op) {
    ACIcon.SetPicture(PictureOf(op));
    PaintPicture(ACIcon.Picture(), op.Left, op.Top);
}

void GUIForm::RedrawTacticalView() {
    for (const DrawOp& op : velmora::RedrawTacticalView(state_, Geometry())) {
        if (const auto* circle = std::get_if<CircleOp>(&op)) {
            Circle(static_cast<float>(circle->CenterX), static_cast<float>(circle->CenterY),
                   circle->Radius, ToQColor(circle->Color));
        } else {
            PaintMark(std::get<PictureOp>(op));
        }
    }
}

void GUIForm::ZoomIn_Click() {
    velmora::ZoomIn(state_);
    ViewWindow.Refresh();
    RedrawWithOwnIcon();
}

void GUIForm::ZoomOut_Click() {
    velmora::ZoomOut(state_);
    ViewWindow.Refresh();
    RedrawWithOwnIcon();
}

void GUIForm::ZoomRange_Click() {
    ZoomToRange(state_);
    ViewWindow.Refresh();
    RedrawWithOwnIcon();
}

// --- Own-aircraft and target information ---

void GUIForm::DrawFrame(const ControlBox& frame) {
    Line(frame.Left, frame.Top, frame.Width, frame.Height, LineMode::BoxRelative);
}

void GUIForm::ApplyLabels(const InfoLabels& labels) {
    const std::pair<const LabelUpdate*, Label*> pairs[] = {
        {&labels.PName, &PName},
        {&labels.InfoSquad, &InfoSquad},
        {&labels.InfoAircraft, &InfoAircraft},
        {&labels.InfoSpeed, &InfoSpeed},
        {&labels.InfoAlt, &InfoAlt},
        {&labels.InfoBear, &InfoBear},
        {&labels.InfoX, &InfoX},
        {&labels.InfoY, &InfoY},
        {&labels.CombatInfoLbl, &CombatInfoLbl},
        {&labels.infoDist, &infoDist},
        {&labels.infoForward, &infoForward},
        {&labels.InfoElev, &InfoElev},
        {&labels.infoProb, &infoProb},
        {&labels.RecordInfoLbl, &RecordInfoLbl},
        {&labels.InfoVictories, &InfoVictories},
        {&labels.InfoDefeats, &InfoDefeats},
    };
    for (const auto& [update, label] : pairs) {
        if (update->Caption) {
            label->SetCaption(ShownText(*update->Caption));
        }
        if (update->ForeColor) {
            label->SetForeColor(ToQColor(*update->ForeColor));
        }
        if (update->Visible) {
            label->SetVisible(*update->Visible);
        }
        if (update->ToolTipText) {
            label->SetToolTipText(ShownText(*update->ToolTipText));
        }
    }
}

void GUIForm::CntrFighter_MouseMove(int, int, float, float) {
    const std::optional<OwnAircraftShown> shown = CntrFighterPointerMove(state_, Geometry());
    if (!shown) {
        return;
    }
    ApplyLabels(shown->Labels);
    RedrawWithOwnIcon();
    DrawFrame(shown->Frame);
    state_.SelectedAircraft = 0;
    LastObjective = 0;
}

void GUIForm::ViewWindow_MouseMove(int, int, float X, float Y) {
    const PointerMoveResult result = ViewWindowPointerMove(state_, Geometry(), LastObjective, X, Y);
    if (result.Shown.empty()) {
        return;
    }
    // Each contact shown is drawn over a fresh redraw. A redraw paints the same pixels whatever
    // lies under them, so the marks of the earlier contacts survive only where the last redraw
    // does not paint: drawing them first and redrawing once gives the same picture, and a stack
    // of contacts under the pointer costs one redraw instead of one each. A mark covers its
    // whole square, frame included, so of the marks on one square only the last is drawn.
    const ContactShown& last = result.Shown.back();
    std::set<std::pair<int, int>> covered{{last.Picture.Left, last.Picture.Top}};
    std::vector<const ContactShown*> earlier;
    for (auto it = result.Shown.rbegin() + 1; it != result.Shown.rend(); ++it) {
        if (covered.insert({it->Picture.Left, it->Picture.Top}).second) {
            earlier.push_back(&*it);
        }
    }
    for (auto it = earlier.rbegin(); it != earlier.rend(); ++it) {
        PaintMark((*it)->Picture);
        DrawFrame((*it)->Frame);
    }
    RedrawWithOwnIcon();
    PaintMark(last.Picture);
    DrawFrame(last.Frame);
    ApplyLabels(result.Labels);
    state_.SelectedAircraft = result.SelectedAircraft;
    LastObjective = result.LastObjective;
}

// --- Buttons and menus ---

void GUIForm::menuExit_Click() {
    Unload();
}

void GUIForm::menuNPSet_Click() {
    windows_.NamePassword().Show(this);
}

void GUIForm::menuFlightPad_Click() {
    windows_.FlightPad().Show(this);
}

void GUIForm::helpContents_Click() {
    CmmnDlg.SetHelpCommand(9);
    CmmnDlg.SetHelpFile(QStringLiteral("help.hlp"));
    CmmnDlg.ShowHelp();
}

void GUIForm::menuAbout_Click() {
    windows_.About().Show(this);
}

void GUIForm::ShowThreeDMap() {
    windows_.ThreeD().Show(this);
}

void GUIForm::ShowCombatReport() {
    windows_.CombatReport().Show(this);
}

void GUIForm::ShowDamageReport() {
    windows_.Damage().Show(this);
}

}  // namespace velmora
