// The damage report and the combat report under the offscreen platform, opened from a main window
// with a turn on it. The checks look at what the pilot sees: the chart's pixels, the report box.

#include <QDir>
#include <QExposeEvent>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QWindow>
#include <array>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "GUI/main/SplashTitle.h"
#include "GUI/reports/frmCombatReport.h"
#include "GUI/reports/frmDamage.h"
#include "model/SharedSubsAndVar.h"
#include "model/TurnFileReader.h"
#include "pictures/Pictures.h"
#include "platform/ScriptedServices.h"
#include "tests/platform/TestSupport.h"

// Failing rows name colours, not bytes.
void PrintTo(const QColor& colour, std::ostream* os) {
    *os << colour.name().toStdString();
}

namespace velmora::test {
namespace {

const QColor kGreen(0, 255, 0), kYellow(255, 255, 0), kRed(255, 0, 0), kBlack(0, 0, 0);

QColor colourOf(int16_t level) {
    switch (level) {
        case 0:
            return kGreen;
        case 1:
            return kYellow;
        case 2:
            return kRed;
        default:
            return kBlack;
    }
}

// Damage levels in the order engine, left wing, right wing, controls, fuselage.
using Levels = std::array<int16_t, 5>;

std::string turnWithDamage(const Levels& levels) {
    const char* const keys[] = {"DAMAGEENGINE=", "DAMAGELEFTWING=", "DAMAGERIGHTWING=",
                                "DAMAGECONTROLS=", "DAMAGEFUSELAGE="};
    std::string turn = std::string(kTurnFileHeader) + "\r\nVISIBILITY=10\r\n";
    for (std::size_t i = 0; i < levels.size(); ++i) {
        turn += keys[i] + std::to_string(levels[i]) + "\r\n";
    }
    return turn;
}

// A point of each outline, in the report's twips, where no later outline crosses it and the
// aircraft lies under it (so a black outline shows against the picture), in the order above.
constexpr std::array<std::array<float, 2>, 5> kOutlinePoints = {{
    {2070, 320},   // engine, top edge over the spinner
    {1920, 1200},  // left wing, inner edge over the wing root
    {2220, 1200},  // right wing, inner edge over the wing root
    {2070, 2920},  // controls, top edge over the tail
    {1860, 1200},  // fuselage, left edge over the wing root
}};

QColor at(const Form& form, float x, float y) {
    return pixel(form, twipsToPixels(x), twipsToPixels(y));
}

class ReportWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QFile pilot(QStringLiteral("npdata.vsd"));  // no login window after a read
        ASSERT_TRUE(pilot.open(QIODevice::WriteOnly));
        pilot.write("\"Ace\"\r\n\"pw\"\r\n");
    }
    void TearDown() override {
        main().Unload();
        settle();
        QDir::setCurrent(previous);
    }

