#include "ui/picturebox.h"

#include "ui/colors.h"
#include "ui/sunken.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

QImage readPicture(const QString& file) {
    QImageReader reader(file, QFileInfo(file).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

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
        hiRes_ = readPicture(hiResFile_);
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
    QImage& mirror = mirrors_.at(x && y ? 2 : (x ? 0 : 1));
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
