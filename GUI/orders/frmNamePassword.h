#pragma once
// The pilot's login: typed here, kept in the shared state and in the pilot file "npdata.vsd" in
// the current directory.

#include "platform/Form.h"

namespace velmora {

class Windows;

class frmNamePassword : public Form {
public:
    explicit frmNamePassword(Windows& windows);

    Label Label1, Label2;
    TextBox txtName, txtPassword;
    CommandButton cmdOK;

protected:
    void Design() override;

private:
    void cmdOK_Click();

    Windows& windows_;
};

}  // namespace velmora
