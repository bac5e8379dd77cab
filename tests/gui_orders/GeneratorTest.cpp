// The generator: the text it builds from the pad, and that text copied and saved byte for byte.

#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "OrdersTestSupport.h"

namespace velmora::test {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class Generator : public OrdersTest {
protected:
    void openGenerator() {
        if (!pad().Loaded()) {
            openPad();
        }
        click(pad().Generate);
        settle();
        ASSERT_TRUE(generator().Loaded());
    }
    void copy() { clickWidget(generator().btnCopy.Widget()); }
    void save() {
        clickWidget(generator().btnSave.Widget());
        settle();
    }
    QString boxText() { return generator().txtCommands.Text(); }

    QTemporaryDir dir;
};

const char kFiveLines[] =
    "Name=Ada\r\nPassword=pw\r\nSet Heading: 90\r\nSet Altitude: 5000\r\nThrottle: 100";

TEST_F(Generator, NothingCheckedGivesFiveLinesForTheBuiltInAddress) {
    state.ServerAddr.clear();
    openGenerator();
    EXPECT_EQ(generator().TopLevel()->windowTitle(), "Skelmar Command Generator");
    EXPECT_EQ(caption(generator().lblInstruct),
              "Copy and paste these commands into an e-Mail message to "
              "gamemaster@skelmar.example.org.  Put the words 'Flight Controls' in the subject.");
    EXPECT_EQ(state.ServerAddr, "gamemaster@skelmar.example.org");  // kept for the run
    EXPECT_EQ(FromQ(boxText()), kFiveLines);
    copy();
    EXPECT_EQ(FromQ(services.clipboard), kFiveLines);
}

TEST_F(Generator, TakesThePadsMarksTheAnswersAndTheRadioBlocks) {
    addCommand(state, "Mark Target", {{"Target", "String"}, {"Priority", "Integer"}});
    addCommand(state, "Escort", {{"Pilot", "String"}, {"Minutes", "Integer"}});
    addCommand(state, "Not Picked");
    state.OrderAltitude = 5000;
    openPad();
    click(pad().HeadLeft);
    doubleClick(pad().AltDown);  // -100, then -1000
    click(pad().ThrottleDown);
    pick(pad().menuImmel);
    pick(pad().menuSplit);
    pick(pad().menuBail);
    pick(pad().menuprc[1]);  // checked, never answered
    pick(pad().menuprc[0]);
    answer("Depot 7");
    answer("2.5");
    pick(pad().radioPrivate);
    type(radio().txtTO, "CV");
    type(radio().txtMessage, "Cover me");
    clickWidget(radio().Command1.Widget());
    pick(pad().menuSquadron);
    type(radio().txtMessage, "Break left");
    clickWidget(radio().Command1.Widget());

    openGenerator();
    const std::string expected =
        "Name=Ada\r\nPassword=pw\r\nSet Heading: 89\r\nSet Altitude: 3900\r\nThrottle: 90"
        "\r\nSplit S\r\nMark Target:Depot 7, 2.5\r\nEscort:, 0\r\nBail Out"
        "\r\n\r\nRadio Transmission:CV\r\nCover me\r\nEnd Transmission"
        "\r\n\r\nSquadron Radio Transmission:\r\nBreak left\r\nEnd Transmission";
    EXPECT_EQ(FromQ(boxText()), expected);
    copy();
    EXPECT_EQ(FromQ(services.clipboard), expected);
    // Building changes nothing: the same orders can be generated again.
    EXPECT_TRUE(pad().menuSplit.Checked());
    EXPECT_EQ(state.RadioMessages, expected.substr(expected.find("\r\n\r\nRadio")));
}

TEST_F(Generator, SavesTheBoxWithItsEditsAndAFinalLineEnd) {
    ASSERT_TRUE(dir.isValid());
    openGenerator();
    QTest::keyClick(generator().txtCommands.Widget(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(generator().txtCommands.Widget(), Qt::Key_Return);
    type(generator().txtCommands, "Note");
    const QString path = dir.filePath("orders.txt");
    services.QueueFileChoice(path);
    save();
    ASSERT_EQ(services.fileDialogs.size(), 1u);
    EXPECT_TRUE(services.fileDialogs[0].save);
    EXPECT_EQ(services.fileDialogs[0].title, "Save");
    EXPECT_EQ(services.fileDialogs[0].fileName, "sMV_Turn_03-07-2024.txt");
    EXPECT_EQ(services.fileDialogs[0].filter, "Text Files (*.txt)|*.txt");
    EXPECT_EQ(readAll(path), QByteArray(kFiveLines) + "\r\nNote\r\n");
    EXPECT_TRUE(services.msgBoxes.empty());
    copy();
    EXPECT_EQ(FromQ(services.clipboard), std::string(kFiveLines) + "\r\nNote");
}

TEST_F(Generator, CancelWritesNothingAndAnEmptyNameIsRefused) {
    ASSERT_TRUE(dir.isValid());
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());  // where a default name would land
    openGenerator();
    services.QueueFileCancel();
    save();
    services.QueueFileChoice("");
    save();
    QDir::setCurrent(cwd);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_EQ(services.msgBoxes[0].text, "Error- Not a valid File Name!");
    EXPECT_EQ(services.msgBoxes[0].title, "Skelmar Velmora");
    EXPECT_EQ(services.msgBoxes[0].buttons, MsgBoxButtons::OK);
}

TEST_F(Generator, FailedSaveSaysSoAndKeepsTheWindowAndItsText) {
    ASSERT_TRUE(dir.isValid());
    openGenerator();
    const QString missing = dir.filePath("no-such-folder/orders.txt");
    services.QueueFileChoice(missing);
    save();
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_TRUE(services.msgBoxes[0].text.startsWith("The orders were not saved."));
    EXPECT_TRUE(services.msgBoxes[0].text.contains(QDir::toNativeSeparators(missing)));
    EXPECT_EQ(services.msgBoxes[0].title, "Skelmar Velmora");
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_TRUE(generator().Loaded());
    EXPECT_EQ(FromQ(boxText()), kFiveLines);
}

// QSaveFile::commit() alone would not notice a failure of its final flush and would put the cut
// file in place.
TEST_F(Generator, WriteFailingPartWayLeavesTheOldFileWhole) {
    ASSERT_TRUE(dir.isValid());
    openGenerator();
    const QString existing = dir.filePath("orders.txt");
    ASSERT_TRUE(writeFile(existing, "old orders\r\n"));
    services.QueueFileChoice(existing);
    // The file size limit stops the write after 16 bytes. Nothing may print meanwhile.
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit tight = before;
    tight.rlim_cur = 16;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    save();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_TRUE(services.msgBoxes[0].text.startsWith("The orders were not saved."));
    EXPECT_EQ(readAll(existing), "old orders\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"orders.txt"});
}

}  // namespace
}  // namespace velmora::test
