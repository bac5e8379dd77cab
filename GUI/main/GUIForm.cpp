#include "GUIForm.h"

#include "Windows.h"

namespace velmora {

GUIForm::GUIForm(Windows& windows) : Form(windows.Svc), windows_(windows) {}

void GUIForm::Design() {
    SetCaption("Skelmar Velmora v2.0");
}

}  // namespace velmora
