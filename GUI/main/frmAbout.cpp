#include "frmAbout.h"

#include "Windows.h"

namespace velmora {

frmAbout::frmAbout(Windows& windows) : Form(windows.Svc), windows_(windows) {}

void frmAbout::Design() {
    SetCaption("About Skelmar Velmora");
}

}  // namespace velmora
