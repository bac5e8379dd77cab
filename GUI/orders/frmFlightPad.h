#pragma once

#include "platform/Form.h"

namespace velmora {

class Windows;

class frmFlightPad : public Form {
public:
    explicit frmFlightPad(Windows& windows);

protected:
    void Design() override;

private:
    Windows& windows_;
};

}  // namespace velmora
