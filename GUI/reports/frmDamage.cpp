#include "GUI/reports/frmDamage.h"

#include "GUI/Look.h"
#include "GUI/Windows.h"
#include "model/DamageChart.h"
#include "pictures/Pictures.h"

namespace velmora {

frmDamage::frmDamage(Windows& windows) : Form(windows.Svc), state_(windows.State) {}

void frmDamage::Design() {
    SetCaption("Damage Report");
    SetBorderStyle(BorderStyle::FixedSingle);
    SetShowInTaskbar(false);
    SetMinButton(false);
    SetMaxButton(false);
    SetStartUpPosition(StartUpPosition::Default);
    SetInnerSize(4200, 3570);
    SetBackColor(Qt::black);

    Add(ChartPic, 120, 120, 3900, 3195);
    ChartPic.SetPicture(Pictures::instance().get(QStringLiteral("ChartPic")));
    ChartPic.SetVisible(false);
    // The surface would show the last draw, but the levels may have changed since.
    SetPaintOnExpose(true);
}

void frmDamage::PaintDamageChart() {
    const float L = ChartPic.Left();
    const float T = ChartPic.Top();
    PaintPicture(ChartPic.Picture(), L, T);
    for (const ChartOutline& box :
         DamageOutlines(state_, {L, T, ChartPic.Width(), ChartPic.Height()})) {
        SetForeColor(ToQColor(box.Color));
        Line(box.X1, box.Y1, box.X2, box.Y2, LineMode::Box);
    }
}

void frmDamage::Form_Load() {
    PaintDamageChart();
}

void frmDamage::Form_Paint() {
    PaintDamageChart();
}

void frmDamage::Form_GotFocus() {
    PaintDamageChart();
}

}  // namespace velmora
