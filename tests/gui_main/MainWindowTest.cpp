// The main window and its start-up and login windows under the offscreen platform. The checks
// look at what a user sees: widgets shown, label texts and colours, pixels of the surface.

#include <sys/stat.h>

#include <QAbstractButton>
#include <QPainter>
#include <tuple>

#include "GUI/orders/frmNamePassword.h"
#include "model/TurnFileReader.h"
#include "pictures/Pictures.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

const QColor kYellow(255, 255, 0);

QImage PictureNamed(const char* name) {
    return Pictures::instance().get(QLatin1String(name)).convertToFormat(QImage::Format_RGB32);
}

bool PaintedAt(const Form& form, const char* name, float left, float top) {
    const QImage expected = PictureNamed(name);
    const QRect at(QPoint(TwipsToPixels(left), TwipsToPixels(top)), expected.size());
    return FormTestAccess::Surface(form).copy(at).convertToFormat(QImage::Format_RGB32) == expected;
}

// Everything of the main window that a failed or cancelled open must leave as it was: the
// window's pixels with its labels and menus, and the view and order values.
auto Describe(GUIForm& f, const SharedSubsAndVar& s) {
    return std::tuple(FormTestAccess::TopLevel(f)->grab().toImage(), s.ZoomLevel, s.OrderHeading,
                      s.OrderAltitude, s.OrderThrottle, s.SelectedAircraft);
}

using MainWindow = MainWindowFixture;

// A click on the splash's background unlocks the window as a click on its picture does; then
// Help opens the help file or tells that it is missing.
TEST_F(MainWindow, TheSplashLocksOpenFileAndHelpUntilItGoes) {
    GUIForm& f = main();
    f.Show();
    QEvent activate(QEvent::WindowActivate);  // the focus alone does not unlock
    QCoreApplication::sendEvent(FormTestAccess::TopLevel(f), &activate);
    EXPECT_FALSE(f.menuFile.Action()->isEnabled() || f.menuHelp.Action()->isEnabled());
    EXPECT_FALSE(PaintedAt(f, "OpenUp", 6240, 5040));

    Mouse{windows.Splash()}.click(60, 3900);
    settle();
    EXPECT_TRUE(PaintedAt(f, "OpenUp", 6240, 5040));
    EXPECT_TRUE(f.menuFile.Action()->isEnabled() && f.menuHelp.Action()->isEnabled());
    EXPECT_FALSE(f.menuOptions.Action()->isVisible() || f.PName.Widget()->isVisible());
    f.helpContents.Action()->trigger();
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_EQ(services.msgBoxes[0].text, "The help file help.hlp was not found.");
    Write("help.hlp", "");
    f.helpContents.Action()->trigger();
    EXPECT_EQ(services.helpOpened, std::vector{QDir::current().absoluteFilePath("help.hlp")});
}

// A file that cannot be read as a turn leaves the window as it was, before any turn and with
// one on it (a contact under the pointer, orders changed on the pad): labels, controls, the
// picture and the order values. Only what is no turn file at all is told.
TEST_F(MainWindow, AFileThatIsNoTurnLeavesTheWindowAsItWas) {
    // The file chosen (none: the dialog is cancelled) and what is told.
    const std::tuple<const char*, QString, const char*> rows[] = {
        {"the dialog cancelled", {}, nullptr},
        {"an empty file", Write("empty.smv", ""), nullptr},
        {"a file that cannot be opened", QDir::current().absoluteFilePath("gone.smv"), nullptr},
        {"a wrong header", QStringLiteral(VELMORA_TEST_DATA_DIR "/wrong-header.smv"),
         "Error: Not an Velmora 2.0 file!"},
    };
    WritePilot();
    for (const bool turnShown : {false, true}) {
        for (const auto& [name, path, message] : rows) {
            SCOPED_TRACE(std::string(name) + (turnShown ? ", a turn shown" : ", no turn"));
            GUIForm& f = Start();
            if (turnShown) {
                Open(kDogfight);
                Mouse{f}.move(2742, 2409);  // onto the aircraft 1.5 km east and 0.75 km north
                state.OrderHeading = 123;
                state.OrderThrottle = 40;
            }
            const auto before = Describe(f, state);
            services.msgBoxes.clear();
            path.isEmpty() ? services.QueueFileCancel() : services.QueueFileChoice(path);
            f.menuOpen.Action()->trigger();

            EXPECT_TRUE(Describe(f, state) == before);
            ASSERT_EQ(services.msgBoxes.size(), message != nullptr ? 1u : 0u);
            if (message != nullptr) {
                EXPECT_EQ(services.msgBoxes[0].text, message);
                EXPECT_EQ(services.msgBoxes[0].title, "Error Opening File");
            }
            f.Unload();
            settle();
        }
    }
}

