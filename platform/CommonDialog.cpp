#include "platform/CommonDialog.h"

#include "platform/Form.h"

namespace velmora {

bool CommonDialog::ShowOpen() {
    const std::optional<QString> chosen =
        form_.Svc().ShowOpen(form_.TopLevel(), {title_, filter_, fileName_});
    if (!chosen) {
        return false;
    }
    fileName_ = *chosen;
    return true;
}

bool CommonDialog::ShowSave() {
    const std::optional<QString> chosen =
        form_.Svc().ShowSave(form_.TopLevel(), {title_, filter_, fileName_});
    if (!chosen) {
        return false;
    }
    fileName_ = *chosen;
    return true;
}

void CommonDialog::ShowHelp() {
    form_.Svc().ShowHelp(form_.TopLevel(), helpFile_);
}

}  // namespace velmora
