#pragma once
// What a window asks of the desktop: message boxes, file dialogs, the help viewer, the clipboard
// and the date. QtServices does it for real; ScriptedServices answers from a script for tests.

#include <QDate>
#include <QString>
#include <optional>

class QWidget;

namespace velmora {

// The title of a message box that has none of its own.
inline constexpr const char* kProgramTitle = "Skelmar Velmora";

enum class MsgBoxButtons { OK, YesNo };
enum class MsgBoxResult { OK, Yes, No };

struct FileDialogRequest {
    bool save;  // a save dialog, else an open dialog
    QString title;
    QString filter;    // "description|pattern|description|pattern"
    QString fileName;  // proposed name or path; may be empty
};

class Services {
public:
    virtual ~Services() = default;

    // Modal, without icon. An empty title gives the program's title.
    MsgBoxResult MsgBox(QWidget* parent, const QString& text, MsgBoxButtons buttons,
                        const QString& title = {});
    // Modal. The chosen path, or nothing when the user cancelled. A save dialog asks before it
    // gives an existing file, and a No goes back to the dialog.
    virtual std::optional<QString> AskFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // Opens the help file with the desktop's viewer; a file that is missing or that no viewer
    // opens is reported in a message box.
    void ShowHelp(QWidget* parent, const QString& helpFile);
    virtual void SetClipboardText(const QString& text) = 0;
    // The date as "MM-DD-YYYY".
    QString DateText() { return dateText(Today()); }

    static QString dateText(const QDate& date);

protected:
    virtual MsgBoxResult AskMessageBox(QWidget* parent, const QString& text, MsgBoxButtons buttons,
                                       const QString& title) = 0;
    // False when no viewer would open the file.
    virtual bool OpenWithViewer(const QString& absolutePath) = 0;
    virtual QDate Today() = 0;
};

// A filter of the form "desc|pattern|desc|pattern" as Qt's file dialogs take it
// ("desc (patterns);;..."). Patterns joined by ";" become a blank-separated list, and "*.*"
// becomes "*" so that it matches names without a dot too.
QString QtFileFilter(const QString& filter);

}  // namespace velmora
