#include <QApplication>

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "model/SharedSubsAndVar.h"
#include "platform/QtServices.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Skelmar Velmora"));

    velmora::SharedSubsAndVar state;
    velmora::QtServices services;
    velmora::Windows windows(state, services);
    windows.MainForm().Show();
    // Unloading the main window closes the last window, which ends the loop.
    return QApplication::exec();
}
