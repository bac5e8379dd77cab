// Message boxes and file dialogs: the file filters, and the real Qt dialogs answered as a user
// would answer them.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <tuple>

#include "platform/QtServices.h"
#include "tests/platform/TestSupport.h"

namespace velmora::test {
namespace {

// The description's own brackets replaced; patterns joined by a semicolon; patterns without a
// description.
TEST(FileFilter, DescriptionPatternFiltersBecomeQtFilters) {
    for (const auto& [given, qt] : std::vector<std::pair<QString, QString>>{
             {"Velmora Data Files (*.smv)|*.smv|All Files (*.*)|*.*",
              "Velmora Data Files (*.smv);;All Files (*)"},
             {"Pictures|*.bmp;*.jpg", "Pictures (*.bmp *.jpg)"},
             {"|*.txt", "*.txt (*.txt)"}}) {
        EXPECT_EQ(QtFileFilter(given), qt);
    }
}

// The real dialogs, run modal and answered as a user would.
TEST(RealDialogs, AnswerAsTheUserClosedThemAndEscMeansNoOrNoFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString fresh = folder.filePath("orders.txt");
    QtServices real;
    auto yesNo = [&real] {
        const char* names[] = {"OK", "Yes", "No"};  // in the order of MsgBoxResult
        return QString(names[int(real.MsgBox(nullptr, "Clear?", MsgBoxButtons::YesNo, ""))]);
    };
    auto file = [&](bool save) {
        return [&, save] {
            return real.AskFile(nullptr, {save, "Pick", "Turns|*.smv;*.txt", fresh})
                .value_or("none");
        };
    };
    auto key = [](Qt::Key key) { return [key](QWidget* w) { QTest::keyClick(w, key); }; };
    auto accept = [](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); };
    const QString turns = "Pick, Turns (*.smv *.txt), ";
    // The question, the answer, how the dialog showed itself, the result.
    using Row = std::tuple<const char*, std::function<QString()>, DialogAnswer, QString, QString>;
    const Row rows[] = {
        {"Yes and No, Esc", yesNo, key(Qt::Key_Escape), "Skelmar Velmora", "No"},
        {"Yes and No, Enter takes Yes", yesNo, key(Qt::Key_Return), "Skelmar Velmora", "Yes"},
        {"open, Esc", file(false), key(Qt::Key_Escape), turns + "open", "none"},
        {"save, accepted", file(true), accept, turns + "save", fresh},
    };
    for (const auto& [name, ask, answer, shown, expected] : rows) {
        QString result;
        EXPECT_EQ(answerDialogs([&] { result = ask(); }, {answer}), QStringList{shown}) << name;
        EXPECT_EQ(result, expected) << name;
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
    EXPECT_TRUE(QDir(home.filePath("config")).isEmpty());
}

}  // namespace
}  // namespace velmora::test
