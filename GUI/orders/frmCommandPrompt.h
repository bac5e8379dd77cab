#pragma once
// The parameter prompt: asks the values of Commands(CurrentCommand) one parameter at a time and
// stores each answer with the command. Borderless and without a close box: it closes itself
// after the last parameter, or with the pad that owns it.

#include "orders/CommandPrompt.h"
#include "platform/Form.h"

namespace velmora {

class Windows;

class frmCommandPrompt : public Form {
public:
    explicit frmCommandPrompt(Windows& windows);

    // For the pad, when it picks a command while the prompt is open: back to the first
    // parameter of Commands(CurrentCommand), as a fresh load would be.
    void Restart();

    Frame Frame1;
    Label Instructions;
    TextBox InputBox;
    Label lblContinue;

protected:
    void Design() override;
    void Form_Load() override;

private:
    void ShowParamPrompt(const PromptStep& step);
    void lblContinue_Click();

    Windows& windows_;
};

}  // namespace velmora