    GUIForm& main() { return windows.MainForm(); }
    // The main window unlocked, with a turn read through its Open button.
    void StartWithTurn(const std::string& turn) {
        main().Show();
        Mouse{windows.Splash()}.click(2400, 1800);
        Read(turn);
    }
    void Read(const std::string& turn) {
        QFile file(QStringLiteral("turn.smv"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray::fromStdString(turn));
        file.close();
        services.QueueFileChoice(QFileInfo(file).absoluteFilePath());
        Mouse{main()}.click(6240 + 900, 5040 + 225);
    }
    void ClickCombat() { Mouse{main()}.click(4200 + 375, 120 + 375); }
    void ClickDamage() { Mouse{main()}.click(4200 + 375, 4200 + 375); }

    QPlainTextEdit* box() {
        return qobject_cast<QPlainTextEdit*>(windows.CombatReport().txtCombatInfo.Widget());
    }

    QTemporaryDir folder;
    QString previous;
    SharedSubsAndVar state;
    ScriptedServices services;
    Windows windows{state, services};
};

using Reports = ReportWindowsTest;
using DamageReport = ReportWindowsTest;
using CombatReport = ReportWindowsTest;

TEST_F(Reports, ButtonsAndMenuItemsOpenThemOwnedByTheMainWindow) {
    enum class Way { Button, Menu };
    const struct {
        const char* name;
        bool damage;
        Way way;
    } rows[] = {{"combat button", false, Way::Button},
                {"combat report menu item", false, Way::Menu},
                {"damage button", true, Way::Button},
                {"damage report menu item", true, Way::Menu}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        StartWithTurn(turnWithDamage({0, 0, 0, 0, 0}));
        Form& report = row.damage ? static_cast<Form&>(windows.Damage())
                                  : static_cast<Form&>(windows.CombatReport());
        if (row.way == Way::Button) {
            row.damage ? ClickDamage() : ClickCombat();
        } else {
            (row.damage ? main().menuDamage : main().menuCombat).Action()->trigger();
        }
        ASSERT_TRUE(report.Loaded());
        EXPECT_EQ(report.Caption(), row.damage ? "Damage Report" : "Combat/Scenario Report");
        EXPECT_EQ(report.TopLevel()->windowTitle(), report.Caption());
        EXPECT_EQ(report.Owner(), &main());
        // Transient for the main window: above it, and no task-bar entry of its own.
        EXPECT_EQ(report.TopLevel()->parentWidget(), main().TopLevel());
        ASSERT_NE(report.TopLevel()->windowHandle(), nullptr);
        EXPECT_EQ(report.TopLevel()->windowHandle()->transientParent(),
                  main().TopLevel()->windowHandle());
        const Qt::WindowFlags flags = report.TopLevel()->windowFlags();
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        const QSize inner = row.damage ? QSize(280, 238) : QSize(279, 215);
        EXPECT_EQ(report.InnerArea()->size(), inner);
        EXPECT_EQ(report.TopLevel()->minimumSize() == report.TopLevel()->maximumSize(), row.damage)
            << "only the damage report has a fixed size";
        EXPECT_EQ(report.BackColor(), kBlack);

        main().Unload();
        EXPECT_FALSE(report.Loaded()) << "closes with the main window";
        settle();
    }
}

TEST_F(DamageReport, OutlinesTakeTheLevelsAtEveryDraw) {
    enum class Draw { Load, Repaint, Focus };
    const struct {
        const char* name;
        Levels levels;  // read from a turn file before the draw
        Draw draw;
    } rows[] = {
        {"at load", {0, 1, 2, 3, -1}, Draw::Load},
        {"at a repaint after a new turn", {1, 2, 3, -1, 0}, Draw::Repaint},
        {"when it gets the focus after a new turn", {2, -1, 0, 1, 3}, Draw::Focus},
        {"all red at a repaint", {2, 2, 2, 2, 2}, Draw::Repaint},
        {"levels far outside 0 to 2 in black", {32767, -32768, 3, 4, -2}, Draw::Focus},
    };
    StartWithTurn(turnWithDamage({0, 0, 0, 0, 0}));
    frmDamage& f = windows.Damage();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Read(turnWithDamage(row.levels));
        ASSERT_EQ(state.DamageFuselage, row.levels[4]);
        switch (row.draw) {
            case Draw::Load:
                f.Unload();
                settle();
                ClickDamage();
                break;
            case Draw::Repaint: {
                QWindow* window = f.TopLevel()->windowHandle();
                QExposeEvent expose(QRegion(QRect(QPoint(), window->size())));
                QCoreApplication::sendEvent(window, &expose);
                break;
            }
            case Draw::Focus: {
                QEvent activate(QEvent::WindowActivate);
                QCoreApplication::sendEvent(f.TopLevel(), &activate);
                break;
            }
        }
        for (std::size_t area = 0; area < kOutlinePoints.size(); ++area) {
            EXPECT_EQ(at(f, kOutlinePoints[area][0], kOutlinePoints[area][1]),
                      colourOf(row.levels[area]))
                << "area " << area;
        }
        // The fuselage goes last: where it crosses the engine box its colour lies on top.
        EXPECT_EQ(at(f, 1970, 390), colourOf(row.levels[4]));
        EXPECT_EQ(f.ForeColor(), colourOf(row.levels[4]));
    }
}

