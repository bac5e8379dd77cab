#include "GUI/orders/frmNamePassword.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

using Reader = MainWindowTest;
using View = MainWindowTest;

QString sample(const char* name) {
    return QStringLiteral(VELMORA_SAMPLES_DIR "/") + QLatin1String(name);
}

// Own aircraft at the origin; a foe heading west 5 km east, an objective 3 km north.
const std::string kView =
    "VISIBILITY=10\r\nMAXRANGE=4\r\nX=0\r\nY=0\r\nHEADING=0\r\nTEAM=1\r\n"
    "[AIRCRAFT]\r\nNAME=Foe\r\nTEAM=2\r\nX=5\r\nY=0\r\nHEADING=West\r\n[ENDAIRCRAFT]\r\n"
    "[OBJECTIVE]\r\nONAME=Depot\r\nOX=0\r\nOY=3\r\n[ENDOBJECTIVE]\r\n";

// The pixels of the weapon-range circle: its bounding box, empty when there is none.
QRect rangeCircle(const Form& form) {
    const QImage& surface = form.Surface();
    const QColor circle(80, 80, 74);
    QRect box;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.pixelColor(x, y) == circle) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

TEST_F(Reader, ACompleteReadShowsTheTurn) {
    WritePilotFile("\"Ace\"\r\n\"pw\"\r\n");
    GUIForm& f = Start();
    state.PilotName = "someone else";
    Open(sample("dogfight.smv"));

    ASSERT_EQ(services.fileDialogs.size(), 1u);
    EXPECT_EQ(services.fileDialogs[0].title, "Open Skelmar Velmora Data File");
    EXPECT_EQ(services.fileDialogs[0].filter, QString::fromUtf8(kTurnFileFilter.data()));
    EXPECT_TRUE(services.msgBoxes.empty());

    const struct {
        const char* look;
        float left, top;
    } buttons[] = {{"FCup", 120, 120},        {"CombatBtnUp", 4200, 120}, {"ThreeDUp", 120, 4200},
                   {"DmgBtnUp", 4200, 4200},  {"ZoomInUp", 120, 5040},    {"ZoomOutUp", 2160, 5040},
                   {"ZoomRngUp", 4200, 5040}, {"OpenUp", 6240, 5040}};
    for (const auto& b : buttons) {
        EXPECT_TRUE(paintedAt(f, b.look, b.left, b.top)) << b.look;
    }
    // The own icon for heading 90 (east), inside the yellow frame of the own-aircraft display.
    const QImage own = picture("GoodGuy(2)");
    EXPECT_EQ(surfaceAt(f, 2345 + 15, 2340 + 15, {22, 22}), own.copy(1, 1, 22, 22));
    EXPECT_EQ(pixel(f, 156, 156), kShown);
    EXPECT_EQ(f.CntrFighter.Picture().convertToFormat(QImage::Format_RGB32), own);

    EXPECT_TRUE(f.menuOptions.Action()->isVisible());
    for (Label* label : infoLabels(f)) {
        EXPECT_TRUE(shown(*label)) << text(*label).toStdString();
    }
    EXPECT_EQ(text(f.PName), "Your Aircraft");
    EXPECT_EQ(state.OrderHeading, 90);
    EXPECT_EQ(state.OrderAltitude, 12000);
    EXPECT_EQ(state.OrderThrottle, 100);
    EXPECT_EQ(state.PilotName, "Ace");
    EXPECT_EQ(state.PilotPassword, "pw");
    EXPECT_FALSE(windows->NamePassword().Loaded());
}

TEST_F(Reader, WrongHeaderIsToldAndEmptiesOnlyTheLists) {
    WritePilotFile("\"Ace\"\r\n\"pw\"\r\n");
    GUIForm& f = Start();
    Open(sample("dogfight.smv"));
    Open(QStringLiteral(VELMORA_TEST_DATA_DIR "/wrong-header.smv"));

    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_EQ(services.msgBoxes[0].text, "Error: Not an Velmora 2.0 file!");
    EXPECT_EQ(services.msgBoxes[0].title, "Error Opening File");
    EXPECT_EQ(services.msgBoxes[0].buttons, MsgBoxButtons::OK);
    EXPECT_EQ(state.AircraftCount(), 0);
    EXPECT_EQ(state.ObjectiveCount(), 0);
    EXPECT_EQ(state.ZoomLevel, 15);
    EXPECT_EQ(state.OwnX, 12.5f);
    EXPECT_TRUE(f.menuOptions.Action()->isVisible());
    EXPECT_TRUE(shown(f.PName));
}

