#include "GUI/Windows.h"

#include "GUI/main/GUIForm.h"
#include "GUI/main/SplashTitle.h"
#include "GUI/main/frmAbout.h"
#include "GUI/orders/frmCommandPrompt.h"
#include "GUI/orders/frmFlightPad.h"
#include "GUI/orders/frmGenerator.h"
#include "GUI/orders/frmNamePassword.h"
#include "GUI/orders/frmRadio.h"
#include "GUI/reports/frmCombatReport.h"
#include "GUI/reports/frmDamage.h"
#include "GUI/view3d/frmThreeD.h"

namespace velmora {

Windows::Windows(SharedSubsAndVar& state, Services& services)
    : State(state),
      Svc(services),
      guiForm_(std::make_unique<GUIForm>(*this)),
      splash_(std::make_unique<SplashTitle>(*this)),
      about_(std::make_unique<frmAbout>(*this)),
      namePassword_(std::make_unique<frmNamePassword>(*this)),
      flightPad_(std::make_unique<frmFlightPad>(*this)),
      commandPrompt_(std::make_unique<frmCommandPrompt>(*this)),
      radio_(std::make_unique<frmRadio>(*this)),
      generator_(std::make_unique<frmGenerator>(*this)),
      combatReport_(std::make_unique<frmCombatReport>(*this)),
      damage_(std::make_unique<frmDamage>(*this)),
      threeD_(std::make_unique<frmThreeD>(
          *this, ThreeDPictures{guiForm_->GoodGuy, guiForm_->Friendly, guiForm_->BadGuy,
                                guiForm_->BullsEye, guiForm_->CntrFighter})) {}

Windows::~Windows() {
    // Owned windows first, the main window last.
    threeD_.reset();
    damage_.reset();
    combatReport_.reset();
    generator_.reset();
    radio_.reset();
    commandPrompt_.reset();
    flightPad_.reset();
    namePassword_.reset();
    about_.reset();
    splash_.reset();
    guiForm_.reset();
}

}  // namespace velmora
