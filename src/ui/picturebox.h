#pragma once

#include "ui/colors.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QPainter;

// Reads one of the game's own pictures, whose format its name tells. Qt's image plugins are not
// asked: probing them would load every one installed (JPEG, GIF, ...) for nothing.
[[nodiscard]] QImage readPicture(const QString& file);

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
    std::uint32_t back_ = syscolor::ButtonFace;
};
