#pragma once
// The main window: the tactical view with the own icon at its centre, the eight picture buttons,
// the sixteen information labels and the menus. It is the start-up window: the program ends when
// it is unloaded. It also holds, hidden, the aircraft and objective pictures that the view and
// the 3-D map paint.

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/TacticalView.h"
#include "model/TargetInfo.h"
#include "platform/Form.h"

namespace velmora {

class Windows;
struct SharedSubsAndVar;

class GUIForm : public Form {
public:
    explicit GUIForm(Windows& windows);

    // Visible controls, bottom of the z-order first after the frame lines
    Image ViewWindow;
    Image CntrFighter;
    Image FlightControlsBtn, CombatBtn, ThreeD, DamageBtn;
    Image ZoomIn, ZoomOut, ZoomRange, OpenBtn;

    // Hidden picture sets; element i shows the nose toward heading sector i
    std::array<Image, 8> GoodGuy, Friendly, BadGuy;
    Image BullsEye;
    Image ACIcon;  // holds the picture about to be painted

    // Hidden pressed and released looks of the picture buttons
    Image FCdown, FCup, CombatBtnDown, CombatBtnUp, DmgBtnDown, DmgBtnUp, ThreeDDown, ThreeDUp;
    Image OpenDown, OpenUp, ZoomInDown, ZoomInUp, ZoomOutDown, ZoomOutUp, ZoomRngDown, ZoomRngUp;

    LineControl Line1, Line2, Line3, Line4;

    Label PName, InfoSquad, InfoAircraft, InfoSpeed, InfoAlt, InfoBear, InfoX, InfoY;
    Label CombatInfoLbl, infoDist, infoForward, InfoElev, infoProb;
    Label RecordInfoLbl, InfoVictories, InfoDefeats;

    CommonDialog CmmnDlg;

    MenuItem menuFile, menuOpen, menuExit;
    MenuItem menuOptions, menuNPSet, menuFlightPad, menuCombat, menuThreeD, menuDamage;
    MenuItem menuHelp, helpContents, menuAbout;

    // The ObjectiveList index of the objective on the labels; 0 when none is.
    int16_t LastObjective = 0;

    // The turn data file reader: File > Open and the Open button.
    void menuOpen_Click();
    void RedrawTacticalView();
    // Reads the pilot file into the login, or asks for the login when it cannot be read.
    void LoadNamePassword();

    // The splash has gone, however it went: the Open button, File and Help become usable.
    void Unlock();

    void CntrFighter_MouseMove(int Button, int Shift, float X, float Y);
    void ViewWindow_MouseMove(int Button, int Shift, float X, float Y);

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_GotFocus() override;

private:
    struct PictureButton;
    std::vector<PictureButton> PictureButtons();
    // Each image with the name of its picture in the registry.
    std::vector<std::pair<Image*, QString>> PictureNames();
    void DesignControls();
    void DesignPictures();
    void DesignLabels();
    void DesignMenus();
    void WireHandlers();

    ViewGeometry Geometry() const;
    const QImage& PictureOf(const PictureOp& op) const;
    void PaintMark(const PictureOp& op);
    void DrawFrame(const ControlBox& frame);
    void ApplyLabels(const InfoLabels& labels);
    void RedrawWithOwnIcon();
    void ShowViewControls();

    void ViewWindow_Click();
    void ZoomIn_Click();
    void ZoomOut_Click();
    void ZoomRange_Click();
    void menuExit_Click();
    void menuNPSet_Click();
    void menuFlightPad_Click();
    void helpContents_Click();
    void menuAbout_Click();

    // The windows of the four corner buttons and their Options items, owned by this window.
    void ShowThreeDMap();
    void ShowCombatReport();
    void ShowDamageReport();

    Windows& windows_;
    SharedSubsAndVar& state_;
};

}  // namespace velmora
