#include "GUI/orders/frmGenerator.h"

#include <QDir>

#include "GUI/Look.h"
#include "GUI/Text.h"
#include "GUI/Windows.h"
#include "GUI/orders/frmFlightPad.h"
#include "orders/OrderText.h"
#include "platform/TextFile.h"

namespace velmora {

namespace {

QString NotSavedMessage(const QString& path, const QString& why) {
    return QStringLiteral(
               "The orders were not saved.\n\n%1 could not be written: %2\n\n"
               "The text is still in the window; choose another folder or name and try again.")
        .arg(QDir::toNativeSeparators(path), why);
}

// The most characters of the game master's address that the instruction line shows.
constexpr qsizetype kAddressShownLimit = 80;

}  // namespace

frmGenerator::frmGenerator(Windows& windows) : Form(windows.Svc), windows_(windows) {
    btnCopy.Click = [this] { btnCopy_Click(); };
    btnSave.Click = [this] { btnSave_Click(); };
}

void frmGenerator::Design() {
    SetCaption("Skelmar Command Generator");
    SetBorderStyle(BorderStyle::FixedDialog);
    SetShowInTaskbar(false);
    SetInnerSize(3240, 3105);

    // Added in tab order: the text, Copy, Save.
    Add(lblInstruct, 0, 0, 3255, 855);
    lblInstruct.SetWordWrap(true);
    Add(txtCommands, 120, 960, 3015, 1575);
    txtCommands.SetMultiLine(true);
    txtCommands.SetScrollBars(ScrollBars::Vertical);
    Add(btnCopy, 120, 2640, 1455, 375);
    btnCopy.SetCaption("Copy to Clipboard");
    Add(btnSave, 1680, 2640, 1455, 375);
    btnSave.SetCaption("Save as Text File");
    UseSmallFont({&lblInstruct, &txtCommands, &btnCopy, &btnSave});
    // A little air between the instruction line and the window's edges.
    lblInstruct.SetMargins(60, 45, 60, 0);
    SaveDlg.SetDialogTitle("Save");
    SaveDlg.SetFilter(QString());
    SaveDlg.SetFileName(QString());
}

void frmGenerator::Form_Load() {
    SharedSubsAndVar& state = windows_.State;
    DefaultServerAddr(state);
    // An address longer than any real one is cut, so that the sentence after it still shows.
    lblInstruct.SetCaption(
        ToQ(InstructionLine(FromQ(ShownText(state.ServerAddr, kAddressShownLimit)))));
    txtCommands.SetText(ToQ(BuildOrderText(state, windows_.FlightPad().Checks())));
}

void frmGenerator::btnCopy_Click() {
    Svc().SetClipboardText(ToQ(ClipboardOrderText(FromQ(txtCommands.Text()))));
}

void frmGenerator::btnSave_Click() {
    SaveDlg.SetFileName(ToQ(DefaultSaveFileName(FromQ(Svc().DateText()))));
    SaveDlg.SetFilter(ToQ(kSaveFilter));
    if (!SaveDlg.ShowSave()) {
        return;
    }
    const QString path = SaveDlg.FileName();
    if (path.isEmpty()) {
        MsgBox(ToQ(kInvalidFileNameMessage));
        return;
    }
    // The new text goes to a file beside the chosen one and takes its place only when whole,
    // so a failed save leaves a file that stood there as it was.
    TextFileWriter file;
    const bool saved = file.Create(path) &&
                       file.WriteLine(ClipboardOrderText(FromQ(txtCommands.Text()))) &&
                       file.Close();
    if (!saved) {
        const QString why = file.ErrorString();
        file.Discard();
        MsgBox(NotSavedMessage(path, why));
    }
}

}  // namespace velmora
