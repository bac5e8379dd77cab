#pragma once
// The main window started as the program starts it, with scripted dialogs, in a scratch current
// directory where the pilot file is looked for.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <string>

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "GUI/main/SplashTitle.h"
#include "model/SharedSubsAndVar.h"
#include "platform/ScriptedServices.h"
#include "tests/platform/TestSupport.h"

namespace velmora::test {

inline const QString kDogfight = QStringLiteral(VELMORA_SAMPLES_DIR "/dogfight.smv");

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
    }
    void TearDown() override {
        main().Unload();
        settle();
        QDir::setCurrent(previous);
    }

    GUIForm& main() { return windows.MainForm(); }
    // Shows the main window and unlocks it with a click on the splash.
    GUIForm& Start() {
        main().Show();
        Mouse{windows.Splash()}.click(2400, 1800);
        return main();
    }
    // A click at the centre of a place on the main window, in twips.
    void Click(float left, float top, float width, float height) {
        Mouse{main()}.click(left + width / 2, top + height / 2);
    }
    // A file in the scratch folder.
    static QString Write(const QString& name, const std::string& bytes) {
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray::fromStdString(bytes));
        return QFileInfo(file).absoluteFilePath();
    }
    // A pilot file, so that a read asks for no login.
    static void WritePilot() { Write("npdata.vsd", "\"Ace\"\r\n\"pw\"\r\n"); }
    // Answers the open dialog with path and presses the Open button.
    void Open(const QString& path) {
        services.QueueFileChoice(path);
        Click(6240, 5040, 1800, 450);
    }

    QTemporaryDir folder;
    QString previous;
    SharedSubsAndVar state;
    ScriptedServices services;
    Windows windows{state, services};
};

// The sample turn read after a start with a pilot file.
class TurnShown : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        WritePilot();
        Start();
        Open(kDogfight);
    }
};

}  // namespace velmora::test
