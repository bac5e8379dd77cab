// The damage report and the combat report, opened from a main window with a turn on it. The
// checks look at what the pilot sees: the chart's pixels, the report box.

#include <QPlainTextEdit>
#include <QTextBlock>
#include <tuple>

#include "GUI/reports/frmCombatReport.h"
#include "GUI/reports/frmDamage.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

class Reports : public TurnShown {
protected:
    void ClickCombat() { Click(4200, 120, 750, 750); }
    QPlainTextEdit* box() {
        return qobject_cast<QPlainTextEdit*>(windows.CombatReport().txtCombatInfo.Widget());
    }
};

// The outlines take the levels of the turn when the focus comes back to the window; a level
// outside 0 to 2 is drawn in black.
TEST_F(Reports, DamageOutlinesTakeTheLevelsWhenTheFocusComesBack) {
    const QColor kBlack(0, 0, 0);
    // Each area, a level and its colour, and a point of its outline, in twips, where no later
    // outline crosses it and the aircraft lies under it, so that a black outline shows.
    const std::tuple<int16_t SharedSubsAndVar::*, int16_t, QColor, float, float> areas[] = {
        {&SharedSubsAndVar::DamageEngine, 2, {255, 0, 0}, 2070, 320},      // over the spinner
        {&SharedSubsAndVar::DamageLeftWing, -1, kBlack, 1920, 1200},       // over the wing root
        {&SharedSubsAndVar::DamageRightWing, 0, {0, 255, 0}, 2220, 1200},  // over the wing root
        {&SharedSubsAndVar::DamageControls, 32767, kBlack, 2070, 2920},    // over the tail
        {&SharedSubsAndVar::DamageFuselage, -32768, kBlack, 1860, 1200},   // over the wing root
    };
    Click(4200, 4200, 750, 750);  // the Damage button
    frmDamage& f = windows.Damage();
    for (const auto& [level, value, colour, x, y] : areas) {
        state.*level = value;
    }
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(FormTestAccess::TopLevel(f), &activate);
    for (const auto& [level, value, colour, x, y] : areas) {
        EXPECT_EQ(pixel(f, TwipsToPixels(x), TwipsToPixels(y)), colour) << value;
    }
    // The fuselage goes last: where it crosses the engine box its colour lies on top.
    EXPECT_EQ(pixel(f, TwipsToPixels(1970), TwipsToPixels(390)), kBlack);
}

// The text taken at load, in the single-byte set when it is no UTF-8, stays while the window is
// open; the box keeps its margins as the window is resized: 330 twips of the outer width and 615
// of the outer height go to the frame and the margins. A huge report shows a bounded part and
// stays whole in the turn.
TEST_F(Reports, CombatReportShowsTheTextTakenAtLoadAndTheBoxFollowsTheWindowsSize) {
    state.CombatText = "Pil\xF6t\r\n";
    ClickCombat();
    state.CombatText = "A later turn\r\n";
    ClickCombat();
    EXPECT_EQ(box()->toPlainText(), QString::fromUtf8("Pilöt\n"));
    EXPECT_EQ(box()->textInteractionFlags(),
              Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);  // read-only
    frmCombatReport& f = windows.CombatReport();
    FormTestAccess::TopLevel(f)->resize(FormTestAccess::TopLevel(f)->size() + QSize(100, 50));
    settle();
    EXPECT_EQ(f.txtCombatInfo.Width(), f.Width() - 330);
    EXPECT_EQ(f.txtCombatInfo.Height(), f.Height() - 615);

    f.Unload();
    state.CombatText = std::string(20 << 20, 'x') + "\r\n";
    ClickCombat();
    EXPECT_LE(box()->toPlainText().size(), 1 << 20);
    EXPECT_EQ(box()->document()->firstBlock().text(), QString(4096, QLatin1Char('x')));
    EXPECT_EQ(state.CombatText.size(), (std::size_t{20} << 20) + 2);
}

}  // namespace
}  // namespace velmora::test
