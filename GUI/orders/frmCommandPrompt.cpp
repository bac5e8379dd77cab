#include "frmCommandPrompt.h"

#include "Windows.h"

namespace velmora {

frmCommandPrompt::frmCommandPrompt(Windows& windows) : Form(windows.Svc), windows_(windows) {}

void frmCommandPrompt::Design() {
    SetCaption("Flight Command Prompt");
}

}  // namespace velmora
