#pragma once

#include "platform/Form.h"

namespace velmora {

class Windows;

class SplashTitle : public Form {
public:
    explicit SplashTitle(Windows& windows);

protected:
    void Design() override;

private:
    Windows& windows_;
};

}  // namespace velmora
