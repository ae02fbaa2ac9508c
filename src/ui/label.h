#pragma once

#include "ui/colors.h"

#include <QLabel>

#include <cstdint>

enum class Align { Left, Right, Center };

// A label: plain text only (a player's name must never be read as markup), wrapped at word
// boundaries within its width like the original labels, optionally transparent, with a border
// style 0 (none) or 1 (single line, used for the pressed look of button-like labels).
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);

    void setCaption(const QString& text);
    [[nodiscard]] QString caption() const { return text(); }

    void setForeColor(std::uint32_t bgr);
    void setBackColor(std::uint32_t bgr);
    [[nodiscard]] std::uint32_t foreColor() const { return fore_; }
    [[nodiscard]] std::uint32_t backColor() const { return back_; }
    void setTransparent(bool on);
    [[nodiscard]] bool isTransparent() const { return transparent_; }
    void setAlign(Align a);
    [[nodiscard]] Align align() const { return align_; }
    void setBorderStyle(int style);
    [[nodiscard]] int borderStyle() const { return border_; }
    // Grows or shrinks to a single line of its text whenever the text changes.
    void setAutoSize(bool on);
    [[nodiscard]] bool autoSize() const { return autoSize_; }

    // Narrows the face, as little as it can, whenever the text would not fit one line.
    void setNarrowToFit(bool on) { narrowToFit_ = on; }

    // The lines as the label lays them out at its current width.
    [[nodiscard]] QStringList wrappedLines() const;

    // A label used as a button: it takes the keyboard focus from Tab and Shift+Tab (never from
    // the mouse), Enter or Space press and release it like a mouse button, and screen readers
    // announce it as a button.
    void setButtonLike(bool on);
    [[nodiscard]] bool isButtonLike() const { return buttonLike_; }
    // The dotted focus ring: drawn while the label has the focus and the player moves the focus
    // with the keyboard; the next mouse press anywhere hides it again.
    [[nodiscard]] bool showsFocusRing() const;
    // Whether the player moves the focus with the keyboard: Tab and Shift+Tab onto any control
    // turn it on, a mouse press anywhere turns it off.
    static void setKeyboardNavigation(bool on);
    [[nodiscard]] static bool keyboardNavigating();
    // A whole press and release, as the screen reader's press action asks for.
    void press();

signals:
    void MouseDown(Qt::MouseButton button);
    void MouseUp(Qt::MouseButton button);
    void MouseMove();
    void Click();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void fitToText();
    void narrowToText();
    void release();
    // The part of the label its boxes, its window and the controls above it leave in sight: a
    // label may reach past them or under them, its focus ring may not.
    [[nodiscard]] QRect shownRect() const;
    bool buttonLike_ = false;
    bool keyHeld_ = false;
    std::uint32_t fore_ = 0x000000;
    std::uint32_t back_ = syscolor::ButtonFace;
    bool transparent_ = false;
    Align align_ = Align::Left;
    int border_ = 0;
    bool autoSize_ = false;
    bool narrowToFit_ = false;
};
