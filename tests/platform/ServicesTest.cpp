// Message boxes, file dialogs, help, clipboard and date, through the scripted and the Qt services.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/QtServices.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

class Generator : public Form {
public:
    using Form::Form;
    CommonDialog SaveDlg{*this};

protected:
    void Design() override { SaveDlg.SetDialogTitle("Save"); }
};

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override { window.Show(); }
    void TearDown() override { settle(); }
    ScriptedServices services;
    Generator window{services};
};

TEST_F(ServicesTest, MessageBoxesCarryTheProgramsTitleWhenTheyHaveNone) {
    services.QueueAnswer(MsgBoxResult::Yes);
    EXPECT_EQ(
        window.MsgBox("Are you sure you want to clear all radio messages?", MsgBoxButtons::YesNo),
        MsgBoxResult::Yes);
    window.MsgBox("Error: Not an Velmora 2.0 file!", MsgBoxButtons::OK, "Error Opening File");
    ASSERT_EQ(services.msgBoxes.size(), 2u);
    EXPECT_EQ(services.msgBoxes[0].title, "Skelmar Velmora");
    EXPECT_EQ(services.msgBoxes[0].buttons, MsgBoxButtons::YesNo);
    EXPECT_EQ(services.msgBoxes[0].text, "Are you sure you want to clear all radio messages?");
    EXPECT_EQ(services.msgBoxes[1].title, "Error Opening File");
}

TEST_F(ServicesTest, UnscriptedMessageBoxesGiveTheHarmlessAnswer) {
    services.QueueAnswer(MsgBoxResult::Yes);
    services.QueueAnswer(MsgBoxResult::No);
    EXPECT_EQ(window.MsgBox("1", MsgBoxButtons::YesNo), MsgBoxResult::Yes);
    EXPECT_EQ(window.MsgBox("2", MsgBoxButtons::YesNo), MsgBoxResult::No);
    EXPECT_EQ(window.MsgBox("3", MsgBoxButtons::YesNo), MsgBoxResult::No);
    EXPECT_EQ(window.MsgBox("4"), MsgBoxResult::OK);
}

TEST_F(ServicesTest, FileDialogsTellAChoiceFromACancel) {
    CommonDialog& dialog = window.SaveDlg;
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
    EXPECT_TRUE(first.save);
    EXPECT_EQ(first.title, "Save");
    EXPECT_EQ(first.filter, "Text Files (*.txt)|*.txt");
    EXPECT_EQ(first.fileName, "sMV_Turn_03-07-2024.txt");
    EXPECT_FALSE(services.fileDialogs[2].save);
}

TEST(FileFilter, DesignFiltersBecomeQtFilters) {
    struct Row {
        const char* design;
        const char* qt;
    };
    const Row rows[] = {
        {"Velmora Data Files (*.smv)|*.smv|All Files (*.*)|*.*",
         "Velmora Data Files (*.smv);;All Files (*)"},
        {"Text Files (*.txt)|*.txt", "Text Files (*.txt)"},
        {"Pictures|*.bmp;*.jpg", "Pictures (*.bmp *.jpg)"},
        {"Odd one out", "Odd one out (*)"},
        {"|*.txt", "*.txt (*.txt)"},
        {"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(qtFileFilter(row.design), row.qt) << row.design;
    }
}

TEST(DateText, MonthDayYearWithHyphens) {
    EXPECT_EQ(Services::dateText(QDate(2024, 3, 7)), "03-07-2024");
    EXPECT_EQ(Services::dateText(QDate(1999, 12, 31)), "12-31-1999");
    ScriptedServices services;
    services.SetToday(QDate(2025, 1, 2));
    EXPECT_EQ(services.DateText(), "01-02-2025");
    QtServices real;
    EXPECT_EQ(real.DateText(), QDate::currentDate().toString("MM-dd-yyyy"));
}

TEST_F(ServicesTest, HelpOpensAnExistingFileAndReportsAMissingOne) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    CommonDialog dialog(window);
    dialog.SetHelpCommand(9);
    dialog.SetHelpFile("help.hlp");

    dialog.ShowHelp();
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_EQ(services.msgBoxes[0].text, "The help file help.hlp was not found.");
    EXPECT_TRUE(services.helpOpened.empty());

    QFile file("help.hlp");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    dialog.ShowHelp();
    ASSERT_EQ(services.helpOpened.size(), 1u);
    EXPECT_EQ(services.helpOpened[0], QDir(folder.path()).absoluteFilePath("help.hlp"));

    services.SetViewerWorks(false);
    dialog.ShowHelp();
    ASSERT_EQ(services.msgBoxes.size(), 2u);
    EXPECT_EQ(services.msgBoxes[1].text, "The help file help.hlp could not be opened.");
    QDir::setCurrent(previous);
}

TEST(Clipboard, TakesPlainText) {
    ScriptedServices scripted;
    scripted.SetClipboardText("Name=Ace\r\nPassword=x");
    EXPECT_EQ(scripted.clipboard, "Name=Ace\r\nPassword=x");
    QtServices real;
    real.SetClipboardText("Set Heading: 90");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Set Heading: 90");
}

}  // namespace
}  // namespace velmora::test
