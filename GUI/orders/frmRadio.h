#pragma once

#include "platform/Form.h"

namespace velmora {

class Windows;

class frmRadio : public Form {
public:
    explicit frmRadio(Windows& windows);

protected:
    void Design() override;

private:
    Windows& windows_;
};

}  // namespace velmora
