#include "frmRadio.h"

#include "Windows.h"

namespace velmora {

frmRadio::frmRadio(Windows& windows) : Form(windows.Svc), windows_(windows) {}

void frmRadio::Design() {
    SetCaption("Private Radio Message");
}

}  // namespace velmora
