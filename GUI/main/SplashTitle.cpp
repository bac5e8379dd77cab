#include "SplashTitle.h"

#include "Windows.h"

namespace velmora {

SplashTitle::SplashTitle(Windows& windows) : Form(windows.Svc), windows_(windows) {}

void SplashTitle::Design() {
    SetCaption("");
}

}  // namespace velmora
