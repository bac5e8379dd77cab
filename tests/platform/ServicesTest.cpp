// Message boxes and file dialogs: the common dialog over the scripted services, and the real Qt
// dialogs answered as a user would answer them.

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "TestSupport.h"
#include "platform/QtServices.h"

namespace velmora::test {
namespace {

TEST(CommonDialogs, ACancelledFileDialogKeepsTheFileName) {
    ScriptedServices services;
    Probe window{services};
    CommonDialog dialog{window};
    dialog.SetFileName("start.txt");
    services.QueueFileCancel();
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_EQ(dialog.FileName(), "start.txt");
}

// The description's own brackets replaced; patterns joined by a semicolon; patterns without a
// description.
TEST(FileFilter, DescriptionPatternFiltersBecomeQtFilters) {
    for (const auto& [given, qt] : std::vector<std::pair<QString, QString>>{
             {"Velmora Data Files (*.smv)|*.smv|All Files (*.*)|*.*",
              "Velmora Data Files (*.smv);;All Files (*)"},
             {"Pictures|*.bmp;*.jpg", "Pictures (*.bmp *.jpg)"},
             {"|*.txt", "*.txt (*.txt)"}}) {
        EXPECT_EQ(qtFileFilter(given), qt);
    }
}

// The real dialogs, run modal and answered as a user would.
TEST(RealDialogs, AnswerAsTheUserClosedThemAndEscOrCancelMeanNoOrNoFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString fresh = folder.filePath("orders.txt");
    QtServices real;
    auto yesNo = [&real] {
        const char* names[] = {"OK", "Yes", "No"};  // in the order of MsgBoxResult
        return QString(names[int(real.MsgBox(nullptr, "Clear?", MsgBoxButtons::YesNo, ""))]);
    };
    auto file = [&real](bool save, const QString& proposed) {
        return [&real, save, proposed] {
            return real.AskFile(nullptr, {save, "Pick", "Turns|*.smv;*.txt", proposed})
                .value_or("no file");
        };
    };
    auto key = [](Qt::Key key) { return [key](QWidget* w) { QTest::keyClick(w, key); }; };
    auto cancel = [](QWidget* w) {
        w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    };
    auto accept = [](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); };
    auto close = [](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); };
    const QString opening = "Pick, Turns (*.smv *.txt), open";
    const QString saving = "Pick, Turns (*.smv *.txt), save";
    const struct {
        const char* name;
        std::function<QString()> ask;
        DialogAnswer answer;
        QString shown;
        QString result;
    } rows[] = {
        {"Yes and No, Esc", yesNo, key(Qt::Key_Escape), "Skelmar Velmora", "No"},
        {"Yes and No, Enter takes Yes", yesNo, key(Qt::Key_Return), "Skelmar Velmora", "Yes"},
        {"Yes and No, closed", yesNo, close, "Skelmar Velmora", "No"},
        {"open, Esc", file(false, fresh), key(Qt::Key_Escape), opening, "no file"},
        {"save, Cancel", file(true, fresh), cancel, saving, "no file"},
        {"save, accepted", file(true, fresh), accept, saving, fresh},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QString result;
        EXPECT_EQ(answerDialogs([&] { result = row.ask(); }, {row.answer}), QStringList{row.shown});
        EXPECT_EQ(result, row.result);
    }
    settle();
}

// The program keeps nothing between runs but the pilot file: the real dialogs, run again in a
// fresh home, leave nothing in the user's configuration.
TEST(RealDialogs, LeaveNothingInTheUsersConfiguration) {
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    QProcess run;
    run.setProcessEnvironment(environment);
    run.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=RealDialogs.Answer*"});
    ASSERT_TRUE(run.waitForFinished(60000));
    const QByteArray output = run.readAll();
    EXPECT_TRUE(run.exitCode() == 0 && output.contains("[  PASSED  ] 1 test.")) << output.data();
    EXPECT_EQ(QDir(home.filePath("config")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
}

}  // namespace
}  // namespace velmora::test
