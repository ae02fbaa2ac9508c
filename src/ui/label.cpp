#include "ui/label.h"

#include "ui/buttonlike.h"
#include "ui/colors.h"
#include "ui/label_accessible.h"
#include "ui/sunken.h"
#include "ui/twips.h"
#include "ui/wordwrap.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// Desktop toolkits show where the focus is only to players who move it with the keyboard.
bool keyboardNavigation = false;

// Tab and Shift+Tab onto any control turn it on, a mouse press anywhere turns it off.
class NavigationWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress) {
            Label::setKeyboardNavigation(false);
        } else if (e->type() == QEvent::FocusIn) {
            const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
            if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason) {
                Label::setKeyboardNavigation(true);
            }
        }
        return false;
    }
};

} // namespace

Label::Label(QWidget* parent) : QLabel(parent) {
    static const bool factory = (QAccessible::installFactory(buttonLabelFactory), true);
    (void)factory;
    static const bool watch =
        (QCoreApplication::instance()->installEventFilter(new NavigationWatch(qApp)), true);
    (void)watch;
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
}

void Label::setButtonLike(bool on) {
    buttonLike_ = on;
    // Only the keyboard moves the focus here: a click must leave it where the player was typing.
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
    // Setting the text may already have made (and cached) the plain label's interface.
    if (QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(this)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
    }
}

void Label::setKeyboardNavigation(bool on) {
    if (keyboardNavigation != on) {
        keyboardNavigation = on;
        if (QWidget* focused = QApplication::focusWidget()) {
            focused->update();
        }
    }
}

bool Label::keyboardNavigating() {
    return keyboardNavigation;
}

bool Label::showsFocusRing() const {
    return keyboardNavigation && hasFocus();
}

void Label::press() {
    emit MouseDown(Qt::LeftButton);
    release();
}

void Label::release() {
    // Released in place, as a mouse button released over the label: that is a click too, which
    // the links act on.
    emit MouseUp(Qt::LeftButton);
    emit Click();
}

void Label::keyPressEvent(QKeyEvent* e) {
    if (buttonLike_ && isActivationKey(e)) {
        if (!e->isAutoRepeat()) {
            keyHeld_ = true;
            emit MouseDown(Qt::LeftButton);
        }
        e->accept();
        return;
    }
    QLabel::keyPressEvent(e);
}

void Label::keyReleaseEvent(QKeyEvent* e) {
    if (buttonLike_ && isActivationKey(e)) {
        // Only a key pressed here counts: the release of the Enter that closed a message box
        // must not press the label behind it.
        if (!e->isAutoRepeat() && keyHeld_) {
            keyHeld_ = false;
            release();
        }
        e->accept();
        return;
    }
    QLabel::keyReleaseEvent(e);
}

void Label::setCaption(const QString& text) {
    // The timers write the same caption again and again; only a change needs a repaint.
    if (text == this->text()) {
        return;
    }
    setText(text);
    if (autoSize_) {
        fitToText();
    }
    if (narrowToFit_) {
        narrowToText();
    }
    update();
}

void Label::setForeColor(std::uint32_t bgr) {
    if (fore_ != bgr) {
        fore_ = bgr;
        update();
    }
}

void Label::setBackColor(std::uint32_t bgr) {
    back_ = bgr;
    update();
}

void Label::setTransparent(bool on) {
    transparent_ = on;
    update();
}

void Label::setAlign(Align a) {
    align_ = a;
    update();
}

void Label::setBorderStyle(int style) {
    if (border_ != style) {
        border_ = style;
        update();
    }
}

void Label::setAutoSize(bool on) {
    autoSize_ = on;
    if (on) {
        fitToText();
    }
}

void Label::fitToText() {
    const QFontMetrics fm(font());
    const int extra = border_ != 0 ? 2 : 0;
    twips::Rect r = twips::geometry(this);
    r.width = twips::fromPixels(fm.horizontalAdvance(text()) + extra);
    r.height = twips::fromPixels(fm.height() + extra);
    twips::setGeometry(this, r);
}

