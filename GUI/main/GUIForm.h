#pragma once

#include "platform/Form.h"

namespace velmora {

class Windows;

class GUIForm : public Form {
public:
    explicit GUIForm(Windows& windows);

protected:
    void Design() override;

private:
    Windows& windows_;
};

}  // namespace velmora
