#pragma once
// A run of the program under the offscreen platform: the window registry, scripted dialogs and a
// fresh current directory for the pilot file. The checks look at what a user sees: widgets shown,
// label texts and colours, pixels of the main window's surface.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <array>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "GUI/main/SplashTitle.h"
#include "model/SharedSubsAndVar.h"
#include "model/TurnFileReader.h"
#include "pictures/Pictures.h"
#include "platform/ScriptedServices.h"
#include "tests/platform/TestSupport.h"

namespace velmora::test {

inline QImage picture(const char* name) {
    return Pictures::instance()
        .get(QString::fromLatin1(name))
        .convertToFormat(QImage::Format_RGB32);
}

// The surface's pixels where a 24 x 24 (or larger) picture would lie, top-left at twips.
inline QImage surfaceAt(const Form& form, float left, float top, QSize size) {
    return form.Surface()
        .copy(QRect(twipsToPixels(left), twipsToPixels(top), size.width(), size.height()))
        .convertToFormat(QImage::Format_RGB32);
}

inline bool paintedAt(const Form& form, const char* name, float left, float top) {
    const QImage expected = picture(name);
    return surfaceAt(form, left, top, expected.size()) == expected;
}

inline bool shown(const WidgetControl& control) {
    return control.Widget() != nullptr && control.Widget()->isVisible();
}

inline QString text(const Label& label) {
    auto* widget = qobject_cast<QLabel*>(label.Widget());
    return widget != nullptr ? widget->text() : QString();
}

inline QColor colour(const Label& label) {
    return label.Widget() != nullptr ? label.Widget()->palette().color(QPalette::WindowText)
                                     : QColor();
}

// The sixteen information labels in the order a read makes them visible.
inline std::array<Label*, 16> infoLabels(GUIForm& f) {
    return {&f.PName,         &f.InfoSquad,     &f.InfoAircraft, &f.InfoAlt,
            &f.InfoBear,      &f.InfoSpeed,     &f.InfoX,        &f.InfoY,
            &f.RecordInfoLbl, &f.InfoVictories, &f.InfoDefeats,  &f.CombatInfoLbl,
            &f.infoDist,      &f.infoForward,   &f.InfoElev,     &f.infoProb};
}

inline const QColor kShown(255, 255, 0);
inline const QColor kDimmed(64, 64, 0);

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        windows = std::make_unique<Windows>(state, services);
    }

    void TearDown() override {
        windows.reset();
        settle();
        QDir::setCurrent(previous);
    }

    GUIForm& main() { return windows->MainForm(); }
    Mouse mouse() { return {main()}; }

    // Starts as the program does; a click on the splash unlocks the main window.
    GUIForm& Start(bool clickSplash = true) {
        main().Show();
        if (clickSplash) {
            Mouse{windows->Splash()}.click(2400, 1800);
        }
        return main();
    }

    void WritePilotFile(const QByteArray& bytes) {
        QFile file(QStringLiteral("npdata.vsd"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A turn file in the scratch folder: the header line, then the given lines.
    QString WriteTurn(const std::string& name, const std::string& lines) {
        const QString path = folder.filePath(QString::fromStdString(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(std::string(kTurnFileHeader) + "\r\n" + lines));
        return path;
    }

    // Answers the open dialog with path and presses the Open button.
    void Open(const QString& path) {
        services.QueueFileChoice(path);
        mouse().click(6240 + 900, 5040 + 225);
    }

    // The centre of the picture painted with its top-left corner at (left, top).
    void PointAt(float left, float top) { mouse().move(left + 180, top + 180); }

    QTemporaryDir folder;
    QString previous;
    SharedSubsAndVar state;
    ScriptedServices services;
    std::unique_ptr<Windows> windows;
};

}  // namespace velmora::test
