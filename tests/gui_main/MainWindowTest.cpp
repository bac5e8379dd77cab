// The main window and its start-up, login and About windows under the offscreen platform. The
// checks look at what a user sees: widgets shown, label texts and colours, pixels of the surface.

#include <sys/stat.h>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLabel>

#include "GUI/main/frmAbout.h"
#include "GUI/orders/frmNamePassword.h"
#include "MainWindowFixture.h"
#include "model/TurnFileReader.h"
#include "pictures/Pictures.h"

namespace velmora::test {
namespace {

const QColor kYellow(255, 255, 0);

QImage picture(const char* name) {
    return Pictures::instance().get(QLatin1String(name)).convertToFormat(QImage::Format_RGB32);
}

// The surface's pixels of the given size, top-left at twips.
QImage surfaceAt(const Form& form, float left, float top, QSize size) {
    return form.Surface()
        .copy(QRect(twipsToPixels(left), twipsToPixels(top), size.width(), size.height()))
        .convertToFormat(QImage::Format_RGB32);
}

bool paintedAt(const Form& form, const char* name, float left, float top) {
    const QImage expected = picture(name);
    return surfaceAt(form, left, top, expected.size()) == expected;
}

QString text(const Label& label) {
    return qobject_cast<QLabel*>(label.Widget())->text();
}

// The bounding box of the weapon-range circle's pixels, empty when there is none.
QRect rangeCircle(const Form& form) {
    const QImage& surface = form.Surface();
    QRect box;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.pixelColor(x, y) == QColor(80, 80, 74)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

constexpr Label GUIForm::*kInfoLabels[] = {
    &GUIForm::PName,         &GUIForm::InfoSquad,   &GUIForm::InfoAircraft,
    &GUIForm::InfoAlt,       &GUIForm::InfoBear,    &GUIForm::InfoSpeed,
    &GUIForm::InfoX,         &GUIForm::InfoY,       &GUIForm::RecordInfoLbl,
    &GUIForm::InfoVictories, &GUIForm::InfoDefeats, &GUIForm::CombatInfoLbl,
    &GUIForm::infoDist,      &GUIForm::infoForward, &GUIForm::InfoElev,
    &GUIForm::infoProb};

// Everything of the main window that a failed or cancelled open must leave as it was, as text.
QStringList describe(GUIForm& f, const SharedSubsAndVar& state) {
    QStringList look;
    for (Label GUIForm::*member : kInfoLabels) {
        const Label& label = f.*member;
        look << QStringLiteral("%1 %2 %3")
                    .arg(text(label), label.Widget()->palette().color(QPalette::WindowText).name())
                    .arg(label.Widget()->isVisible());
    }
    for (const Image* image :
         {&f.ViewWindow, &f.CntrFighter, &f.FlightControlsBtn, &f.CombatBtn, &f.ThreeD,
          &f.DamageBtn, &f.ZoomIn, &f.ZoomOut, &f.ZoomRange, &f.OpenBtn}) {
        look << QStringLiteral("image %1").arg(image->Visible());
    }
    look << QStringLiteral("Options %1, zoom %2, orders %3 %4 %5, selected %6")
                .arg(f.menuOptions.Action()->isVisible())
                .arg(state.ZoomLevel)
                .arg(state.OrderHeading)
                .arg(state.OrderAltitude)
                .arg(state.OrderThrottle)
                .arg(state.SelectedAircraft);
    return look;
}

class MainWindowTest : public MainWindowFixture {
protected:
    void Zoom(float buttonLeft, bool twice = false) {
        Mouse mouse{main()};
        twice ? mouse.doubleClick(buttonLeft + 900, 5040 + 225)
              : mouse.click(buttonLeft + 900, 5040 + 225);
    }
};

using StartUp = MainWindowTest;
using Reader = MainWindowTest;
using View = MainWindowTest;
using Login = MainWindowTest;

TEST_F(StartUp, TheSplashLocksOpenFileAndHelpUntilItGoesAnyWay) {
    enum class End { Click, DesktopClose };
    const struct {
        const char* name;
        End end;
        float x, y;
    } ends[] = {{"picture", End::Click, 2400, 1800},
                {"background", End::Click, 60, 3900},
                {"a close request", End::DesktopClose, 0, 0}};
    for (const auto& row : ends) {
        SCOPED_TRACE(row.name);
        GUIForm& f = main();
        f.Show();
        SplashTitle& splash = windows.Splash();
        QEvent activate(QEvent::WindowActivate);  // the focus alone does not unlock
        QCoreApplication::sendEvent(f.TopLevel(), &activate);
        EXPECT_EQ(splash.Owner(), &f);
        EXPECT_EQ(state.OrderThrottle, 100);
        EXPECT_FALSE(f.menuFile.Action()->isEnabled());
        EXPECT_FALSE(f.menuHelp.Action()->isEnabled());
        EXPECT_EQ(surfaceAt(f, 6240, 5040, {120, 30}), solid(Qt::black, 120, 30));  // no Open

        if (row.end == End::Click) {
            Mouse{splash}.click(row.x, row.y);
        } else {
            // The window manager's close command; the main window, active all along, gets no
            // focus event afterwards.
            QCloseEvent request;
            QCoreApplication::sendEvent(splash.TopLevel(), &request);
        }
        settle();
        EXPECT_FALSE(splash.Loaded());
        EXPECT_TRUE(paintedAt(f, "OpenUp", 6240, 5040));
        EXPECT_TRUE(f.menuFile.Action()->isEnabled());
        EXPECT_TRUE(f.menuHelp.Action()->isEnabled());
        EXPECT_FALSE(f.menuOptions.Action()->isVisible());
        EXPECT_FALSE(f.PName.Widget()->isVisible());
        f.Unload();
        settle();
    }
}

TEST_F(StartUp, HelpContentsAboutAndExit) {
    GUIForm& f = Start();
    f.helpContents.Action()->trigger();
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_EQ(services.msgBoxes[0].text, "The help file help.hlp was not found.");
    Write("help.hlp", "");
    f.helpContents.Action()->trigger();
    ASSERT_EQ(services.helpOpened.size(), 1u);
    EXPECT_TRUE(services.helpOpened[0].endsWith("/help.hlp"));
    f.menuAbout.Action()->trigger();
    EXPECT_EQ(windows.About().Owner(), &f);
    sendKey(windows.About().cmdOK.Widget(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(windows.About().Loaded());

    f.menuAbout.Action()->trigger();
    f.menuExit.Action()->trigger();
    settle();
    EXPECT_FALSE(f.Loaded());
    EXPECT_FALSE(windows.About().Loaded()) << "Exit ends the owned windows too";
}

TEST_F(Reader, ACompleteReadShowsTheTurn) {
    WritePilot();
    GUIForm& f = Start();
    Open(kDogfight);

    ASSERT_EQ(services.fileDialogs.size(), 1u);
    EXPECT_EQ(services.fileDialogs[0].title, "Open Skelmar Velmora Data File");
    EXPECT_EQ(services.fileDialogs[0].filter, QString::fromUtf8(kTurnFileFilter.data()));
    EXPECT_TRUE(services.msgBoxes.empty());
    // Every picture button in its released look, each at its place.
    const std::pair<const Image*, const char*> buttons[] = {
        {&f.FlightControlsBtn, "FCup"}, {&f.CombatBtn, "CombatBtnUp"}, {&f.ThreeD, "ThreeDUp"},
        {&f.DamageBtn, "DmgBtnUp"},     {&f.ZoomIn, "ZoomInUp"},       {&f.ZoomOut, "ZoomOutUp"},
        {&f.ZoomRange, "ZoomRngUp"},    {&f.OpenBtn, "OpenUp"}};
    for (const auto& [button, look] : buttons) {
        EXPECT_TRUE(paintedAt(f, look, button->Left(), button->Top())) << look;
    }
    // The own icon for heading 90 (east), in the yellow frame of the own-aircraft display.
    EXPECT_EQ(f.CntrFighter.Picture().convertToFormat(QImage::Format_RGB32), picture("GoodGuy(2)"));
    EXPECT_EQ(pixel(f, 156, 156), kYellow);
    EXPECT_TRUE(f.menuOptions.Action()->isVisible());
    for (Label GUIForm::*label : kInfoLabels) {
        EXPECT_TRUE((f.*label).Widget()->isVisible()) << text(f.*label).toStdString();
    }
    EXPECT_EQ(state.OrderHeading, 90);
    EXPECT_EQ(state.PilotName, "Ace");
    EXPECT_FALSE(windows.NamePassword().Loaded());
}

// A file that cannot be read as a turn leaves the window as it was, before any turn and with
// one on it (a contact under the pointer, orders changed on the pad): labels, controls, the
// picture and the order values. Only what is no turn file at all is told; a pipe or a file far
// larger than a turn is refused at once, unread.
TEST_F(Reader, AFileThatIsNoTurnLeavesTheWindowAsItWas) {
    ASSERT_EQ(mkfifo("pipe.smv", 0600), 0);
    const QString large = Write("large.smv", "");
    ASSERT_TRUE(QFile::resize(large, static_cast<qint64>(kMaxTurnFileBytes) + 1));
    const struct {
        const char* name;
        QString path;  // empty: the dialog is cancelled
        const char* message;
    } rows[] = {
        {"the dialog cancelled", {}, nullptr},
        {"an empty file", Write("empty.smv", ""), nullptr},
        {"a file that cannot be opened", QDir::current().absoluteFilePath("gone.smv"), nullptr},
        {"a wrong header", QStringLiteral(VELMORA_TEST_DATA_DIR "/wrong-header.smv"),
         "Error: Not an Velmora 2.0 file!"},
        {"a pipe", QDir::current().absoluteFilePath("pipe.smv"),
         "Error: Not a file that can be read! A folder, a device or a pipe is no turn data file."},
        {"a file of 64 MB and a byte", large,
         "Error: The file is larger than 64 MB, far too large for a turn data file!"},
    };
    WritePilot();
    for (const bool turnShown : {false, true}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.name) + (turnShown ? ", a turn shown" : ", no turn"));
            GUIForm& f = Start();
            if (turnShown) {
                Open(kDogfight);
                Mouse{f}.move(2742, 2409);  // onto the aircraft 1.5 km east and 0.75 km north
                state.OrderHeading = 123;
                state.OrderThrottle = 40;
            }
            const QStringList before = describe(f, state);
            const QImage surface = f.Surface().copy();
            services.msgBoxes.clear();
            row.path.isEmpty() ? services.QueueFileCancel() : services.QueueFileChoice(row.path);
            f.menuOpen.Action()->trigger();

            EXPECT_EQ(describe(f, state).join('\n'), before.join('\n'));
            EXPECT_TRUE(f.Surface() == surface);
            ASSERT_EQ(services.msgBoxes.size(), row.message != nullptr ? 1u : 0u);
            if (row.message != nullptr) {
                EXPECT_EQ(services.msgBoxes[0].text, row.message);
                EXPECT_EQ(services.msgBoxes[0].title, "Error Opening File");
            }
            EXPECT_FALSE(windows.NamePassword().Loaded());
            f.Unload();
            settle();
        }
    }
}

TEST_F(View, MarksRangeCircleZoomStepsAndPressedLook) {
    // Own aircraft at the origin; a foe heading west 5 km east, a friend heading east 5 km west,
    // an objective 3 km north.
    GUIForm& f = Start();
    Open(Write("view.smv",
               std::string(kTurnFileHeader) +
                   "\r\nVISIBILITY=10\r\nMAXRANGE=4\r\nX=0\r\nY=0\r\nHEADING=0\r\nTEAM=1\r\n"
                   "[AIRCRAFT]\r\nTEAM=2\r\nX=5\r\nY=0\r\nHEADING=West\r\n[ENDAIRCRAFT]\r\n"
                   "[AIRCRAFT]\r\nTEAM=1\r\nX=-5\r\nY=0\r\nHEADING=East\r\n[ENDAIRCRAFT]\r\n"
                   "[OBJECTIVE]\r\nOX=0\r\nOY=3\r\n[ENDOBJECTIVE]\r\n"));
    // 4 / 10 * 2220 = 888 twips (59 pixels) around the own icon's centre (2525, 2520).
    const QRect circle = rangeCircle(f);
    EXPECT_NEAR(circle.center().x(), 168, 1);
    EXPECT_NEAR(circle.center().y(), 168, 1);
    EXPECT_NEAR(circle.width(), 2 * 59 + 1, 1);
    EXPECT_TRUE(paintedAt(f, "BadGuy(6)", 2340 + 1110, 2340));
    EXPECT_TRUE(paintedAt(f, "Friendly(2)", 2340 - 1110, 2340));
    EXPECT_TRUE(paintedAt(f, "BullsEye", 2340, 2340 - 666));

    Zoom(120, true);
    EXPECT_EQ(state.ZoomLevel, 8);
    EXPECT_TRUE(paintedAt(f, "BadGuy(6)", 2340 + 1388, 2340));
    // Zoomed to range the foe lies beyond: the bare map shows where it was.
    Zoom(4200);
    EXPECT_EQ(state.ZoomLevel, 4);
    EXPECT_TRUE(rangeCircle(f).isEmpty());
    const int x = twipsToPixels(2340 + 1388);
    EXPECT_EQ(surfaceAt(f, 2340 + 1388, 2340, {24, 24}),
              picture("ViewWindow").copy(x - 8, 156 - 8, 24, 24));
    Zoom(2160, true);
    EXPECT_EQ(state.ZoomLevel, 6);

    // A pressed button keeps its pressed look until released anywhere; away from it, no click.
    Mouse mouse{f};
    mouse.press(120 + 900, 5040 + 225);
    mouse.move(7000, 3000, Qt::LeftButton);
    EXPECT_TRUE(paintedAt(f, "ZoomInDown", 120, 5040));
    mouse.release(7000, 3000);
    EXPECT_TRUE(paintedAt(f, "ZoomInUp", 120, 5040));
    EXPECT_EQ(state.ZoomLevel, 6);
}

TEST_F(View, LabelsFollowThePointerOverOwnAircraftContactAndObjective) {
    // Own aircraft heading east; an aircraft dead ahead 2 km away, and an objective 3 km north.
    GUIForm& f = Start();
    Open(Write("contacts.smv",
               std::string(kTurnFileHeader) +
                   "\r\nVISIBILITY=10\r\nMAXRANGE=4\r\nX=12.5\r\nY=-4.25\r\nHEADING=90\r\n"
                   "[AIRCRAFT]\r\nNAME=Jos\xE9\r\nPIC=IM\r\nSQUAD=Vipers\r\nX=14.5\r\n"
                   "Y=-4.25\r\n[ENDAIRCRAFT]\r\n"
                   "[OBJECTIVE]\r\nONAME=Radar Hill\r\nOX=12.5\r\nOY=-1.25\r\nOALT=1500.5\r\n"
                   "[ENDOBJECTIVE]\r\n"));
    // The pointer at the centre of what it shows; negative: as the read left it.
    const struct {
        float x, y;
        Label GUIForm::*label;
        const char* caption;  // UTF-8
        bool yellow;
    } rows[] = {
        {-1, -1, &GUIForm::PName, "Your Aircraft", true},
        {-1, -1, &GUIForm::infoDist, "Distance:", false},
        {2964, 2520, &GUIForm::PName, "Jos\xC3\xA9 (IM)", true},  // a Latin-1 byte in the file
        {2964, 2520, &GUIForm::infoDist, "Distance: 2.0 km  (Target in range)", true},
        {2520, 1854, &GUIForm::PName, "Radar Hill", true},
        {2520, 1854, &GUIForm::InfoSquad, "Squadron: Vipers", false},
        {2525, 2520, &GUIForm::infoDist, "Distance: 3.0 km  (Target in range)", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        if (row.x >= 0) {
            Mouse{f}.move(row.x, row.y);
        }
        const Label& label = f.*row.label;
        EXPECT_EQ(text(label), QString::fromUtf8(row.caption));
        const QColor colour = label.Widget()->palette().color(QPalette::WindowText);
        EXPECT_EQ(colour, row.yellow ? kYellow : QColor(64, 64, 0));
    }
    Mouse{f}.move(2964, 2520);
    EXPECT_NE(pixel(f, 156, 156), kYellow) << "the own aircraft's frame goes with the pointer";
}

// Every caption the window writes fits beside the map at the widest value it can take; a text
// of the turn file (names, squadrons, aircraft types, coordinates of any size) ends in an
// ellipsis within the same room.
TEST_F(View, EveryCaptionFitsBesideTheMapOrEndsInAnEllipsisThere) {
    constexpr float kRoomRight = 8175 - 120;  // the window's edge, less the map's margin
    const QString longName = QStringLiteral("Hauptmann Friedrich-Wilhelm von Hohenberg");
    // The contact of the reported case, 16.36 km away and out of range, with a long name.
    GUIForm& f = Start();
    Open(Write("far.smv", std::string(kTurnFileHeader) +
                              "\r\nVISIBILITY=20\r\nMAXRANGE=4\r\nX=0\r\nY=0\r\n"
                              "[AIRCRAFT]\r\nNAME=" +
                              longName.toStdString() +
                              "\r\nPIC=FW\r\nX=16.36\r\nY=0\r\n[ENDAIRCRAFT]\r\n"));
    Mouse{f}.move(4336, 2520);  // its picture's centre: 16.36 / 20 * 2220 = 1816 twips east
    ASSERT_EQ(state.SelectedAircraft, 1);
    EXPECT_EQ(f.infoDist.ShownCaption(), "Distance: 16.36 km  (Target out of range)");

    const struct {
        Label GUIForm::*label;
        QString caption;  // empty: as the pointer left it
        bool cut;
    } rows[] = {
        {&GUIForm::infoDist, {}, false},
        {&GUIForm::PName, {}, true},
        // A contact under the pointer lies less than 1.17 zooms east or west and north or south
        // of the own aircraft: at the largest zoom, 32767 km, less than 53900 km away.
        {&GUIForm::infoDist, "Distance: 99999.99 km  (Target out of range)", false},
        {&GUIForm::InfoY, "Y: -340282346638528859811704183484516925440.0", true},
        {&GUIForm::InfoSquad, "Squadron: " + QString(200, QLatin1Char('W')), true},
    };
    for (const auto& row : rows) {
        Label& label = f.*row.label;
        if (!row.caption.isEmpty()) {
            label.SetCaption(row.caption);
        }
        SCOPED_TRACE(label.Caption().toStdString());
        EXPECT_EQ(label.ShownCaption().endsWith(QChar(0x2026)), row.cut)
            << label.ShownCaption().toStdString();
        EXPECT_LE(label.Left() + label.Width(), kRoomRight);
        EXPECT_LE(label.Widget()->sizeHint().width(), label.Widget()->width());
    }
}

// Files that are not private come out readable by all, as on most desktops; the pilot file,
// which holds the password, is its owner's alone, also when it replaces one readable by all. A
// save that fails is told, and the login holds for the run.
TEST_F(Login, OkKeepsTheLoginAndWritesThePilotFileByteForByteOrTellsWhyNot) {
    const struct UsualMask {
        mode_t before = umask(022);
        ~UsualMask() { umask(before); }
    } usualMask;
    const struct {
        const char* name;
        bool folderInTheWay;
    } rows[] = {{"saved", false}, {"a folder in the file's place", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // No login to read in the pilot file's place: the login window asks.
        row.folderInTheWay ? void(QDir().mkdir(QStringLiteral("npdata.vsd")))
                           : void(Write("npdata.vsd", ""));
        GUIForm& f = Start();
        Open(kDogfight);
        frmNamePassword& w = windows.NamePassword();
        ASSERT_TRUE(w.Loaded());
        EXPECT_EQ(w.Owner(), &f);
        w.txtName.SetText(QStringLiteral("Rimmer, Ace"));
        w.txtPassword.SetText(QStringLiteral(" blue 7 "));
        static_cast<QAbstractButton*>(w.cmdOK.Widget())->click();
        settle();

        EXPECT_FALSE(w.Loaded());
        EXPECT_EQ(state.PilotName, "Rimmer, Ace");
        EXPECT_EQ(state.PilotPassword, " blue 7 ");
        if (row.folderInTheWay) {
            ASSERT_EQ(services.msgBoxes.size(), 1u);
            EXPECT_TRUE(services.msgBoxes[0].text.contains("could not be saved"));
        } else {
            EXPECT_TRUE(services.msgBoxes.empty());
            QFile file(QStringLiteral("npdata.vsd"));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), "\"Rimmer, Ace\"\r\n\" blue 7 \"\r\n");
            struct stat status {};
            ASSERT_EQ(stat("npdata.vsd", &status), 0);
            EXPECT_EQ(status.st_mode & 0777, 0600u);
            ASSERT_TRUE(QFile::remove(QStringLiteral("npdata.vsd")));
        }
        f.Unload();
        settle();
    }
}

}  // namespace
}  // namespace velmora::test