TEST_F(MainWindow, MarksFoesFriendsAndObjectivesAndZoomSteps) {
    // Own aircraft at the origin; a foe heading west 5 km east, a friend heading east 5 km west,
    // an objective 3 km north.
    GUIForm& f = Start();
    Open(Write("view.smv",
               std::string(kTurnFileHeader) +
                   "\r\nVISIBILITY=10\r\nMAXRANGE=4\r\nX=0\r\nY=0\r\nHEADING=90\r\nTEAM=1\r\n"
                   "[AIRCRAFT]\r\nTEAM=2\r\nX=5\r\nY=0\r\nHEADING=West\r\n[ENDAIRCRAFT]\r\n"
                   "[AIRCRAFT]\r\nTEAM=1\r\nX=-5\r\nY=0\r\nHEADING=East\r\n[ENDAIRCRAFT]\r\n"
                   "[OBJECTIVE]\r\nOX=0\r\nOY=3\r\n[ENDOBJECTIVE]\r\n"));
    EXPECT_TRUE(PaintedAt(f, "BadGuy(6)", 2340 + 1110, 2340));
    EXPECT_TRUE(PaintedAt(f, "Friendly(2)", 2340 - 1110, 2340));
    EXPECT_TRUE(PaintedAt(f, "BullsEye", 2340, 2340 - 666));

    // Zoom In and Zoom Out step twice on a double click; Zoom Range goes to the weapon range.
    Mouse{f}.doubleClick(120 + 900, 5265);
    EXPECT_EQ(state.ZoomLevel, 8);
    Mouse{f}.click(4200 + 900, 5265);
    EXPECT_EQ(state.ZoomLevel, 4);
    // Of zoom 8's circle and contacts nothing stays: the bare map, the objective at 3 / 4 of the
    // half-width north and the own icon for heading 90 (east).
    const QRect map(8, 8, 320, 320);
    const QImage shown = FormTestAccess::Surface(f).copy(map);
    f.ViewWindow.Refresh();
    QImage bare = FormTestAccess::Surface(f).copy(map);
    QPainter(&bare).drawImage(QPoint(148, 148 - 111), PictureNamed("BullsEye"));
    QPainter(&bare).drawImage(QPoint(148, 148), PictureNamed("GoodGuy(2)"));
    EXPECT_TRUE(shown == bare);
    Mouse{f}.doubleClick(2160 + 900, 5265);
    EXPECT_EQ(state.ZoomLevel, 6);
    EXPECT_TRUE(PaintedAt(f, "ZoomInUp", 120, 5040)) << "a released button looks released";
}

// The labels follow the pointer from the own aircraft, where the combat lines are dim, onto a
// contact, where they are yellow, and the own aircraft's frame goes with the pointer. A caption
// fits beside the map; a long name from the turn file ends in an ellipsis there.
TEST_F(MainWindow, LabelsFollowThePointerAndFitBesideTheMapOrEndInAnEllipsisThere) {
    // The contact of the reported case, 16.36 km away and out of range, with a long name.
    GUIForm& f = Start();
    Open(Write("far.smv", std::string(kTurnFileHeader) +
                              "\r\nVISIBILITY=20\r\nMAXRANGE=4\r\nX=0\r\nY=0\r\n[AIRCRAFT]\r\n"
                              "NAME=Hauptmann Friedrich-Wilhelm von Hohenberg\r\nPIC=FW\r\n"
                              "X=16.36\r\nY=0\r\n[ENDAIRCRAFT]\r\n"));
    EXPECT_EQ(f.infoDist.Widget()->palette().color(QPalette::WindowText), QColor(64, 64, 0));
    Mouse{f}.move(4336, 2520);  // its picture's centre: 16.36 / 20 * 2220 = 1816 twips east
    EXPECT_EQ(f.infoDist.ShownCaption(), "Distance: 16.36 km  (Target out of range)");
    EXPECT_TRUE(f.PName.ShownCaption().endsWith(QChar(0x2026)));
    EXPECT_EQ(f.infoDist.Widget()->palette().color(QPalette::WindowText), kYellow);
    EXPECT_NE(pixel(f, 156, 156), kYellow);
    for (const Label* label : {&f.infoDist, &f.PName}) {
        EXPECT_LE(label->Left() + label->Width(), 8175 - 120);  // the edge, less the map's margin
        EXPECT_LE(label->Widget()->sizeHint().width(), label->Widget()->width());
    }
}

// Files that are not private come out readable by all, as on most desktops; the pilot file,
// which holds the password, is its owner's alone, also when it replaces one readable by all. A
// save that fails is told, and the login holds for the run.
TEST_F(MainWindow, OkKeepsTheLoginAndWritesThePilotFileByteForByteOrTellsWhyNot) {
    const struct UsualMask {
        mode_t before = umask(022);
        ~UsualMask() { umask(before); }
    } usualMask;
    for (const bool folderInTheWay : {false, true}) {
        SCOPED_TRACE(folderInTheWay ? "a folder in the file's place" : "saved");
        // No login to read in the pilot file's place: the login window asks.
        folderInTheWay ? void(QDir().mkdir(QStringLiteral("npdata.vsd")))
                       : void(Write("npdata.vsd", ""));
        GUIForm& f = Start();
        Open(kDogfight);
        frmNamePassword& w = windows.NamePassword();
        ASSERT_TRUE(w.Loaded());
        w.txtName.SetText(QStringLiteral("Rimmer, Ace"));
        w.txtPassword.SetText(QStringLiteral(" blue 7 "));
        static_cast<QAbstractButton*>(w.cmdOK.Widget())->click();
        settle();

        EXPECT_EQ(state.PilotName + state.PilotPassword, "Rimmer, Ace blue 7 ");
        if (folderInTheWay) {
            ASSERT_EQ(services.msgBoxes.size(), 1u);
            EXPECT_TRUE(services.msgBoxes[0].text.contains("could not be saved"));
        } else {
            EXPECT_TRUE(services.msgBoxes.empty());
            QFile file(QStringLiteral("npdata.vsd"));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), "\"Rimmer, Ace\"\r\n\" blue 7 \"\r\n");
            struct stat status {};
            EXPECT_TRUE(stat("npdata.vsd", &status) == 0 && (status.st_mode & 0777) == 0600);
            ASSERT_TRUE(QFile::remove(QStringLiteral("npdata.vsd")));
        }
        f.Unload();
        settle();
    }
}

}  // namespace
}  // namespace velmora::test
