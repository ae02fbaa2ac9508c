// The yardstick for the game's start-up: the least a Qt Widgets program does to put a window
// of the start screen's size on the screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(425, 82);
    window.show();
    return QApplication::exec();
}
