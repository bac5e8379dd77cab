#pragma once
// The About window: the program's name and version over its background picture.

#include "platform/Form.h"

namespace velmora {

class Windows;

class frmAbout : public Form {
public:
    explicit frmAbout(Windows& windows);

    Image imgBackground;
    Label Label2, lblTitle, lblVersion, Label3;
    CommandButton cmdOK;

protected:
    void Design() override;

private:
    void cmdOK_Click() { Unload(); }
};

}  // namespace velmora
