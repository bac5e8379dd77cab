#include <QAbstractButton>
#include <QDir>

#include "GUI/orders/frmNamePassword.h"
#include "tests/gui_main/MainWindowFixture.h"

namespace velmora::test {
namespace {

using Login = MainWindowTest;

QByteArray pilotFile() {
    QFile file(QStringLiteral("npdata.vsd"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void pressOk(frmNamePassword& w) {
    static_cast<QAbstractButton*>(w.cmdOK.Widget())->click();
    settle();
}

TEST_F(Login, OkWritesThePilotFileByteForByte) {
    const struct {
        const char* name;
        const char* password;
        const char* bytes;
    } rows[] = {
        {"Ace Rimmer", " blue 7 ", "\"Ace Rimmer\"\r\n\" blue 7 \"\r\n"},
        {"Rimmer, Ace", "x", "\"Rimmer, Ace\"\r\n\"x\"\r\n"},
        {"", "", "\"\"\r\n\"\"\r\n"},
    };
    GUIForm& f = Start();
    for (const auto& row : rows) {
        f.menuNPSet.Action()->trigger();
        frmNamePassword& w = windows->NamePassword();
        ASSERT_TRUE(w.Loaded());
        EXPECT_EQ(w.Caption(), "Enter Name & Password");
        EXPECT_EQ(w.txtName.Text(), "") << "boxes start empty at every load";
        w.txtName.SetText(QString::fromUtf8(row.name));
        w.txtPassword.SetText(QString::fromUtf8(row.password));
        pressOk(w);
        EXPECT_FALSE(w.Loaded());
        EXPECT_EQ(pilotFile(), QByteArray(row.bytes));
        EXPECT_EQ(state.PilotName, row.name);
        EXPECT_EQ(state.PilotPassword, row.password);
    }
    EXPECT_TRUE(services.msgBoxes.empty());
}

TEST_F(Login, AFailedSaveIsToldAndKeepsTheLoginForTheRun) {
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("npdata.vsd")));  // a folder in the file's place
    GUIForm& f = Start();
    f.menuNPSet.Action()->trigger();
    frmNamePassword& w = windows->NamePassword();
    w.txtName.SetText(QStringLiteral("Ace"));
    pressOk(w);
    ASSERT_EQ(services.msgBoxes.size(), 1u);
    EXPECT_TRUE(services.msgBoxes[0].text.contains("could not be saved"));
    EXPECT_EQ(state.PilotName, "Ace");
    EXPECT_FALSE(w.Loaded());
}

}  // namespace
}  // namespace velmora::test
