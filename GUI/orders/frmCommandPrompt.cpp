#include "GUI/orders/frmCommandPrompt.h"

#include "GUI/Look.h"
#include "GUI/Text.h"
#include "GUI/Windows.h"

namespace velmora {

frmCommandPrompt::frmCommandPrompt(Windows& windows) : Form(windows.Svc), windows_(windows) {
    InputBox.KeyDown = [this](int code, int) {
        if (code == KeyCode::Enter) {
            lblContinue_Click();
        }
    };
    lblContinue.Click = [this] { lblContinue_Click(); };
}

void frmCommandPrompt::Design() {
    SetCaption("Flight Command Prompt");
    SetBorderStyle(BorderStyle::None);
    SetShowInTaskbar(false);
    SetInnerSize(2265, 1575);
    SetBackColor(Qt::black);
    SetStartUpPosition(StartUpPosition::CenterOwner);

    Add(Frame1, 120, 120, 2055, 1335);
    Frame1.SetBackColor(Qt::black);
    Frame1.Add(Instructions, 120, 120, 1815, 495);
    Instructions.SetForeColor(kLabelYellow);
    Instructions.SetWordWrap(true);
    Instructions.SetCaption("Enter in:");
    Frame1.Add(InputBox, 120, 600, 1815, 405);
    Frame1.Add(lblContinue, 240, 1080, 0, 0);
    lblContinue.SetForeColor(kLabelYellow);
    lblContinue.SetAutoSize(true);
    lblContinue.SetCaption("Click here to continue...");
    UseSmallFont({&Instructions, &InputBox, &lblContinue});
}

void frmCommandPrompt::Form_Load() {
    ShowParamPrompt(StartPrompt(windows_.State));
}

void frmCommandPrompt::Restart() {
    if (Loaded()) {
        ShowParamPrompt(StartPrompt(windows_.State));
    }
}

void frmCommandPrompt::ShowParamPrompt(const PromptStep& step) {
    Instructions.SetCaption(ShownText(step.Instructions));
    InputBox.SetText(QString());
    InputBox.SetFocus();
}

void frmCommandPrompt::lblContinue_Click() {
    const PromptStep step = AnswerPrompt(windows_.State, FromQ(InputBox.Text()));
    if (step.Done) {
        Unload();
    } else {
        ShowParamPrompt(step);
    }
}

}  // namespace velmora
