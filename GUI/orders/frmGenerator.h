#pragma once

#include "platform/Form.h"

namespace velmora {

class Windows;

class frmGenerator : public Form {
public:
    explicit frmGenerator(Windows& windows);

protected:
    void Design() override;

private:
    Windows& windows_;
};

}  // namespace velmora
