#include "frmNamePassword.h"

#include "Windows.h"

namespace velmora {

frmNamePassword::frmNamePassword(Windows& windows) : Form(windows.Svc), windows_(windows) {}

void frmNamePassword::Design() {
    SetCaption("Name and Password");
}

}  // namespace velmora
