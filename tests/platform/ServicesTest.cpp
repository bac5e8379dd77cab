// Message boxes and file dialogs: the common dialog over the scripted services, and the real Qt
// dialogs answered as a user would answer them.

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "TestSupport.h"
#include "platform/QtServices.h"
#include "platform/ScriptedServices.h"

namespace velmora::test {
namespace {

TEST(CommonDialogs, AFileDialogTellsAChoiceFromACancelWhichKeepsTheFileName) {
    ScriptedServices services;
    Probe window{services};
    CommonDialog dialog{window};
    const struct {
        const char* name;
        bool save;
        std::optional<QString> answer;  // nothing: cancelled
        QString nameAfter;
    } rows[] = {
        {"open, cancelled", false, std::nullopt, "start.txt"},
        {"save, chosen", true, "/home/pilot/orders.txt", "/home/pilot/orders.txt"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        dialog.SetFileName("start.txt");
        row.answer ? services.QueueFileChoice(*row.answer) : services.QueueFileCancel();
        EXPECT_EQ(row.save ? dialog.ShowSave() : dialog.ShowOpen(), row.answer.has_value());
        EXPECT_EQ(dialog.FileName(), row.nameAfter);
    }
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
        {"a description without patterns", "Odd one out", "Odd one out (*)"},
        {"patterns without a description", "|*.txt", "*.txt (*.txt)"},
        {"no filter", "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(qtFileFilter(row.given), row.qt) << row.name;
    }
}

// The real dialogs, run modal and answered from a timer once they are up, as a user would.
class RealDialogs : public ::testing::Test {
protected:
    static void whenUp(const std::function<void(QWidget*)>& answer) {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer, answer] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                timer->stop();
                timer->deleteLater();
                answer(modal);
            }
        });
        timer->start(10);
    }
    // What the dialog showed: its title, and a message box's icon or a file dialog's filters
    // and kind.
    static QString shown(QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            return box->windowTitle() + (box->icon() == QMessageBox::NoIcon ? "" : ", an icon");
        }
        auto* files = qobject_cast<QFileDialog*>(modal);
        return files->windowTitle() + ", " + files->nameFilters().join(";;") +
               (files->acceptMode() == QFileDialog::AcceptSave ? ", save" : ", open");
    }
    void TearDown() override { settle(); }
    QtServices real;
};

TEST_F(RealDialogs, AnswerAsTheUserClosedThemAndEscOrCancelMeanNoOrNoFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString existing = folder.filePath("turn.smv");
    ASSERT_TRUE(QFile(existing).open(QIODevice::WriteOnly));
    const QString fresh = folder.filePath("orders.txt");

    auto box = [this](MsgBoxButtons buttons, const QString& title) {
        return [this, buttons, title] {
            const char* names[] = {"OK", "Yes", "No"};  // in the order of MsgBoxResult
            return QString(names[int(real.MsgBox(nullptr, "Clear?", buttons, title))]);
        };
    };
    auto file = [this](bool save, const QString& proposed) {
        return [this, save, proposed] {
            return real.AskFile(nullptr, {save, "Pick", "Turns|*.smv;*.txt", proposed})
                .value_or("no file");
        };
    };
    auto key = [](Qt::Key key) { return [key](QWidget* w) { QTest::keyClick(w, key); }; };
    auto cancel = [](QWidget* w) {
        w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    };
    auto accept = [](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); };
    const QString opening = "Pick, Turns (*.smv *.txt), open";
    const QString saving = "Pick, Turns (*.smv *.txt), save";
    struct Row {
        const char* name;
        std::function<QString()> ask;
        std::function<void(QWidget*)> answer;
        QString shown;
        QString result;
    };
    const Row rows[] = {
        {"Yes and No, Esc", box(MsgBoxButtons::YesNo, ""), key(Qt::Key_Escape), "Skelmar Velmora",
         "No"},
        {"Yes and No, Enter takes Yes", box(MsgBoxButtons::YesNo, ""), key(Qt::Key_Return),
         "Skelmar Velmora", "Yes"},
        {"OK with a title of its own, Esc", box(MsgBoxButtons::OK, "Error Opening File"),
         key(Qt::Key_Escape), "Error Opening File", "OK"},
        {"open, Esc", file(false, existing), key(Qt::Key_Escape), opening, "no file"},
        {"save, Cancel", file(true, fresh), cancel, saving, "no file"},
        {"open, accepted", file(false, existing), accept, opening, existing},
        {"save, accepted", file(true, fresh), accept, saving, fresh},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QString seen;
        whenUp([&](QWidget* modal) {
            seen = shown(modal);
            row.answer(modal);
        });
        EXPECT_EQ(row.ask(), row.result);
        EXPECT_EQ(seen, row.shown);
    }
}

}  // namespace
}  // namespace velmora::test
