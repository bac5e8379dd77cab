#pragma once

#include "platform/Form.h"

namespace velmora {

class Windows;

class frmNamePassword : public Form {
public:
    explicit frmNamePassword(Windows& windows);

protected:
    void Design() override;

private:
    Windows& windows_;
};

}  // namespace velmora
