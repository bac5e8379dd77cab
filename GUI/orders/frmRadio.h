#pragma once
// The radio message window: one private, squadron or team transmission, appended to
// RadioMessages on Continue. Cancel and the close box add nothing.

#include "platform/Form.h"

namespace velmora {

class Windows;

class frmRadio : public Form {
public:
    explicit frmRadio(Windows& windows);

    // Caption and To field for the RadioKind now set. The pad calls it when it picks another
    // kind while the window is open, so the window always shows the kind Continue will write.
    void ShowRadioKind();

    Label Label1;
    TextBox txtTO;
    Label Label2;
    TextBox txtMessage;
    CommandButton Command1;
    CommandButton Command2;

protected:
    void Design() override;
    void Form_Load() override;

private:
    void Command1_Click();
    void Command2_Click();

    Windows& windows_;
};

}  // namespace velmora
