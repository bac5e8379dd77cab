#pragma once
// Services for tests: answers come from queues filled beforehand, and everything asked is kept.
// With an empty queue a message box answers OK (or No) and a file dialog is cancelled. A queued
// file choice is a confirmed one: the question before replacing a file is the real dialog's.

#include <deque>
#include <vector>

#include "platform/Services.h"

namespace velmora {

class ScriptedServices : public Services {
public:
    struct MsgBoxCall {
        QString text;
        QString title;  // as shown: the program's title when none was given
        MsgBoxButtons buttons;
    };

    void QueueAnswer(MsgBoxResult answer) { answers_.push_back(answer); }
    void QueueFileChoice(const QString& path) { files_.push_back({true, path}); }
    void QueueFileCancel() { files_.push_back({false, {}}); }
    void SetToday(const QDate& date) { today_ = date; }
    // Whether the viewer opens a help file that exists.
    void SetViewerWorks(bool works) { viewerWorks_ = works; }

    void SetClipboardText(const QString& text) override { clipboard = text; }
    std::optional<QString> AskFile(QWidget* parent, const FileDialogRequest& request) override;

    std::vector<MsgBoxCall> msgBoxes;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<QString> helpOpened;  // absolute paths given to the viewer
    QString clipboard;

protected:
    MsgBoxResult AskMessageBox(QWidget* parent, const QString& text, MsgBoxButtons buttons,
                               const QString& title) override;
    bool OpenWithViewer(const QString& absolutePath) override;
    QDate Today() override { return today_; }

private:
    std::deque<MsgBoxResult> answers_;
    struct FileAnswer {
        bool chosen;
        QString path;
    };
    std::deque<FileAnswer> files_;
    QDate today_{2024, 3, 7};
    bool viewerWorks_ = true;
};

}  // namespace velmora
