#include "GUI/main/SplashTitle.h"

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "pictures/Pictures.h"

namespace velmora {

SplashTitle::SplashTitle(Windows& windows) : Form(windows.Svc), windows_(windows) {
    Image1.Click = [this] { Continue(); };
    Label1.Click = [this] { Continue(); };
}

void SplashTitle::Design() {
    SetCaption(QString());
    SetBorderStyle(BorderStyle::None);
    SetShowInTaskbar(false);
    SetStartUpPosition(StartUpPosition::CenterScreen);
    SetInnerSize(5040, 3990);
    SetBackColor(QColor(64, 64, 64));

    Add(Image1, 120, 120, 4800, 3600);
    Image1.SetStretch(true);
    Image1.SetPicture(Pictures::instance().get("SplashTitle"));

    Add(Label1, 2000, 3720, 0, 0);
    Label1.SetForeColor(QColor(192, 0, 0));
    Label1.SetAutoSize(true);
    Label1.SetCaption("Click to Continue");
}

void SplashTitle::Continue() {
    Unload();
}

// A click, the window manager's close command, anything that closes the splash: the main window
// cannot wait for a focus event, which does not come when it had the focus all along.
void SplashTitle::Form_Unload() {
    GUIForm& main = windows_.MainForm();
    if (Owner() == &main) {
        main.Unlock();
    }
}

}  // namespace velmora
