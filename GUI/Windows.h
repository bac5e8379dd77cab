#pragma once
// The one instance of every window, created at start-up and kept for the whole run: a window
// that is closed keeps its own variables for the next time it is shown.

#include <memory>

namespace velmora {

struct SharedSubsAndVar;
class Services;
class GUIForm;
class SplashTitle;
class frmAbout;
class frmNamePassword;
class frmFlightPad;
class frmCommandPrompt;
class frmRadio;
class frmGenerator;
class frmCombatReport;
class frmDamage;
class frmThreeD;

class Windows {
public:
    Windows(SharedSubsAndVar& state, Services& services);
    ~Windows();
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    SharedSubsAndVar& State;
    Services& Svc;

    GUIForm& MainForm() { return *guiForm_; }
    SplashTitle& Splash() { return *splash_; }
    frmAbout& About() { return *about_; }
    frmNamePassword& NamePassword() { return *namePassword_; }
    frmFlightPad& FlightPad() { return *flightPad_; }
    frmCommandPrompt& CommandPrompt() { return *commandPrompt_; }
    frmRadio& Radio() { return *radio_; }
    frmGenerator& Generator() { return *generator_; }
    frmCombatReport& CombatReport() { return *combatReport_; }
    frmDamage& Damage() { return *damage_; }
    frmThreeD& ThreeD() { return *threeD_; }

private:
    // Declared so that the owned windows go before the main window.
    std::unique_ptr<GUIForm> guiForm_;
    std::unique_ptr<SplashTitle> splash_;
    std::unique_ptr<frmAbout> about_;
    std::unique_ptr<frmNamePassword> namePassword_;
    std::unique_ptr<frmFlightPad> flightPad_;
    std::unique_ptr<frmCommandPrompt> commandPrompt_;
    std::unique_ptr<frmRadio> radio_;
    std::unique_ptr<frmGenerator> generator_;
    std::unique_ptr<frmCombatReport> combatReport_;
    std::unique_ptr<frmDamage> damage_;
    std::unique_ptr<frmThreeD> threeD_;
};

}  // namespace velmora
