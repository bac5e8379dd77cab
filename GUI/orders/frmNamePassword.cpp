#include "GUI/orders/frmNamePassword.h"

#include <string>
#include <string_view>

#include "GUI/Look.h"
#include "GUI/Text.h"
#include "GUI/Windows.h"
#include "model/SharedSubsAndVar.h"
#include "orders/PilotFile.h"
#include "platform/TextFile.h"

namespace velmora {

namespace {

// Writes the whole pilot file; the old file stays as it was unless the new one is complete. The
// file holds the password in plain text: only its owner may read it.
bool SavePilotFile(const QString& path, const std::string& name, const std::string& password,
                   QString& error) {
    const std::string content = PilotFileBytes(name, password);
    std::string_view bytes = content;
    // The writer ends each line with CR LF itself.
    constexpr std::string_view kLineEnd = "\r\n";
    if (bytes.ends_with(kLineEnd)) {
        bytes.remove_suffix(kLineEnd.size());
    }
    TextFileWriter writer;
    if (writer.Create(path, FileAccess::OwnerOnly) && writer.WriteLine(bytes) && writer.Close()) {
        return true;
    }
    error = writer.ErrorString();
    writer.Discard();
    return false;
}

}  // namespace

frmNamePassword::frmNamePassword(Windows& windows) : Form(windows.Svc), windows_(windows) {
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmNamePassword::Design() {
    SetCaption("Enter Name & Password");
    SetBorderStyle(BorderStyle::FixedDialog);
    SetShowInTaskbar(false);
    SetMinButton(false);
    SetMaxButton(false);
    SetStartUpPosition(StartUpPosition::CenterOwner);
    SetInnerSize(2835, 1590);

    // Tab order is the order the controls are added in.
    Add(Label1, 120, 120, 810, 195);
    Label1.SetCaption("Pilot Name:");
    Add(txtName, 1080, 120, 1575, 285);
    Add(Label2, 120, 600, 735, 195);
    Label2.SetCaption("Password:");
    Add(txtPassword, 1080, 600, 1575, 285);
    Add(cmdOK, 960, 1080, 855, 375);
    cmdOK.SetCaption("OK");
    UseSmallFont({&Label1, &txtName, &Label2, &txtPassword, &cmdOK});
    // Wide enough for the captions in whatever font the desktop has.
    Label1.SetAutoSize(true);
    Label2.SetAutoSize(true);
}

void frmNamePassword::cmdOK_Click() {
    SharedSubsAndVar& state = windows_.State;
    state.PilotName = FromQ(txtName.Text());
    state.PilotPassword = FromQ(txtPassword.Text());

    const QString path = ToQ(kPilotFileName);
    QString error;
    if (!SavePilotFile(path, state.PilotName, state.PilotPassword, error)) {
        // The login holds for this run; the pilot must know the next run will not find it.
        const QString why = error.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(error);
        MsgBox(QStringLiteral("Your pilot name and password could not be saved in %1%2. "
                              "They will be used until Velmora is closed.")
                   .arg(path, why));
    }
    Unload();
}

}  // namespace velmora
