#pragma once

#include "platform/Form.h"

namespace velmora {

class Windows;

class frmCommandPrompt : public Form {
public:
    explicit frmCommandPrompt(Windows& windows);

protected:
    void Design() override;

private:
    Windows& windows_;
};

}  // namespace velmora
