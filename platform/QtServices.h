#pragma once
// The services on the real desktop: QMessageBox, QFileDialog, QDesktopServices, QClipboard.

#include "platform/Services.h"

namespace velmora {

class QtServices : public Services {
public:
    void SetClipboardText(const QString& text) override;

protected:
    MsgBoxResult AskMessageBox(QWidget* parent, const QString& text, MsgBoxButtons buttons,
                               const QString& title) override;
    std::optional<QString> AskOpenFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> AskSaveFile(QWidget* parent, const FileDialogRequest& request) override;
    bool OpenWithViewer(const QString& absolutePath) override;
    QDate Today() override;
};

}  // namespace velmora
