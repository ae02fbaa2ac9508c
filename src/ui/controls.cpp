#include "ui/controls.h"

#include "ui/colors.h"
#include "ui/twips.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <qdrawutil.h>

namespace {

// Lays a paragraph out the way the original labels did: greedy by words, a line break swallows
// the blanks it falls on (so a long run of blanks turns into a line break), and a word wider
// than the label is cut where it must be.
void wrapParagraph(const QString& para, const QFontMetrics& fm, int width, QStringList& out) {
    QString line;
    bool lineStarted = false;
    const qsizetype n = para.size();
    qsizetype i = 0;
    auto pushWordPieces = [&](QString word) {
        while (fm.horizontalAdvance(word) > width && word.size() > 1) {
            qsizetype cut = 1;
            while (cut < word.size() && fm.horizontalAdvance(word.left(cut + 1)) <= width) {
                ++cut;
            }
            if (cut < word.size() && word.at(cut - 1).isHighSurrogate()) {
                --cut; // never split a character in two
                if (cut == 0) {
                    cut = 2;
                }
            }
            out << word.left(cut);
            word = word.mid(cut);
        }
        line = word;
        lineStarted = true;
    };
    while (i < n) {
        const qsizetype s = i;
        while (i < n && para.at(i) == QLatin1Char(' ')) {
            ++i;
        }
        const QString spaces = para.mid(s, i - s);
        const qsizetype w = i;
        while (i < n && para.at(i) != QLatin1Char(' ')) {
            ++i;
        }
        const QString word = para.mid(w, i - w);
        if (word.isEmpty()) {
            line += spaces; // trailing blanks stay on the line they end
            lineStarted = true;
            break;
        }
        const QString candidate = line + spaces + word;
        if (!lineStarted || fm.horizontalAdvance(candidate) <= width) {
            if (fm.horizontalAdvance(candidate) <= width) {
                line = candidate;
                lineStarted = true;
            } else {
                pushWordPieces(candidate);
            }
        } else {
            out << line;
            pushWordPieces(word);
        }
    }
    out << line;
}

void drawSunken(QPainter& p, const QRect& r, int lineWidth) {
    qDrawShadePanel(&p, r, QPalette(QColor(0xF0, 0xF0, 0xF0)), true, lineWidth);
}

} // namespace

// --- Label ---

namespace {

bool isActivationKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// Screen readers see a button-like label as a button with a press action.
class ButtonLabelAccessible : public QAccessibleWidget {
public:
    explicit ButtonLabelAccessible(Label* l) : QAccessibleWidget(l, QAccessible::Button) {}
    [[nodiscard]] QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? label()->text() : QAccessibleWidget::text(t);
    }
    [[nodiscard]] QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            label()->press();
        }
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString& name) const override {
        return name == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
    }

private:
    [[nodiscard]] Label* label() const { return static_cast<Label*>(widget()); }
};

QAccessibleInterface* buttonLabelFactory(const QString& /*className*/, QObject* object) {
    auto* l = qobject_cast<Label*>(object);
    return l != nullptr && l->isButtonLike() ? new ButtonLabelAccessible(l) : nullptr;
}

} // namespace

Label::Label(QWidget* parent) : QLabel(parent) {
    static const bool factory = (QAccessible::installFactory(buttonLabelFactory), true);
    (void)factory;
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
}

void Label::setButtonLike(bool on) {
    buttonLike_ = on;
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
    // Setting the text may already have made (and cached) the plain label's interface.
    if (QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(this)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
    }
}

void Label::press() {
    emit MouseDown(Qt::LeftButton);
    emit MouseUp(Qt::LeftButton);
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
            emit MouseUp(Qt::LeftButton);
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
    if (hasFocus()) {
        // Where the keyboard is, for players who use it.
        QPen dots(vbColor(fore_), 1, Qt::DotLine);
        p.setPen(dots);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
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

// --- Frame ---

Frame::Frame(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void Frame::setCaption(const QString& text) {
    caption_ = text;
    update();
}

void Frame::setForeColor(std::uint32_t bgr) {
    fore_ = bgr;
    update();
}

void Frame::setBackColor(std::uint32_t bgr) {
    back_ = bgr;
    update();
}

void Frame::paintEvent(QPaintEvent* /*e*/) {
    QPainter p(this);
    p.fillRect(rect(), vbColor(back_));
    const QFontMetrics fm(font());
    const int top = fm.height() / 2;
    const QRect box(0, top, width() - 1, height() - top - 1);
    p.setPen(vbColor(color::Grey));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(vbColor(color::White));
    p.drawRect(box.adjusted(1, 1, 0, 0));
    if (!caption_.isEmpty()) {
        constexpr int CaptionLeft = 6;
        const int w = fm.horizontalAdvance(caption_) + 4;
        p.fillRect(QRect(CaptionLeft, 0, w, fm.height()), vbColor(back_));
        p.setFont(font());
        p.setPen(vbColor(fore_));
        p.drawText(CaptionLeft + 2, fm.ascent(), caption_);
    }
}

void Frame::mousePressEvent(QMouseEvent* e) {
    e->accept();
    pressed_ = true;
}

void Frame::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    const bool click = pressed_ && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click) {
        emit Click();
    }
}

void Frame::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    emit MouseMove();
}

