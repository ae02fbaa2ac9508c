// The floor for the game's start-up: a Qt Widgets window of the start screen's size showing one
// Cyrillic label, so that a font and its shaping are loaded as the game's start screen needs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(425, 82);
    QLabel label(QStringLiteral("Привет, мир"), &window);
    label.move(8, 8);
    window.show();
    return QApplication::exec();
}
