#pragma once
// The order generator: builds the order text once when it loads and lets the pilot copy it to
// the clipboard or save it to a text file. Edits in the box go with the copy or the save.

#include "platform/Form.h"

namespace velmora {

class Windows;

class frmGenerator : public Form {
public:
    explicit frmGenerator(Windows& windows);

    Label lblInstruct;
    TextBox txtCommands;
    CommandButton btnCopy;
    CommandButton btnSave;
    CommonDialog SaveDlg{*this};

protected:
    void Design() override;
    void Form_Load() override;

private:
    void btnCopy_Click();
    void btnSave_Click();

    Windows& windows_;
};

}  // namespace velmora
