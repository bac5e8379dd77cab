#include "platform/CommonDialog.h"

#include "platform/Form.h"
#include "platform/FormWidgets.h"

namespace velmora {

bool CommonDialog::Ask(bool save) {
    const std::optional<QString> chosen =
        form_.Svc().AskFile(form_.top_, {save, title_, filter_, fileName_});
    if (!chosen) {
        return false;
    }
    fileName_ = *chosen;
    return true;
}

void CommonDialog::ShowHelp() {
    form_.Svc().ShowHelp(form_.top_, helpFile_);
}

}  // namespace velmora
