#include "platform/ScriptedServices.h"

namespace velmora {

MsgBoxResult ScriptedServices::AskMessageBox(QWidget*, const QString& text, MsgBoxButtons buttons,
                                             const QString& title) {
    msgBoxes.push_back({text, title, buttons});
    if (answers_.empty()) {
        return buttons == MsgBoxButtons::YesNo ? MsgBoxResult::No : MsgBoxResult::OK;
    }
    const MsgBoxResult answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedServices::NextFile(bool save, const FileDialogRequest& request) {
    fileDialogs.push_back({save, request.title, request.filter, request.fileName});
    if (files_.empty()) {
        return std::nullopt;
    }
    const FileAnswer answer = files_.front();
    files_.pop_front();
    if (!answer.chosen) {
        return std::nullopt;
    }
    return answer.path;
}

std::optional<QString> ScriptedServices::AskOpenFile(QWidget*, const FileDialogRequest& request) {
    return NextFile(false, request);
}

std::optional<QString> ScriptedServices::AskSaveFile(QWidget*, const FileDialogRequest& request) {
    return NextFile(true, request);
}

bool ScriptedServices::OpenWithViewer(const QString& absolutePath) {
    if (viewerWorks_) {
        helpOpened.push_back(absolutePath);
    }
    return viewerWorks_;
}

}  // namespace velmora
