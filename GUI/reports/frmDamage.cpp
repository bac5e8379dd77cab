#include "GUI/reports/frmDamage.h"
#include "GUI/Look.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <utility>

#include "GUI/Windows.h"
#include "model/DamageChart.h"
#include "pictures/Pictures.h"

namespace velmora {

namespace {

// Runs a draw whenever the window system asks for the window to be repainted (uncovered,
// restored): the surface would show the last draw, but the levels may have changed since.
// It lives as a child of the top-level widget and watches that widget's native window, which
// exists from the first show on.
class ExposeWatch : public QObject {
public:
    ExposeWatch(QWidget* top, std::function<void()> exposed)
        : QObject(top), top_(top), exposed_(std::move(exposed)) {
        top->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == top_ && !watching_ &&
            top_->windowHandle() != nullptr) {
            top_->windowHandle()->installEventFilter(this);
            watching_ = true;
        } else if (event->type() == QEvent::Expose && watched != top_ && top_->isVisible()) {
            exposed_();  // only the native window receives Expose
        }
        return false;
    }

private:
    QWidget* top_;
    std::function<void()> exposed_;
    bool watching_ = false;
};

}  // namespace

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

    new ExposeWatch(TopLevel(), [this] { Form_Paint(); });
}

QColor frmDamage::DamageColor(int16_t Level) const {
    return ToQColor(velmora::DamageColor(Level));
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
