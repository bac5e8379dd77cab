#pragma once
// The services on the real desktop: QMessageBox, QFileDialog, QDesktopServices, QClipboard.

#include "platform/Services.h"

namespace velmora {

class QtServices : public Services {
public:
    void SetClipboardText(const QString& text) override;
    std::optional<QString> AskFile(QWidget* parent, const FileDialogRequest& request) override;

protected:
    MsgBoxResult AskMessageBox(QWidget* parent, const QString& text, MsgBoxButtons buttons,
                               const QString& title) override;
    bool OpenWithViewer(const QString& absolutePath) override;
    QDate Today() override;
};

}  // namespace velmora
