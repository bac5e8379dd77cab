#include "platform/CommonDialog.h"

#include "platform/Form.h"

namespace velmora {

bool CommonDialog::Ask(bool save) {
    const std::optional<QString> chosen =
        form_.Svc().AskFile(form_.TopLevel(), {save, title_, filter_, fileName_});
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
