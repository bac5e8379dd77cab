#include "GUI/orders/frmFlightPad.h"

#include "GUI/Look.h"
#include "GUI/Text.h"
#include "GUI/Windows.h"
#include "GUI/orders/frmCommandPrompt.h"
#include "GUI/orders/frmGenerator.h"
#include "GUI/orders/frmRadio.h"
#include "pictures/Pictures.h"

namespace velmora {

namespace {

// A command name from the turn file fills at most this many characters of the Maneuvers menu,
// so that the menu stays a menu's width.
constexpr qsizetype kMenuCaptionLimit = 40;

// A command name from the turn file is shown as it is: an ampersand is no access key.
QString MenuCaption(const std::string& name) {
    return ShownText(name, kMenuCaptionLimit).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

frmFlightPad::frmFlightPad(Windows& windows) : Form(windows.Svc), windows_(windows) {
    WireArrow(HeadLeft, PadArrow::HeadLeft, LeftDown, LeftUp);
    WireArrow(HeadRight, PadArrow::HeadRight, RightDown, RightUp);
    WireArrow(AltUp, PadArrow::AltUp, UpDown, UpUp);
    WireArrow(AltDown, PadArrow::AltDown, DownDown, DownUp);
    WireArrow(ThrottleUp, PadArrow::ThrottleUp, UpDown, UpUp);
    WireArrow(ThrottleDown, PadArrow::ThrottleDown, DownDown, DownUp);
    WirePictureButton(Generate, GenerateDown, GenerateUp);
    Generate.Click = [this] { Generate_Click(); };

    menuImmel.Click = [this] { menuImmel_Click(); };
    menuSplit.Click = [this] { menuSplit_Click(); };
    menuBail.Click = [this] { menuBail_Click(); };
    for (int i = 0; i < kPadCommandItems; ++i) {
        menuprc[static_cast<std::size_t>(i)].Click = [this, i] { menuprc_Click(i); };
    }
    radioPrivate.Click = [this] { Radio_Click(kRadioPrivate); };
    menuSquadron.Click = [this] { Radio_Click(kRadioSquadron); };
    menuTeam.Click = [this] { Radio_Click(kRadioTeam); };
    menuClear.Click = [this] { menuClear_Click(); };
}

// Click and DblClick each apply their own step (a double click delivers both).
void frmFlightPad::WireArrow(Image& button, PadArrow arrow, Image& pressed, Image& released) {
    WirePictureButton(button, pressed, released);
    button.Click = [this, arrow] { Arrow_Step(arrow, ArrowEvent::Click); };
    button.DblClick = [this, arrow] { Arrow_Step(arrow, ArrowEvent::DblClick); };
}

void frmFlightPad::Design() {
    SetCaption("Flight Control Pad");
    SetBorderStyle(BorderStyle::FixedToolWindow);
    SetShowInTaskbar(false);
    SetInnerSize(2370, 3360);
    SetBackColor(Qt::black);
    SetManualPosition(45, 2565);

    const Pictures& pictures = Pictures::instance();
    // The fighter first, so that every button lies above it.
    Add(Image1, 120, 480, 2025, 1680);
    Image1.SetPicture(pictures.get("Image1"));

    struct Holder {
        Image& Look;
        const char* Name;
    };
    const Holder holders[] = {
        {GenerateUp, "GenerateUp"},
        {GenerateDown, "GenerateDown"},
        {LeftUp, "LeftUp"},
        {LeftDown, "LeftDown"},
        {RightUp, "RightUp"},
        {RightDown, "RightDown"},
        {UpUp, "UpUp"},
        {UpDown, "UpDown"},
        {DownUp, "DownUp"},
        {DownDown, "DownDown"},
    };
    for (const Holder& holder : holders) {
        Add(holder.Look, 0, 0, 375, 375);
        holder.Look.SetVisible(false);
        holder.Look.SetPicture(pictures.get(QLatin1String(holder.Name)));
    }

    struct Button {
        Image& Control;
        float Left, Top, Width, Height;
        const Image& Released;
    };
    const Button buttons[] = {
        {HeadLeft, 480, 360, 375, 375, LeftUp},       {HeadRight, 1440, 360, 375, 375, RightUp},
        {AltUp, 240, 1320, 375, 375, UpUp},           {AltDown, 240, 1800, 375, 375, DownUp},
        {ThrottleUp, 1680, 1320, 375, 375, UpUp},     {ThrottleDown, 1680, 1800, 375, 375, DownUp},
        {Generate, 120, 2520, 2175, 705, GenerateUp},
    };
    for (const Button& button : buttons) {
        Add(button.Control, button.Left, button.Top, button.Width, button.Height);
        button.Control.SetPicture(button.Released.Picture());
    }

    struct Caption {
        Label& Control;
        const char* Text;
        float Left, Top;
    };
    const Caption captions[] = {
        {lblHead, "Heading:", 720, 120},
        {lblAlt, "Altitude:", 120, 2280},
        {lblThrottle, "Throttle:", 1320, 2280},
    };
    for (const Caption& caption : captions) {
        Add(caption.Control, caption.Left, caption.Top, 0, 0);
        caption.Control.SetForeColor(kLabelYellow);
        UseSmallFont({&caption.Control});
        caption.Control.SetAutoSize(true);
        caption.Control.SetCaption(QLatin1String(caption.Text));
    }

    AddMenu(MenuRadio, "Radio");
    MenuRadio.Add(radioPrivate, "Private");
    MenuRadio.Add(menuSquadron, "Squadron");
    MenuRadio.Add(menuTeam, "Team");
    MenuRadio.Add(spc1, "-");
    MenuRadio.Add(menuClear, "Clear all Radio Messages");

    AddMenu(menuMan, "Maneuvers");
    menuMan.Add(menuImmel, "Immelmann");
    menuMan.Add(menuSplit, "Split S");
    for (MenuItem& item : menuprc) {
        menuMan.Add(item, "prc");
        item.SetVisible(false);
    }
    menuMan.Add(manuspc, "-");
    menuMan.Add(menuBail, "Bail Out");
}

void frmFlightPad::Form_Load() {
    ShowHeading();
    ShowAltitude();
    ShowThrottle();
    // Only the first five commands of the turn have an item; the rest are never offered.
    const std::vector<std::string> names = PadCommandCaptions(windows_.State);
    for (std::size_t i = 0; i < names.size() && i < menuprc.size(); ++i) {
        menuprc[i].SetCaption(MenuCaption(names[i]));
        menuprc[i].SetVisible(true);
    }
}

PadChecks frmFlightPad::Checks() const {
    PadChecks checks;
    checks.Immelmann = menuImmel.Checked();
    checks.SplitS = menuSplit.Checked();
    checks.BailOut = menuBail.Checked();
    for (std::size_t i = 0; i < menuprc.size(); ++i) {
        checks.Commands[i] = menuprc[i].Checked();
    }
    checks.RadioPrivate = radioPrivate.Checked();
    checks.RadioSquadron = menuSquadron.Checked();
    checks.RadioTeam = menuTeam.Checked();
    return checks;
}

void frmFlightPad::ApplyChecks(const PadChecks& checks) {
    menuImmel.SetChecked(checks.Immelmann);
    menuSplit.SetChecked(checks.SplitS);
    menuBail.SetChecked(checks.BailOut);
    for (std::size_t i = 0; i < menuprc.size(); ++i) {
        menuprc[i].SetChecked(checks.Commands[i]);
    }
    radioPrivate.SetChecked(checks.RadioPrivate);
    menuSquadron.SetChecked(checks.RadioSquadron);
    menuTeam.SetChecked(checks.RadioTeam);
}

void frmFlightPad::ShowHeading() {
    lblHead.SetCaption(ToQ(HeadingCaption(windows_.State.OrderHeading)));
}

void frmFlightPad::ShowAltitude() {
    ClampOrderAltitude(windows_.State);
    lblAlt.SetCaption(ToQ(AltitudeCaption(windows_.State.OrderAltitude)));
}

void frmFlightPad::ShowThrottle() {
    ClampOrderThrottle(windows_.State);
    lblThrottle.SetCaption(ToQ(ThrottleCaption(windows_.State.OrderThrottle)));
}

void frmFlightPad::Arrow_Step(PadArrow arrow, ArrowEvent event) {
    StepArrow(windows_.State, arrow, event);
    switch (arrow) {
        case PadArrow::HeadLeft:
        case PadArrow::HeadRight:
            ShowHeading();
            break;
        case PadArrow::AltUp:
        case PadArrow::AltDown:
            ShowAltitude();
            break;
        case PadArrow::ThrottleUp:
        case PadArrow::ThrottleDown:
            ShowThrottle();
            break;
    }
}

void frmFlightPad::menuImmel_Click() {
    PadChecks checks = Checks();
    PickImmelmann(checks);
    ApplyChecks(checks);
}

void frmFlightPad::menuSplit_Click() {
    PadChecks checks = Checks();
    PickSplitS(checks);
    ApplyChecks(checks);
}

void frmFlightPad::menuBail_Click() {
    PadChecks checks = Checks();
    PickBailOut(checks);
    ApplyChecks(checks);
}

void frmFlightPad::menuprc_Click(int Index) {
    PadChecks checks = Checks();
    const bool ask = PickCustomCommand(windows_.State, checks, Index);
    ApplyChecks(checks);
    if (!ask) {
        return;
    }
    // An open prompt leaves the command it was asking about and starts on this one.
    frmCommandPrompt& prompt = windows_.CommandPrompt();
    if (prompt.Loaded()) {
        prompt.Restart();
    }
    prompt.Show(this);
}

void frmFlightPad::Radio_Click(int16_t kind) {
    PadChecks checks = Checks();
    PickRadio(windows_.State, checks, kind);
    ApplyChecks(checks);
    // An open radio window takes on the new kind at once, so what it shows is what Continue
    // will write.
    frmRadio& radio = windows_.Radio();
    if (radio.Loaded()) {
        radio.ShowRadioKind();
    }
    radio.Show(this);
}

void frmFlightPad::menuClear_Click() {
    if (MsgBox(ToQ(kClearRadioQuestion), MsgBoxButtons::YesNo) != MsgBoxResult::Yes) {
        return;
    }
    PadChecks checks = Checks();
    ClearRadioMessages(windows_.State, checks);
    ApplyChecks(checks);
}

void frmFlightPad::Generate_Click() {
    windows_.Generator().Show(this);
}

}  // namespace velmora
