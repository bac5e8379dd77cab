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

std::optional<QString> ScriptedServices::AskFile(QWidget*, const FileDialogRequest& request) {
    fileDialogs.push_back(request);
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

bool ScriptedServices::OpenWithViewer(const QString& absolutePath) {
    if (viewerWorks_) {
        helpOpened.push_back(absolutePath);
    }
    return viewerWorks_;
}

}  // namespace velmora
