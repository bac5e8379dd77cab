#pragma once
// The common dialog of a window: open and save dialogs and the help viewer. The dialogs are
// modal to the window that holds the CommonDialog.

#include <QString>

namespace velmora {

class Form;

class CommonDialog {
public:
    explicit CommonDialog(Form& form) : form_(form) {}

    QString Filter() const { return filter_; }
    // "description|pattern|description|pattern", patterns of one kind joined by ";".
    void SetFilter(const QString& filter) { filter_ = filter; }
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& name) { fileName_ = name; }
    QString DialogTitle() const { return title_; }
    void SetDialogTitle(const QString& title) { title_ = title; }
    QString HelpFile() const { return helpFile_; }
    void SetHelpFile(const QString& file) { helpFile_ = file; }
    int HelpCommand() const { return helpCommand_; }
    void SetHelpCommand(int command) { helpCommand_ = command; }

    // True when the user chose a file, which FileName then holds; false when the user
    // cancelled, and FileName is unchanged.
    bool ShowOpen();
    bool ShowSave();
    void ShowHelp();

private:
    Form& form_;
    QString filter_;
    QString fileName_;
    QString title_;
    QString helpFile_;
    int helpCommand_ = 0;
};

}  // namespace velmora
