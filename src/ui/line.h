#pragma once

#include <QWidget>

#include <cstdint>

// A one-pixel horizontal or vertical line.
class Line : public QWidget {
    Q_OBJECT
public:
    explicit Line(QWidget* parent = nullptr);
    void setColor(std::uint32_t bgr);
    [[nodiscard]] std::uint32_t color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::uint32_t color_ = 0x000000;
};
