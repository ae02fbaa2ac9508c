#pragma once

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QPainter;

// The handful of control kinds the layouts use. Each keeps the layout's colours as 0xBBGGRR
// values and reports mouse events under the names the handlers expect.

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

    // The lines as the label lays them out at its current width.
    [[nodiscard]] QStringList wrappedLines() const;

    // A label used as a button: it takes the keyboard focus (Tab), Enter or Space press and
    // release it like a mouse button, and screen readers announce it as a button.
    void setButtonLike(bool on);
    [[nodiscard]] bool isButtonLike() const { return buttonLike_; }
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
    bool buttonLike_ = false;
    bool keyHeld_ = false;
    std::uint32_t fore_ = 0x000000;
    std::uint32_t back_ = 0xF0F0F0;
    bool transparent_ = false;
    Align align_ = Align::Left;
    int border_ = 0;
    bool autoSize_ = false;
};

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

signals:
    void Click();
    void MouseMove();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    QString caption_;
    std::uint32_t fore_ = 0x000000;
    std::uint32_t back_ = 0xF0F0F0;
    bool pressed_ = false;
};

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
    // Long captions wrap onto more lines, as on the original buttons.
    void paintEvent(QPaintEvent* e) override;
};

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

// A picture box with a sunken two-pixel border. What is drawn on it stays in its image until
// painted over; `picture` is the stored picture it was laid out with.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    static constexpr int BorderPixels = 2;
    [[nodiscard]] int innerWidth() const;
    [[nodiscard]] int innerHeight() const;

    // `hiResFile`, where there is one, holds the same picture drawn for screens of twice the
    // density. It is read the first time such a screen needs it: on an ordinary screen it would
    // only take memory.
    void setPicture(const QImage& picture, const QString& hiResFile = {}) {
        picture_ = picture;
        hiResFile_ = hiResFile;
        hiRes_ = QImage();
        hiResRead_ = false;
    }
    [[nodiscard]] const QImage& picture() const { return picture_; }
    // The picture to draw on a surface of this device pixel ratio.
    [[nodiscard]] const QImage& sharpestPicture(qreal dpr) const;
    void setBackColor(std::uint32_t bgr);

    // The persistent drawing surface, inner size.
    [[nodiscard]] const QImage& image() const;

    // Draws the whole of `pic` scaled into the rectangle that starts at (x, y) and extends by
    // the signed `w` and `h`: a negative extent mirrors the picture and runs towards smaller
    // coordinates. Positions are rounded to whole pixels.
    void paintPicture(const QImage& pic, double x, double y, double w, double h);
    // Fills the box between two corners, the far corner's row and column excluded.
    void fillBox(double x1, double y1, double x2, double y2, std::uint32_t bgr);
    // Puts what has been drawn so far on screen. Drawing happens off screen, so only finished
    // frames are ever shown, and only this box is repainted.
    void present();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    const QImage& mirrorOf(const QImage& pic, bool x, bool y);
    // Keeps the surface at the inner size, whether or not the box has been shown yet.
    void syncImage() const;
    // One painter for all the drawing of a frame, ended by present().
    QPainter& painter();
    QImage picture_;
    QString hiResFile_;
    mutable QImage hiRes_;
    mutable bool hiResRead_ = false;
    mutable QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    // Mirrored copies of the last picture drawn mirrored (across x, y, both), made once rather
    // than every frame.
    qint64 mirrorKey_ = 0;
    std::array<QImage, 3> mirrors_;
    std::uint32_t back_ = 0xF0F0F0;
};
