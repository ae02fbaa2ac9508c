#include "forms/main/vantaro.h"
#include "ui/controls.h"

#include <cmath>

void Vantaro::Timer1_Timer() {
    SpinAngle += 0.01;
    if (SpinAngle > 1) {
        SpinAngle -= 1;
    }
    SpinPic(*ui_.PicSpin, *ui_.PicCopy, SpinAngle, 0, 0, 1);
}

// Turns the picture like a coin on a table: the whole image squeezed to the width a flat card
// would show at this angle, mirrored while its back faces the viewer, with the two strips
// beside it painted over in the strip colours.
void Vantaro::SpinPic(PictureBox& picDest, PictureBox& picSource, const double& Angle,
                      std::uint32_t Clr1, std::uint32_t Clr2, Int16 SpinStyle) {
    const double c = std::cos(Angle * 6.28);
    const auto W = static_cast<float>(picDest.innerWidth());
    const auto H = static_cast<float>(picDest.innerHeight());
    const float D = SpinStyle == 1 ? W : H;
    const double h = std::nearbyint(D / 2.0F); // halves to the even neighbour
    double S = 2 * h * c;
    const double k = 1 - std::abs(c);
    if (std::abs(S) < 1) {
        S = (Angle > 0) - (Angle < 0); // edge-on: a line one unit thick
    }
    const auto start = static_cast<float>((1 - c) * h);
    const QImage& pic = picSource.sharpestPicture(picDest.devicePixelRatioF());
    if (SpinStyle == 1) {
        picDest.paintPicture(pic, start, 0, S, H);
        picDest.fillBox(0, 0, k * h, H, Clr1);
        picDest.fillBox(W - k * h, 0, W, H, Clr2);
    } else {
        picDest.paintPicture(pic, 0, start, W, S);
        picDest.fillBox(0, 0, W, k * h, Clr1);
        picDest.fillBox(0, H - k * h, W, H, Clr2);
    }
    picDest.present();
}
