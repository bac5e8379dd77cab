#include "frmGenerator.h"

#include "Windows.h"

namespace velmora {

frmGenerator::frmGenerator(Windows& windows) : Form(windows.Svc), windows_(windows) {}

void frmGenerator::Design() {
    SetCaption("Skelmar Command Generator");
}

}  // namespace velmora
