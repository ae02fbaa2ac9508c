#pragma once

#include <QRect>

class QWidget;

// Layouts are measured in twips; the reference screen has 15 twips to a logical pixel and Qt's
// high-DPI scaling takes it from there. This is the one place that converts.
namespace twips {

inline constexpr int PerPixel = 15;

constexpr int toPixels(int tw) {
    // Round half away from zero so that negative positions (lines that start off the window)
    // convert symmetrically.
    return tw >= 0 ? (tw + PerPixel / 2) / PerPixel : -((-tw + PerPixel / 2) / PerPixel);
}
constexpr int fromPixels(int px) {
    return px * PerPixel;
}

// Every control remembers its position in twips as the game set it, so handlers that read a
// position back ("is the panel 1125 wide?") see exactly what they wrote, not a rounded pixel.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

void setGeometry(QWidget* w, Rect r);
Rect geometry(const QWidget* w);

inline int left(const QWidget* w) {
    return geometry(w).left;
}
inline int top(const QWidget* w) {
    return geometry(w).top;
}
inline int width(const QWidget* w) {
    return geometry(w).width;
}
inline int height(const QWidget* w) {
    return geometry(w).height;
}
void setLeft(QWidget* w, int v);
void setTop(QWidget* w, int v);
void setWidth(QWidget* w, int v);
void setHeight(QWidget* w, int v);

} // namespace twips
