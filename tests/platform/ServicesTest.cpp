// Message boxes and file dialogs: the common dialog over the scripted services, and the real Qt
// dialogs answered as a user would answer them.

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
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

TEST(FileFilter, DescriptionPatternFiltersBecomeQtFilters) {
    const struct {
        const char* name;
        const char* given;
        const char* qt;
    } rows[] = {
        {"two filters, the description's own brackets replaced",
         "Velmora Data Files (*.smv)|*.smv|All Files (*.*)|*.*",
         "Velmora Data Files (*.smv);;All Files (*)"},
        {"patterns joined by a semicolon", "Pictures|*.bmp;*.jpg", "Pictures (*.bmp *.jpg)"},
        {"patterns without a description", "|*.txt", "*.txt (*.txt)"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(qtFileFilter(row.given), row.qt) << row.name;
    }
}

// What a real dialog showed: its title, and a message box's icon or a file dialog's filters and
// kind.
QString shown(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        return box->windowTitle() + (box->icon() == QMessageBox::NoIcon ? "" : ", an icon");
    }
    auto* files = qobject_cast<QFileDialog*>(modal);
    return files->windowTitle() + ", " + files->nameFilters().join(";;") +
           (files->acceptMode() == QFileDialog::AcceptSave ? ", save" : ", open");
}

// The real dialogs, run modal and answered from a timer once they are up, as a user would.
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
        std::function<void(QWidget*)> answer;
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
        QString seen;
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [&, timer] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                timer->stop();
                timer->deleteLater();
                seen = shown(modal);
                row.answer(modal);
            }
        });
        timer->start(10);
        EXPECT_EQ(row.ask(), row.result);
        EXPECT_EQ(seen, row.shown);
    }
    settle();
}

}  // namespace
}  // namespace velmora::test
