#pragma once

#include "ui/colors.h"

#include <QWidget>

#include <cstdint>

// A framed group with its caption on the top edge; a frame without a caption is a thin divider.
class Frame : public QWidget {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent = nullptr);
    void setCaption(const QString& text);
    [[nodiscard]] QString caption() const { return caption_; }
    void setForeColor(std::uint32_t bgr);
    void setBackColor(std::uint32_t bgr);
    [[nodiscard]] std::uint32_t foreColor() const { return fore_; }
    [[nodiscard]] std::uint32_t backColor() const { return back_; }
    // A frame the player opens or folds by clicking it: Tab and Shift+Tab reach it too, Enter or
    // Space click it, and its caption shows the keyboard's dotted ring while it has the focus.
    void setKeyboardClick(bool on);

signals:
    void Click();
    void MouseMove();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    QString caption_;
    std::uint32_t fore_ = 0x000000;
    std::uint32_t back_ = syscolor::ButtonFace;
    bool pressed_ = false;
    bool keyHeld_ = false;
};
