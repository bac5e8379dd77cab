// The damage report and the combat report, opened from a main window with a turn on it. The
// checks look at what the pilot sees: the chart's pixels, the report box.

#include <QExposeEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QWindow>
#include <iterator>

#include "GUI/reports/frmCombatReport.h"
#include "GUI/reports/frmDamage.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

const QColor kYellow(255, 255, 0), kBlack(0, 0, 0);

QColor colourOf(int16_t level) {
    const QColor colours[] = {{0, 255, 0}, kYellow, {255, 0, 0}};
    return level >= 0 && level <= 2 ? colours[level] : kBlack;
}

// Each area's level and a point of its outline, in twips, where no later outline crosses it and
// the aircraft lies under it, so that a black outline shows against the picture.
const struct {
    int16_t SharedSubsAndVar::*level;
    float x, y;
} kAreas[] = {
    {&SharedSubsAndVar::DamageEngine, 2070, 320},      // top edge over the spinner
    {&SharedSubsAndVar::DamageLeftWing, 1920, 1200},   // inner edge over the wing root
    {&SharedSubsAndVar::DamageRightWing, 2220, 1200},  // inner edge over the wing root
    {&SharedSubsAndVar::DamageControls, 2070, 2920},   // top edge over the tail
    {&SharedSubsAndVar::DamageFuselage, 1860, 1200},   // left edge over the wing root
};

class ReportWindowsTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        StartWithTurn();
    }
    void ClickCombat() { Click(4200, 120, 750, 750); }
    QPlainTextEdit* box() {
        return qobject_cast<QPlainTextEdit*>(windows.CombatReport().txtCombatInfo.Widget());
    }
};

using DamageReport = ReportWindowsTest;
using CombatReport = ReportWindowsTest;

// The outlines take the levels of the turn at every draw: a repaint and the focus.
TEST_F(DamageReport, OutlinesTakeTheLevelsAtEveryDraw) {
    const struct {
        const char* name;
        int16_t levels[5];  // in the order of kAreas
        bool focus;
    } rows[] = {
        {"a repaint", {1, 2, 3, -1, 0}, false},
        {"the focus", {2, -1, 0, 1, 3}, true},
        {"levels far outside 0 to 2 in black", {32767, -32768, 3, 4, -2}, true},
    };
    Click(4200, 4200, 750, 750);  // the Damage button
    frmDamage& f = windows.Damage();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (std::size_t area = 0; area < std::size(kAreas); ++area) {
            state.*kAreas[area].level = row.levels[area];
        }
        if (row.focus) {
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(f.TopLevel(), &activate);
        } else {
            QWindow* window = f.TopLevel()->windowHandle();
            QExposeEvent expose(QRegion(QRect(QPoint(), window->size())));
            QCoreApplication::sendEvent(window, &expose);
        }
        for (std::size_t area = 0; area < std::size(kAreas); ++area) {
            const QPoint at(twipsToPixels(kAreas[area].x), twipsToPixels(kAreas[area].y));
            EXPECT_EQ(pixel(f, at.x(), at.y()), colourOf(row.levels[area])) << "area " << area;
        }
        // The fuselage goes last: where it crosses the engine box its colour lies on top.
        EXPECT_EQ(pixel(f, twipsToPixels(1970), twipsToPixels(390)), colourOf(row.levels[4]));
    }
}

// The text taken at load, in the single-byte set when it is no UTF-8, read-only, yellow on
// black; the box keeps its margins to the window's edges: 330 twips of the outer width and 615
// of the outer height go to the frame and the margins.
TEST_F(CombatReport, ShowsTheTextTakenAtLoadAndTheBoxFollowsTheWindowsSize) {
    state.CombatText = "Pil\xF6t\r\n";
    ClickCombat();
    ASSERT_NE(box(), nullptr);
    EXPECT_EQ(box()->toPlainText(), QString::fromUtf8("Pilöt\n"));
    EXPECT_TRUE(box()->isReadOnly());
    EXPECT_EQ(box()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(box()->palette().color(QPalette::Text), kYellow);
    EXPECT_EQ(box()->palette().color(QPalette::Base), kBlack);
    state.CombatText = "A later turn\r\n";
    ClickCombat();
    EXPECT_EQ(box()->toPlainText(), QString::fromUtf8("Pilöt\n"))
        << "an open window keeps its text";

    frmCombatReport& f = windows.CombatReport();
    f.TopLevel()->resize(f.TopLevel()->width() + 100, f.TopLevel()->height() + 50);
    settle();
    EXPECT_EQ(f.txtCombatInfo.Width(), f.Width() - 330);
    EXPECT_EQ(f.txtCombatInfo.Height(), f.Height() - 615);
}

TEST_F(CombatReport, AHugeReportShowsABoundedPartAndStaysWholeInTheTurn) {
    state.CombatText = std::string(20 << 20, 'x') + "\r\n";
    ClickCombat();
    ASSERT_NE(box(), nullptr);
    EXPECT_LE(box()->toPlainText().size(), 1 << 20);
    EXPECT_EQ(box()->document()->firstBlock().text(), QString(4096, QLatin1Char('x')));
    EXPECT_EQ(state.CombatText.size(), (std::size_t{20} << 20) + 2);
}

}  // namespace
}  // namespace velmora::test