// --- CommandButton ---

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {
    setMouseTracking(true);
}

void CommandButton::mouseMoveEvent(QMouseEvent* e) {
    QPushButton::mouseMoveEvent(e);
    e->accept();
    emit MouseMove();
}

void CommandButton::paintEvent(QPaintEvent* /*e*/) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    p.drawControl(QStyle::CE_PushButton, opt);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

// --- Line ---

Line::Line(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setColor(std::uint32_t bgr) {
    color_ = bgr;
    update();
}

void Line::paintEvent(QPaintEvent* /*e*/) {
    QPainter p(this);
    p.fillRect(rect(), vbColor(color_));
}

// --- PictureBox ---

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int PictureBox::innerWidth() const {
    return std::max(0, width() - 2 * BorderPixels);
}
int PictureBox::innerHeight() const {
    return std::max(0, height() - 2 * BorderPixels);
}

void PictureBox::setBackColor(std::uint32_t bgr) {
    back_ = bgr;
    painter_.reset();
    syncImage();
    image_.fill(vbColor(back_));
    update();
}

void PictureBox::syncImage() const {
    // In device pixels, so that a dense screen gets a sharp picture; drawing stays in logical
    // units.
    const qreal dpr = devicePixelRatioF();
    const QSize inner(std::max(1, qRound(innerWidth() * dpr)),
                      std::max(1, qRound(innerHeight() * dpr)));
    if (image_.size() == inner && image_.devicePixelRatio() == dpr) {
        return;
    }
    painter_.reset();
    QImage next(inner, QImage::Format_RGB32);
    next.setDevicePixelRatio(dpr);
    next.fill(vbColor(back_));
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = next;
}

const QImage& PictureBox::image() const {
    painter_.reset(); // whoever reads the picture sees what was drawn so far
    syncImage();
    return image_;
}

const QImage& PictureBox::sharpestPicture(qreal dpr) const {
    if (dpr <= 1 || hiResFile_.isEmpty()) {
        return picture_;
    }
    if (!hiResRead_) {
        hiResRead_ = true;
        hiRes_.load(hiResFile_);
    }
    return hiRes_.isNull() ? picture_ : hiRes_;
}

const QImage& PictureBox::mirrorOf(const QImage& pic, bool x, bool y) {
    if (!x && !y) {
        return pic;
    }
    if (mirrorKey_ != pic.cacheKey()) {
        mirrorKey_ = pic.cacheKey();
        mirrors_ = {};
    }
    // Each way only once it is drawn: a picture turning about one axis needs one of the three.
    QImage& mirror = mirrors_.at((x ? 1 : 0) + (y ? 2 : 0) - 1);
    if (mirror.isNull()) {
        mirror = pic.mirrored(x, y);
    }
    return mirror;
}

void PictureBox::paintPicture(const QImage& pic, double x, double y, double w, double h) {
    const int ix = qRound(x);
    const int iy = qRound(y);
    const int iw = qRound(w);
    const int ih = qRound(h);
    if (iw == 0 || ih == 0 || pic.isNull()) {
        return;
    }
    const QRect target(iw > 0 ? ix : ix + iw, ih > 0 ? iy : iy + ih, std::abs(iw), std::abs(ih));
    painter().drawImage(target, mirrorOf(pic, iw < 0, ih < 0));
}

void PictureBox::fillBox(double x1, double y1, double x2, double y2, std::uint32_t bgr) {
    const int l = qRound(std::min(x1, x2));
    const int r = qRound(std::max(x1, x2));
    const int t = qRound(std::min(y1, y2));
    const int b = qRound(std::max(y1, y2));
    if (r > l && b > t) {
        painter().fillRect(QRect(l, t, r - l, b - t), vbColor(bgr));
    }
}

PictureBox::~PictureBox() = default;

QPainter& PictureBox::painter() {
    if (!painter_) {
        syncImage();
        painter_ = std::make_unique<QPainter>(&image_);
    }
    return *painter_;
}

void PictureBox::present() {
    painter_.reset();
    // Only the picture changed; the border stays as it was painted.
    update(QRect(BorderPixels, BorderPixels, innerWidth(), innerHeight()));
}

void PictureBox::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!QRect(BorderPixels, BorderPixels, innerWidth(), innerHeight()).contains(e->rect())) {
        drawSunken(p, rect(), BorderPixels);
    }
    p.drawImage(BorderPixels, BorderPixels, image());
}
