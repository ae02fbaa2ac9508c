#include "ui/look.h"

#include "ui/label.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// The classic style draws its dotted focus rectangle at all times (on command buttons and on the
// message boxes' OK); the game shows it, like the labels' ring, only while the player moves the
// focus with the keyboard.
class ClassicStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_FrameFocusRect && !Label::keyboardNavigating()) {
            return;
        }
        // The style draws its bevels one device pixel wide, so on a denser screen they would
        // thin out; drawn at one pixel and enlarged, they keep the proportions of the layout.
        if ((element == PE_PanelButtonCommand || element == PE_FrameLineEdit) &&
            painter->device()->devicePixelRatio() != 1 && !option->rect.isEmpty()) {
            QPixmap bevel(option->rect.size());
            bevel.fill(Qt::transparent);
            QPainter onePixel(&bevel);
            onePixel.translate(-option->rect.topLeft());
            QProxyStyle::drawPrimitive(element, option, &onePixel, widget);
            onePixel.end();
            painter->drawPixmap(option->rect, bevel);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

} // namespace

void useClassicLook() {
    // Built into every Qt build, on every platform.
    QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"));
    if (classic == nullptr) {
        return;
    }
    // The desktop's own scheme would tint the controls; the layouts' system colours are the
    // style's.
    const QPalette scheme = classic->standardPalette();
    QApplication::setStyle(new ClassicStyle(classic));
    QApplication::setPalette(scheme);
}
