#include "frmFlightPad.h"

#include "Windows.h"

namespace velmora {

frmFlightPad::frmFlightPad(Windows& windows) : Form(windows.Svc), windows_(windows) {}

void frmFlightPad::Design() {
    SetCaption("Flight Control Pad");
}

}  // namespace velmora