TEST_F(Reader, CancellingTheDialogChangesNothing) {
    WritePilotFile("\"Ace\"\r\n\"pw\"\r\n");
    GUIForm& f = Start();
    Open(sample("dogfight.smv"));
    mouse().click(120 + 900, 5040 + 225);  // zoom in
    state.OrderHeading = 123;
    const QImage before = f.Surface();

    services.QueueFileCancel();
    f.menuOpen.Action()->trigger();
    EXPECT_EQ(services.fileDialogs.size(), 2u);
    EXPECT_EQ(state.AircraftCount(), 8);
    EXPECT_EQ(state.ZoomLevel, 14);
    EXPECT_EQ(state.OrderHeading, 123);
    EXPECT_EQ(f.Surface(), before);
    EXPECT_TRUE(services.msgBoxes.empty());
}

TEST_F(Reader, AnUnreadablePilotFileAsksForTheLogin) {
    const struct {
        const char* file;  // nullptr: no pilot file
        const char* name;
    } rows[] = {{nullptr, "kept"}, {"\"Ace\"\r\n", "Ace"}, {"", "kept"}};
    for (const auto& row : rows) {
        QFile::remove(QStringLiteral("npdata.vsd"));
        if (row.file != nullptr) {
            WritePilotFile(row.file);
        }
        state.PilotName = "kept";
        state.PilotPassword = "old";
        GUIForm& f = Start();
        Open(sample("dogfight.smv"));
        EXPECT_EQ(state.PilotName, row.name);
        EXPECT_EQ(state.PilotPassword, "old");
        ASSERT_TRUE(windows->NamePassword().Loaded());
        EXPECT_EQ(windows->NamePassword().Owner(), &f);
        f.Unload();
        settle();
    }
}

TEST_F(View, RangeCircleAndMarksInPlace) {
    GUIForm& f = Start();
    Open(WriteTurn("view.smv", kView));

    // 4 / 10 * 2220 = 888 twips (59 pixels) around the own icon's centre (2525, 2520).
    const QRect circle = rangeCircle(f);
    EXPECT_NEAR(circle.center().x(), 168, 1);
    EXPECT_NEAR(circle.center().y(), 168, 1);
    EXPECT_NEAR(circle.width(), 2 * 59 + 1, 1);
    EXPECT_TRUE(paintedAt(f, "BadGuy(6)", 3450, 2340));
    EXPECT_TRUE(paintedAt(f, "BullsEye", 2340, 2340 - 666));
}

TEST_F(View, ZoomStepsRedrawFromTheBareMap) {
    const QImage map = picture("ViewWindow");
    const struct {
        const char* name;
        float buttonLeft;
        bool doubleClick;
        int zoom;
        float foeLeft;  // 0: not painted
        int radius;     // pixels; 0: no circle
    } rows[] = {
        {"in", 120, false, 9, 2340 + 1233, 66},
        {"in twice", 120, true, 8, 2340 + 1388, 74},
        {"out at visibility", 2160, false, 10, 3450, 59},
        {"to range", 4200, false, 4, 0, 0},
    };
    for (const auto& row : rows) {
        GUIForm& f = Start();
        Open(WriteTurn("view.smv", kView));
        if (row.doubleClick) {
            mouse().doubleClick(row.buttonLeft + 900, 5040 + 225);
        } else {
            mouse().click(row.buttonLeft + 900, 5040 + 225);
        }
        EXPECT_EQ(state.ZoomLevel, row.zoom) << row.name;
        const QRect circle = rangeCircle(f);
        EXPECT_NEAR(circle.width(), row.radius ? 2 * row.radius + 1 : 0, 1) << row.name;
        if (row.foeLeft != 0) {
            EXPECT_TRUE(paintedAt(f, "BadGuy(6)", row.foeLeft, 2340)) << row.name;
        } else {
            // The foe of the last zoom is gone: the bare map lies where it was.
            EXPECT_EQ(surfaceAt(f, 3450, 2340, {24, 24}), map.copy(230 - 8, 156 - 8, 24, 24));
        }
        f.Unload();
        settle();
    }
}

TEST_F(View, APressedButtonShowsItsPressedLookUntilReleasedAnywhere) {
    GUIForm& f = Start();
    Open(WriteTurn("view.smv", kView));
    mouse().press(120 + 900, 5040 + 225);
    EXPECT_TRUE(paintedAt(f, "ZoomInDown", 120, 5040));
    mouse().move(7000, 3000, Qt::LeftButton);
    EXPECT_TRUE(paintedAt(f, "ZoomInDown", 120, 5040));
    mouse().release(7000, 3000);
    EXPECT_TRUE(paintedAt(f, "ZoomInUp", 120, 5040));
    EXPECT_EQ(state.ZoomLevel, 10) << "released away from the button: no click";
}

}  // namespace
}  // namespace velmora::test
