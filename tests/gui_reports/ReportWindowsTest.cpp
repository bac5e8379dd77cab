// The damage report and the combat report, opened from a main window with a turn on it. The
// checks look at what the pilot sees: the chart's pixels, the report box.

#include <QExposeEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QWindow>
#include <array>

#include "GUI/reports/frmCombatReport.h"
#include "GUI/reports/frmDamage.h"
#include "model/TurnFileReader.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

const QColor kYellow(255, 255, 0), kBlack(0, 0, 0);

QColor colourOf(int16_t level) {
    const QColor colours[] = {{0, 255, 0}, kYellow, {255, 0, 0}};
    return level >= 0 && level <= 2 ? colours[level] : kBlack;
}

// Damage levels in the order engine, left wing, right wing, controls, fuselage.
using Levels = std::array<int16_t, 5>;

// A point of each outline, in twips, in the order above, where no later outline crosses it and
// the aircraft lies under it, so that a black outline shows against the picture.
constexpr std::array<std::array<float, 2>, 5> kOutlinePoints = {{
    {2070, 320},   // engine, top edge over the spinner
    {1920, 1200},  // left wing, inner edge over the wing root
    {2220, 1200},  // right wing, inner edge over the wing root
    {2070, 2920},  // controls, top edge over the tail
    {1860, 1200},  // fuselage, left edge over the wing root
}};

class ReportWindowsTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        WritePilot();
        Start();
        Read({0, 0, 0, 0, 0});
    }
    void Read(const Levels& levels) {
        const char* const keys[] = {"DAMAGEENGINE=", "DAMAGELEFTWING=", "DAMAGERIGHTWING=",
                                    "DAMAGECONTROLS=", "DAMAGEFUSELAGE="};
        std::string turn = std::string(kTurnFileHeader) + "\r\nVISIBILITY=10\r\n";
        for (std::size_t i = 0; i < levels.size(); ++i) {
            turn += keys[i] + std::to_string(levels[i]) + "\r\n";
        }
        Open(Write("turn.smv", turn));
    }
    void ClickCombat() { Click(4200, 120, 750, 750); }
    void ClickDamage() { Click(4200, 4200, 750, 750); }
    QPlainTextEdit* box() {
        return qobject_cast<QPlainTextEdit*>(windows.CombatReport().txtCombatInfo.Widget());
    }
};

using DamageReport = ReportWindowsTest;
using CombatReport = ReportWindowsTest;

// The outlines take the levels of the turn read last at every draw: a repaint and the focus.
TEST_F(DamageReport, OutlinesTakeTheLevelsAtEveryDraw) {
    const struct {
        const char* name;
        Levels levels;  // read from a turn file before the draw
        bool focus;
    } rows[] = {
        {"a repaint", {1, 2, 3, -1, 0}, false},
        {"the focus", {2, -1, 0, 1, 3}, true},
        {"levels far outside 0 to 2 in black", {32767, -32768, 3, 4, -2}, true},
    };
    ClickDamage();
    frmDamage& f = windows.Damage();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Read(row.levels);
        if (row.focus) {
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(f.TopLevel(), &activate);
        } else {
            QWindow* window = f.TopLevel()->windowHandle();
            QExposeEvent expose(QRegion(QRect(QPoint(), window->size())));
            QCoreApplication::sendEvent(window, &expose);
        }
        for (std::size_t area = 0; area < kOutlinePoints.size(); ++area) {
            const auto [x, y] = kOutlinePoints[area];
            EXPECT_EQ(pixel(f, twipsToPixels(x), twipsToPixels(y)), colourOf(row.levels[area]))
                << "area " << area;
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
