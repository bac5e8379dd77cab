#pragma once
// The combat report: the turn's combat text in one scrollable box that follows the window's size.
// The text is taken when the window loads; a turn read while it is open shows after it has been
// closed and opened again. The pilot can select and copy the text but not change it.

#include "platform/Form.h"

namespace velmora {

class Windows;
struct SharedSubsAndVar;

class frmCombatReport : public Form {
public:
    explicit frmCombatReport(Windows& windows);

    TextBox txtCombatInfo;

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Resize() override;

private:
    SharedSubsAndVar& state_;
};

}  // namespace velmora
