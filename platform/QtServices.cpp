#include "platform/QtServices.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

namespace velmora {

namespace {

// Qt's file dialog writes its folder, history and layout to the Qt configuration that every Qt
// program of the user shares, when it closes, and reads them back when it opens, with no switch
// to turn that off. The program keeps nothing between runs but the pilot file, so that
// configuration is kept in a folder of the run, removed when the run ends.
void KeepDialogSettingsInTheRun() {
    static const QTemporaryDir runFolder;
    if (runFolder.isValid()) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, runFolder.path());
    }
}

}  // namespace

void QtServices::SetClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

MsgBoxResult QtServices::AskMessageBox(QWidget* parent, const QString& text, MsgBoxButtons buttons,
                                       const QString& title) {
    const bool yesNo = buttons == MsgBoxButtons::YesNo;
    QMessageBox box(QMessageBox::NoIcon, title, text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    const int pressed = box.exec();
    if (!yesNo) {
        return MsgBoxResult::OK;
    }
    // Closing a Yes/No box any other way counts as No.
    return pressed == QMessageBox::Yes ? MsgBoxResult::Yes : MsgBoxResult::No;
}

std::optional<QString> QtServices::AskFile(QWidget* parent, const FileDialogRequest& request) {
    KeepDialogSettingsInTheRun();
    QFileDialog dialog(parent, request.title);
    // Qt's own dialog, not the desktop's, which keeps a list of recent files of its own.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Saving over a file asks first, and a No goes back to the dialog: a second save on the same
    // day proposes the same name and would otherwise replace that day's saved orders unseen.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QString filters = QtFileFilter(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters.split(QStringLiteral(";;")));
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

bool QtServices::OpenWithViewer(const QString& absolutePath) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(absolutePath));
}

QDate QtServices::Today() {
    return QDate::currentDate();
}

}  // namespace velmora
