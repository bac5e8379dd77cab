#pragma once
// The flight control pad: arrows for heading, altitude and throttle over the fighter picture,
// the Maneuvers and Radio menus, and Generate. The check marks of the menu items are the only
// record of the maneuvers and custom commands chosen; they go when the pad closes.

#include <array>

#include "orders/FlightPad.h"
#include "platform/Form.h"

namespace velmora {

class Windows;

class frmFlightPad : public Form {
public:
    explicit frmFlightPad(Windows& windows);

    // The check marks as the menu items hold them; all clear while the pad is closed.
    PadChecks Checks() const;

    void ShowHeading();
    // Both clamp the value in the shared state before showing it.
    void ShowAltitude();
    void ShowThrottle();

    Label lblHead, lblAlt, lblThrottle;
    Image Image1;
    Image HeadLeft, HeadRight, AltUp, AltDown, ThrottleUp, ThrottleDown, Generate;
    // Hidden holders of the released and pressed looks.
    Image GenerateUp, GenerateDown, LeftUp, LeftDown, RightUp, RightDown, UpUp, UpDown, DownUp,
        DownDown;

    MenuItem MenuRadio, radioPrivate, menuSquadron, menuTeam, spc1, menuClear;
    MenuItem menuMan, menuImmel, menuSplit, manuspc, menuBail;
    std::array<MenuItem, kPadCommandItems> menuprc;

protected:
    void Design() override;
    void Form_Load() override;

private:
    void WireArrow(Image& button, PadArrow arrow, Image& pressed, Image& released);
    void Arrow_Step(PadArrow arrow, ArrowEvent event);
    void ApplyChecks(const PadChecks& checks);

    void menuImmel_Click();
    void menuSplit_Click();
    void menuBail_Click();
    void menuprc_Click(int Index);
    void Radio_Click(int16_t kind);
    void menuClear_Click();
    void Generate_Click();

    Windows& windows_;
};

}  // namespace velmora
