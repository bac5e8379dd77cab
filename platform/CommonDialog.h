#pragma once
// The common dialog of a window: open and save dialogs and the help viewer. The dialogs are
// modal to the window that holds the CommonDialog.

#include <QString>

namespace velmora {

class Form;

class CommonDialog {
public:
    explicit CommonDialog(Form& form) : form_(form) {}

    // "description|pattern|description|pattern", patterns of one kind joined by ";".
    void SetFilter(const QString& filter) { filter_ = filter; }
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& name) { fileName_ = name; }
    void SetDialogTitle(const QString& title) { title_ = title; }
    void SetHelpFile(const QString& file) { helpFile_ = file; }
    // The viewer opens every help file at its contents, whatever the command.
    void SetHelpCommand(int /*command*/) {}

    // True when the user chose a file, which FileName then holds; false when the user
    // cancelled, and FileName is unchanged.
    bool ShowOpen() { return Ask(false); }
    bool ShowSave() { return Ask(true); }
    void ShowHelp();

private:
    bool Ask(bool save);

    Form& form_;
    QString filter_;
    QString fileName_;
    QString title_;
    QString helpFile_;
};

}  // namespace velmora
