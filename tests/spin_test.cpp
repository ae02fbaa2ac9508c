#include "game_fixture.h"

namespace {

constexpr std::uint32_t Green = 0x00FF00; // strip colours, 0xBBGGRR
constexpr std::uint32_t Yellow = 0x00FFFF;

// A source whose left half is red and right half blue, top quarter white, so that mirroring and
// squeezing show on the pixels.
QImage sourcePicture() {
    QImage img(187, 199, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c =
                y < 50 ? qRgb(255, 255, 255) : (x < 93 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
            img.setPixel(x, y, c);
        }
    }
    return img;
}

class SpinTest : public ::testing::Test {
protected:
    void SetUp() override {
        source.setPicture(sourcePicture());
        setInner(149, 149);
    }
    void setInner(int w, int h) {
        dest.setBackColor(0x000000);
        twips::setGeometry(&dest, {0, 0, twips::fromPixels(w + 2 * PictureBox::BorderPixels),
                                   twips::fromPixels(h + 2 * PictureBox::BorderPixels)});
        dest.resize(w + 4, h + 4);
        dest.setBackColor(0x808080);
    }
    void spin(double angle, int style = 1) {
        vantaro().SpinPic(dest, source, angle, Green, Yellow, style);
    }
    QRgb at(int x, int y) const { return dest.image().pixel(x, y) & 0xFFFFFF; }
    PictureBox dest;
    PictureBox source;
    static constexpr QRgb Red = 0xFF0000, Blue = 0x0000FF, GreenRgb = 0x00FF00,
                          YellowRgb = 0xFFFF00, Grey = 0x808080;
};

TEST_F(SpinTest, FaceOnFillsTheBoxWithNoStrips) {
    for (const double angle : {0.0, 1.0}) {
        SCOPED_TRACE(angle);
        setInner(149, 149);
        spin(angle);
        EXPECT_EQ(at(0, 100), Red);
        EXPECT_EQ(at(147, 100), Blue);
        EXPECT_EQ(at(74, 10), 0xFFFFFFu) << "stretched to the full height";
        EXPECT_EQ(at(70, 148), Red);
    }
}

TEST_F(SpinTest, HalfATurnShowsTheBackMirrored) {
    spin(0.5);
    EXPECT_EQ(at(0, 100), Blue);
    EXPECT_EQ(at(147, 100), Red);
}

TEST_F(SpinTest, EdgeOnIsALineOneUnitWideBetweenTwoStrips) {
    spin(0.25);
    EXPECT_EQ(at(0, 100), GreenRgb);
    EXPECT_EQ(at(73, 100), GreenRgb);
    EXPECT_TRUE(at(74, 100) == Red || at(74, 100) == Blue) << "the ship seen edge-on";
    EXPECT_EQ(at(74, 10), 0xFFFFFFu);
    EXPECT_EQ(at(75, 100), YellowRgb);
    EXPECT_EQ(at(148, 100), YellowRgb);
}

TEST_F(SpinTest, OddWidthCentresOnTheRoundedHalf) {
    spin(0.125); // c = cos(0.785) ~ 0.707: image 22..126 around x = 74
    EXPECT_EQ(at(21, 100), GreenRgb);
    EXPECT_EQ(at(22, 100), Red);
    EXPECT_EQ(at(126, 100), Blue);
    EXPECT_EQ(at(127, 100), YellowRgb);
    EXPECT_EQ(at(148, 100), YellowRgb) << "the right strip ends at 149";
}

TEST_F(SpinTest, HalfIsRoundedToTheEvenNeighbour) {
    setInner(151, 151); // h = 75.5 -> 76, so the image spans 0..151 face-on
    spin(0.0);
    EXPECT_EQ(at(150, 100), Blue);
    setInner(149, 149); // h = 74.5 -> 74, the last column stays as it was
    spin(0.0);
    EXPECT_EQ(at(148, 100), Grey);
}

TEST_F(SpinTest, TheOtherStyleTurnsAboutTheHorizontalAxis) {
    spin(0.25, 0);
    EXPECT_EQ(at(74, 0), GreenRgb);
    EXPECT_EQ(at(74, 73), GreenRgb);
    EXPECT_EQ(at(74, 75), YellowRgb);
    EXPECT_EQ(at(74, 148), YellowRgb);
    EXPECT_EQ(at(0, 74), Red) << "stretched to the full width";
    EXPECT_EQ(at(147, 74), Blue);
    spin(0.5); // mirrored the other way first: each way has a copy of its own
    spin(0.5, 0);
    EXPECT_EQ(at(20, 0), Red) << "mirrored top to bottom, the white top now at the bottom";
    EXPECT_EQ(at(20, 140), 0xFFFFFFu);
}

TEST_F(SpinTest, WhatWasDrawnStaysUntilPaintedOver) {
    spin(0.0);
    spin(0.125);
    // The strips cover what the wider frame left beside the narrower one.
    EXPECT_EQ(at(10, 100), GreenRgb);
    EXPECT_EQ(at(140, 100), YellowRgb);
}

class TurnTest : public GameTest {};

TEST_F(TurnTest, AFullTurnTakesExactlyOneHundredTicks) {
    gameState().PlayerName = QStringLiteral("Петя");
    vantaro().show();
    Vantaro& v = vantaro();
    std::vector<int> wraps;
    double before = v.SpinAngle;
    for (int tick = 1; tick <= 1000; ++tick) {
        v.Timer1_Timer();
        if (v.SpinAngle < before) {
            wraps.push_back(tick);
        }
        ASSERT_GT(v.SpinAngle, 0.0);
        ASSERT_LE(v.SpinAngle, 1.0);
        before = v.SpinAngle;
    }
    const std::vector<int> expected{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
    EXPECT_EQ(wraps, expected);
    EXPECT_LT(v.SpinAngle, 1e-9);
    // The ship reached the screen's picture box.
    const QImage& img = ctl<PictureBox>(vantaro(), "PicSpin")->image();
    EXPECT_NE(img.pixel(74, 74) & 0xFFFFFF, 0u);
}

} // namespace
