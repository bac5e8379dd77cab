#include "GUI/main/frmAbout.h"

#include "GUI/Look.h"
#include "GUI/Windows.h"
#include "pictures/Pictures.h"

namespace velmora {

namespace {

const QColor kRed(255, 0, 0);

const char* const kNotice =
    "The pilot's companion for Skelmar, the air-combat game played by e-mail: it shows the "
    "situation of each turn and helps you write your orders for the next one.\n\n"
    "Fly well, and check your six.";

}  // namespace

frmAbout::frmAbout(Windows& windows) : Form(windows.Svc) {
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmAbout::Design() {
    SetCaption("About Skelmar Velmora");
    SetBorderStyle(BorderStyle::FixedDialog);
    SetShowInTaskbar(false);
    SetMinButton(false);
    SetMaxButton(false);
    SetStartUpPosition(StartUpPosition::CenterOwner);
    SetInnerSize(4815, 3660);
    SetBackColor(Qt::black);

    const QImage& background = Pictures::instance().get("AboutBackground");
    Add(imgBackground, 0, 0, PixelsToTwips(background.width()), PixelsToTwips(background.height()));
    imgBackground.SetPicture(background);

    // Label2 lies under lblTitle: a yellow shadow 8 twips to the right and 10 down.
    Add(Label2, 128, 130, 2235, 300);
    Add(lblTitle, 120, 120, 2235, 300);
    for (Label* title : {&Label2, &lblTitle}) {
        title->SetFontSize(12);
        title->SetFontBold(true);
        title->SetAutoSize(true);
        title->SetCaption("Skelmar Velmora");
    }
    Label2.SetForeColor(kLabelYellow);
    lblTitle.SetForeColor(kRed);

    Add(lblVersion, 120, 480, 795, 195);
    lblVersion.SetForeColor(kRed);
    lblVersion.SetFontSize(8);
    lblVersion.SetAutoSize(true);
    lblVersion.SetCaption("Version 2.0");

    Add(Label3, 480, 1200, 3855, 1215);
    Label3.SetForeColor(kRed);
    Label3.SetBackColor(QColor(64, 64, 64));
    Label3.SetWordWrap(true);
    UseSmallFont({&Label3});
    Label3.SetCaption(QString::fromUtf8(kNotice));

    Add(cmdOK, 3480, 3240, 1260, 345);
    cmdOK.SetCaption("OK");
    cmdOK.SetDefault(true);
    cmdOK.SetCancel(true);
}

}  // namespace velmora