void Label::narrowToText() {
    // Half the width is as narrow as a face stays legible.
    constexpr int Narrowest = 50;
    QFont f = font();
    int stretch = 100;
    f.setStretch(stretch);
    const int room = width() - (border_ != 0 ? 2 : 0);
    while (stretch > Narrowest && QFontMetricsF(f).horizontalAdvance(text()) > room) {
        f.setStretch(--stretch);
    }
    setFont(f);
}

QStringList Label::wrappedLines() const {
    const QFontMetrics fm(font());
    const int inner = width() - (border_ != 0 ? 2 : 0);
    QStringList lines;
    const QStringList paragraphs = text().split(QLatin1Char('\n'));
    for (QString para : paragraphs) {
        if (para.endsWith(QLatin1Char('\r'))) {
            para.chop(1);
        }
        if (autoSize_) {
            lines << para;
        } else {
            wrapParagraph(para, fm, inner, lines);
        }
    }
    return lines;
}

QRect Label::shownRect() const {
    QRect shown = rect();
    for (const QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        shown &= QRect(mapFrom(w, QPoint(0, 0)), w->size());
        if (w->isWindow()) {
            break;
        }
    }
    // A control above may hide a strip along one edge, as the last help entry hides the top
    // row of the link under it.
    const QObjectList siblings = isWindow() ? QObjectList() : parent()->children();
    for (qsizetype i = siblings.indexOf(this) + 1; i < siblings.size(); ++i) {
        const auto* above = qobject_cast<const QWidget*>(siblings.at(i));
        if (above == nullptr || !above->isVisible()) {
            continue;
        }
        const QRect hidden = above->geometry().translated(-pos()) & shown;
        if (hidden.isEmpty()) {
            continue;
        }
        if (hidden.width() == shown.width() && hidden.top() == shown.top()) {
            shown.setTop(hidden.bottom() + 1);
        } else if (hidden.width() == shown.width() && hidden.bottom() == shown.bottom()) {
            shown.setBottom(hidden.top() - 1);
        } else if (hidden.height() == shown.height() && hidden.left() == shown.left()) {
            shown.setLeft(hidden.right() + 1);
        } else if (hidden.height() == shown.height() && hidden.right() == shown.right()) {
            shown.setRight(hidden.left() - 1);
        }
    }
    return shown;
}

void Label::paintEvent(QPaintEvent* /*e*/) {
    QPainter p(this);
    if (!transparent_) {
        p.fillRect(rect(), vbColor(back_));
    }
    QRect area = rect();
    if (border_ != 0) {
        drawSunken(p, rect(), 1);
        area.adjust(1, 1, -1, -1);
    }
    if (showsFocusRing()) {
        // Where the keyboard is, for players who use it.
        QPen dots(vbColor(fore_), 1, Qt::DotLine);
        p.setPen(dots);
        p.drawRect(shownRect().adjusted(0, 0, -1, -1));
    }
    p.setClipRect(area);
    p.setFont(font());
    p.setPen(vbColor(fore_));
    const QFontMetrics fm(font());
    int y = area.top() + fm.ascent();
    for (const QString& line : wrappedLines()) {
        const int w = fm.horizontalAdvance(line);
        int x = area.left();
        if (align_ == Align::Center) {
            x = area.left() + (area.width() - w) / 2;
        } else if (align_ == Align::Right) {
            x = area.right() + 1 - w;
        }
        p.drawText(x, y, line);
        y += fm.height();
        if (y - fm.ascent() > area.bottom()) {
            break;
        }
    }
}

void Label::mousePressEvent(QMouseEvent* e) {
    e->accept();
    emit MouseDown(e->button());
}

void Label::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    const bool inside = rect().contains(e->position().toPoint());
    emit MouseUp(e->button());
    if (inside) {
        emit Click();
    }
}

void Label::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    emit MouseMove();
}

void Label::changeEvent(QEvent* e) {
    QLabel::changeEvent(e);
    // A label sized to its text follows its font, as when a link turns bold under the pointer.
    if (e->type() == QEvent::FontChange && autoSize_) {
        fitToText();
    }
}
