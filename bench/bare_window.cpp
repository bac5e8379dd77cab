// The yardsticks for the program's start: the least a Qt Widgets program does to show a window,
// and, given the argument "text", the same window with one line of text, which loads the fonts.

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(545, 379);
    if (argc > 1 && std::strcmp(argv[1], "text") == 0) {
        auto* label = new QLabel(QStringLiteral("Click to Continue"), &window);
        label->adjustSize();
    }
    window.show();
    return QApplication::exec();
}
