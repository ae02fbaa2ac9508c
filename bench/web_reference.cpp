// The browser game's references, built with the same Qt and served the same way as the game.
// Without arguments: a window of the start screen's size with one Cyrillic label, the floor for
// what the page downloads and for its start. With "spin": a window that turns a 187 × 199
// picture every 10 ms, as the main screen turns its ship, the floor for the browser's CPU.
// Each tells the page of its first frame as the game does.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QTransform>
#include <QWidget>

#include <emscripten.h>

namespace {

class FirstFrame : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            EM_ASM(requestAnimationFrame(function() { performance.mark("vantaro-first-frame"); }););
            qApp->removeEventFilter(this);
        }
        return false;
    }
};

class Spin : public QWidget {
public:
    Spin() : picture_(187, 199, QImage::Format_RGB32) {
        QPainter p(&picture_);
        p.fillRect(picture_.rect(), Qt::darkBlue);
        p.setPen(Qt::yellow);
        p.drawText(picture_.rect(), Qt::AlignCenter, QStringLiteral("Корабль"));
        p.end();
        resize(727, 482);
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            angle_ += 3;
            update(QRect(400, 100, 200, 200));
        });
        timer_.start();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        const QImage turned = picture_.transformed(QTransform().rotate(angle_ % 360, Qt::YAxis));
        p.drawImage(500 - turned.width() / 2, 100, turned);
    }

private:
    QImage picture_;
    QTimer timer_;
    int angle_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FirstFrame first;
    app.installEventFilter(&first);
    if (argc > 1 && QByteArray(argv[1]) == "spin") {
        static Spin spin;
        spin.setVisible(true);
    } else {
        static QWidget window;
        window.resize(425, 82);
        static QLabel label(QStringLiteral("Привет, мир"), &window);
        label.move(8, 8);
        window.setVisible(true);
    }
    return QApplication::exec();
}
