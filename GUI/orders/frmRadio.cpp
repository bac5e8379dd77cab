#include "GUI/orders/frmRadio.h"

#include "GUI/Look.h"
#include "GUI/Text.h"
#include "GUI/Windows.h"
#include "orders/RadioMessage.h"

namespace velmora {

frmRadio::frmRadio(Windows& windows) : Form(windows.Svc), windows_(windows) {
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void frmRadio::Design() {
    SetBorderStyle(BorderStyle::Sizable);
    SetShowInTaskbar(false);
    SetInnerSize(4680, 3555);

    // Added in tab order: To, message, Continue, Cancel. Neither button is the default or the
    // cancel button, so Enter starts a new line of the message.
    Add(Label1, 240, 120, 615, 255);
    Label1.SetCaption("To:");
    Add(txtTO, 240, 360, 495, 285);
    txtTO.SetMaxLength(kRadioToMaxLength);
    Add(Label2, 1920, 480, 690, 195);
    Label2.SetAutoSize(true);
    Label2.SetCaption("Message:");
    Add(txtMessage, 240, 720, 4095, 2295);
    txtMessage.SetMultiLine(true);
    txtMessage.SetScrollBars(ScrollBars::Vertical);
    Add(Command1, 1320, 3120, 855, 375);
    Command1.SetCaption("Continue");
    Add(Command2, 2280, 3120, 855, 375);
    Command2.SetCaption("Cancel");
    UseSmallFont({&Label1, &txtTO, &Label2, &txtMessage, &Command1, &Command2});
}

void frmRadio::Form_Load() {
    ShowRadioKind();
}

void frmRadio::ShowRadioKind() {
    const int16_t kind = windows_.State.RadioKind;
    SetCaption(ToQ(RadioCaption(kind)));
    Label1.SetEnabled(RadioToEnabled(kind));
    txtTO.SetEnabled(RadioToEnabled(kind));
}

void frmRadio::Command1_Click() {
    AppendRadioMessage(windows_.State, FromQ(txtTO.Text()), FromQ(txtMessage.Text()));
    Unload();
}

void frmRadio::Command2_Click() {
    Unload();
}

}  // namespace velmora
