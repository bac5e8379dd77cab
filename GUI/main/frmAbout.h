#pragma once

#include "platform/Form.h"

namespace velmora {

class Windows;

class frmAbout : public Form {
public:
    explicit frmAbout(Windows& windows);

protected:
    void Design() override;

private:
    Windows& windows_;
};

}  // namespace velmora
