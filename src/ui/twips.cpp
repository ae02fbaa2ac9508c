#include "ui/twips.h"

#include <QVariant>
#include <QWidget>

namespace twips {
namespace {
constexpr const char* Property = "twips";
}

void setGeometry(QWidget* w, Rect r) {
    w->setProperty(Property, QRect(r.left, r.top, r.width, r.height));
    w->setGeometry(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
}

Rect geometry(const QWidget* w) {
    const QVariant v = w->property(Property);
    if (v.isValid()) {
        const QRect r = v.toRect();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    const QRect g = w->geometry();
    return {fromPixels(g.x()), fromPixels(g.y()), fromPixels(g.width()), fromPixels(g.height())};
}

void setLeft(QWidget* w, int v) {
    Rect r = geometry(w);
    r.left = v;
    setGeometry(w, r);
}
void setTop(QWidget* w, int v) {
    Rect r = geometry(w);
    r.top = v;
    setGeometry(w, r);
}
void setWidth(QWidget* w, int v) {
    Rect r = geometry(w);
    r.width = v;
    setGeometry(w, r);
}
void setHeight(QWidget* w, int v) {
    Rect r = geometry(w);
    r.height = v;
    setGeometry(w, r);
}

} // namespace twips
