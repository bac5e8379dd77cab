// Message boxes, file dialogs, help, clipboard and date, through the scripted and the Qt services.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "frmExample.h"
#include "platform/QtServices.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override { window.Show(); }
    void TearDown() override { settle(); }
    ScriptedServices services;
    frmExample window{services};
    CommonDialog dialog{window};
};

TEST_F(ServicesTest, MessageBoxesGiveTheScriptedAnswersThenTheHarmlessOne) {
    services.QueueAnswer(MsgBoxResult::Yes);
    services.QueueAnswer(MsgBoxResult::No);
    EXPECT_EQ(window.MsgBox("Clear all radio messages?", MsgBoxButtons::YesNo), MsgBoxResult::Yes);
    EXPECT_EQ(window.MsgBox("2", MsgBoxButtons::YesNo, "Error Opening File"), MsgBoxResult::No);
    EXPECT_EQ(window.MsgBox("3", MsgBoxButtons::YesNo), MsgBoxResult::No);
    EXPECT_EQ(window.MsgBox("4"), MsgBoxResult::OK);
    ASSERT_EQ(services.msgBoxes.size(), 4u);
    EXPECT_EQ(services.msgBoxes[0].text, "Clear all radio messages?");
    EXPECT_EQ(services.msgBoxes[0].title, "Skelmar Velmora") << "the program's title by default";
    EXPECT_EQ(services.msgBoxes[1].title, "Error Opening File");
    EXPECT_EQ(services.msgBoxes[3].buttons, MsgBoxButtons::OK);
}

TEST_F(ServicesTest, FileDialogsTellAChoiceFromACancel) {
    dialog.SetDialogTitle("Save");
    dialog.SetFilter("Text Files (*.txt)|*.txt");
    dialog.SetFileName("sMV_Turn_03-07-2024.txt");
    services.QueueFileChoice("/home/pilot/turn.txt");
    services.QueueFileCancel();
    services.QueueFileChoice("");

    EXPECT_TRUE(dialog.ShowSave());
    EXPECT_EQ(dialog.FileName(), "/home/pilot/turn.txt");
    EXPECT_FALSE(dialog.ShowSave());
    EXPECT_EQ(dialog.FileName(), "/home/pilot/turn.txt") << "a cancel leaves the name";
    EXPECT_TRUE(dialog.ShowOpen()) << "an empty name is still a choice";
    EXPECT_EQ(dialog.FileName(), "");
    EXPECT_FALSE(dialog.ShowOpen()) << "nothing scripted: cancelled";

    ASSERT_EQ(services.fileDialogs.size(), 4u);
    const ScriptedServices::FileDialogCall& first = services.fileDialogs[0];
    EXPECT_EQ(QStringList({first.title, first.filter, first.fileName}),
              QStringList({"Save", "Text Files (*.txt)|*.txt", "sMV_Turn_03-07-2024.txt"}));
    EXPECT_TRUE(first.save);
    EXPECT_FALSE(services.fileDialogs[2].save);
}

TEST(FileFilter, DescriptionPatternFiltersBecomeQtFilters) {
    const std::pair<const char*, const char*> rows[] = {
        {"Velmora Data Files (*.smv)|*.smv|All Files (*.*)|*.*",
         "Velmora Data Files (*.smv);;All Files (*)"},
        {"Pictures|*.bmp;*.jpg", "Pictures (*.bmp *.jpg)"},
        {"Odd one out", "Odd one out (*)"},
        {"|*.txt", "*.txt (*.txt)"},
        {"", ""},
    };
    for (const auto& [given, qt] : rows) {
        EXPECT_EQ(qtFileFilter(given), qt) << given;
    }
}

TEST_F(ServicesTest, HelpOpensAnExistingFileAndReportsAMissingOne) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    dialog.SetHelpFile("help.hlp");

    dialog.ShowHelp();
    EXPECT_TRUE(QFile("help.hlp").open(QIODevice::WriteOnly));
    dialog.ShowHelp();
    services.SetViewerWorks(false);
    dialog.ShowHelp();
    QDir::setCurrent(previous);

    ASSERT_EQ(services.msgBoxes.size(), 2u);
    EXPECT_EQ(services.msgBoxes[0].text, "The help file help.hlp was not found.");
    EXPECT_EQ(services.msgBoxes[1].text, "The help file help.hlp could not be opened.");
    EXPECT_EQ(services.helpOpened,
              std::vector<QString>{QDir(folder.path()).absoluteFilePath("help.hlp")});
}

TEST(QtServicesTest, DateIsMonthDayYearAndTheClipboardTakesPlainText) {
    ScriptedServices scripted;
    scripted.SetToday(QDate(2025, 1, 2));
    EXPECT_EQ(scripted.DateText(), "01-02-2025");
    QtServices real;
    EXPECT_EQ(real.DateText(), QDate::currentDate().toString("MM-dd-yyyy"));
    real.SetClipboardText("Set Heading: 90");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Set Heading: 90");
}

}  // namespace
}  // namespace velmora::test