TEST_F(DamageReport, ThePictureLiesAtItsNaturalSizeUnderTheOutlines) {
    StartWithTurn(turnWithDamage({0, 0, 0, 0, 0}));
    ClickDamage();
    frmDamage& f = windows.Damage();
    EXPECT_FALSE(f.ChartPic.Visible());
    const QImage chart = Pictures::instance().get("ChartPic").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(chart.size(), QSize(260, 213));
    // Inside the left wing's box, left of the fuselage's; the picture's corner is at (8, 8).
    const QRect inside(9, 56, 115, 54);
    EXPECT_EQ(f.Surface().copy(inside), chart.copy(inside.translated(-8, -8)));
    // Beyond the picture the ground stays black, and nothing lies in the bottom margin.
    EXPECT_EQ(f.Surface().copy(0, 221, 280, 17), solid(kBlack, 280, 17));
}

TEST_F(CombatReport, ShowsTheTextTakenAtLoadReadOnlyYellowOnBlack) {
    const struct {
        const char* name;
        std::string report;
        QString shown;
        int lines;
    } rows[] = {
        {"three lines and the empty line after the last line end", "First\r\nSecond\r\nThird\r\n",
         "First\nSecond\nThird\n", 4},
        {"no report read", "", "", 1},
        {"accented letters of a single-byte file", "Pil\xF6t\r\n", QString::fromUtf8("Pilöt\n"), 2},
    };
    StartWithTurn(turnWithDamage({0, 0, 0, 0, 0}));
    frmCombatReport& f = windows.CombatReport();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        state.CombatText = row.report;
        ClickCombat();
        ASSERT_NE(box(), nullptr);
        EXPECT_EQ(box()->toPlainText(), row.shown);
        EXPECT_EQ(box()->blockCount(), row.lines);
        EXPECT_TRUE(box()->isReadOnly());
        EXPECT_TRUE(box()->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        EXPECT_EQ(box()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(box()->palette().color(QPalette::Text), kYellow);
        EXPECT_EQ(box()->palette().color(QPalette::Base), kBlack);

        state.CombatText = "A later turn\r\n";
        ClickCombat();
        EXPECT_EQ(box()->toPlainText(), row.shown) << "an open window keeps its text";
        f.Unload();
        settle();
    }
}

TEST_F(CombatReport, AHugeReportShowsABoundedPartAndStaysWholeInTheTurn) {
    StartWithTurn(turnWithDamage({0, 0, 0, 0, 0}));
    state.CombatText = std::string(20 << 20, 'x') + "\r\n";
    ClickCombat();
    ASSERT_NE(box(), nullptr);
    EXPECT_LE(box()->toPlainText().size(), 1 << 20);
    EXPECT_EQ(box()->document()->firstBlock().text(), QString(4096, QLatin1Char('x')));
    EXPECT_EQ(state.CombatText.size(), (std::size_t{20} << 20) + 2);
}

TEST_F(CombatReport, TheBoxFollowsTheOuterSize) {
    const struct {
        const char* name;
        int width, height;  // outer size, pixels
        float boxWidth, boxHeight;
    } rows[] = {
        {"designed inner size with a 120 x 405 frame", 287, 242, 3975, 3015},
        {"1000 twips wider", 287 + 66, 242, 3975 + 990, 3015},
        {"too narrow: only the height follows", 20, 300, 3975 + 990, 3885},
        {"too small for either rule: nothing changes", 22, 41, 3975 + 990, 3885},
        {"too low: only the width follows", 300, 41, 4170, 3885},
    };
    StartWithTurn(turnWithDamage({0, 0, 0, 0, 0}));
    ClickCombat();
    frmCombatReport& f = windows.CombatReport();
    const QMargins frame = f.TopLevel()->windowHandle()->frameMargins();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        f.TopLevel()->resize(row.width - frame.left() - frame.right(),
                             row.height - frame.top() - frame.bottom());
        settle();
        ASSERT_EQ(f.Width(), pixelsToTwips(row.width));
        ASSERT_EQ(f.Height(), pixelsToTwips(row.height));
        EXPECT_EQ(f.txtCombatInfo.Width(), row.boxWidth);
        EXPECT_EQ(f.txtCombatInfo.Height(), row.boxHeight);
        EXPECT_EQ(f.txtCombatInfo.Left(), 120);
        EXPECT_EQ(f.txtCombatInfo.Top(), 120);
    }
}

}  // namespace
}  // namespace velmora::test
