#include "GUI/reports/frmCombatReport.h"

#include "GUI/Look.h"
#include "GUI/Text.h"
#include "GUI/Windows.h"
#include "model/CombatReport.h"
#include "model/SharedSubsAndVar.h"

namespace velmora {

frmCombatReport::frmCombatReport(Windows& windows) : Form(windows.Svc), state_(windows.State) {}

void frmCombatReport::Design() {
    SetCaption("Combat/Scenario Report");
    SetBorderStyle(BorderStyle::Sizable);
    SetShowInTaskbar(false);
    SetMinButton(false);
    SetMaxButton(false);
    SetStartUpPosition(StartUpPosition::Default);
    SetInnerSize(4185, 3225);
    SetBackColor(Qt::black);

    Add(txtCombatInfo, 120, 120, 3975, 3015);
    txtCombatInfo.SetMultiLine(true);
    txtCombatInfo.SetScrollBars(ScrollBars::Vertical);
    txtCombatInfo.SetBackColor(Qt::black);
    txtCombatInfo.SetForeColor(kLabelYellow);
    // Nothing reads an edit back and it would be lost at closing: read-only, but the caret and
    // the keyboard still move through the text and select it for copying.
    txtCombatInfo.SetLocked(true);
}

void frmCombatReport::Form_Load() {
    txtCombatInfo.SetText(ToQ(ShownCombatText(state_.CombatText)));
}

void frmCombatReport::Form_Resize() {
    const ReportBoxSize size = CombatBoxSize(Width(), Height());
    if (size.Width) {
        txtCombatInfo.SetWidth(*size.Width);
    }
    if (size.Height) {
        txtCombatInfo.SetHeight(*size.Height);
    }
}

}  // namespace velmora
