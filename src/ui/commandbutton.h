#pragma once

#include <QPushButton>

// A command button that also reports the mouse moving over it (the screens' hover lines).
// A disabled button gets no mouse events: they go to the window beneath, as on the original.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr);

signals:
    void MouseMove();

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;
    // Return and keypad Enter press the focused button just as Space does.
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    // Long captions wrap onto more lines, as on the original buttons; the caption moves with a
    // press as the style's own does.
    void paintEvent(QPaintEvent* e) override;
};
