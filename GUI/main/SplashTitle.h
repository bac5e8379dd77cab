#pragma once
// The splash window shown above the main window at start-up. A click anywhere on it closes it;
// however it goes, the main window's Open button and its File and Help menus unlock with it.

#include "platform/Form.h"

namespace velmora {

class Windows;

class SplashTitle : public Form {
public:
    explicit SplashTitle(Windows& windows);

    Image Image1;
    Label Label1;

protected:
    void Design() override;
    void Form_Click() override { Continue(); }
    void Form_Unload() override;

private:
    // The one action of every click on the window, its picture and its label.
    void Continue();

    Windows& windows_;
};

}  // namespace velmora
