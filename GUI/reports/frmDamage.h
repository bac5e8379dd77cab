#pragma once
// The damage report: the pilot's aircraft from above, with the engine, the wings, the tail plane
// and the fuselage outlined in the colour of their damage levels. It only reads the levels, at
// every draw, so a turn read while it is open shows at its next repaint or when it gets the focus.

#include "platform/Form.h"

namespace velmora {

class Windows;
struct SharedSubsAndVar;

class frmDamage : public Form {
public:
    explicit frmDamage(Windows& windows);

    // Hidden: the source of the chart picture, and where the chart lies and how wide it is.
    Image ChartPic;

    // The picture at its natural size at ChartPic's place, then the five outlines over it. The
    // window is not cleared first: the picture covers every outline of the last draw.
    void PaintDamageChart();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Paint() override;
    void Form_GotFocus() override;

private:
    SharedSubsAndVar& state_;
};

}  // namespace velmora
