// The yardstick for the program's start: the least a Qt Widgets program does to show a window.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(545, 379);
    window.show();
    return QApplication::exec();
}
