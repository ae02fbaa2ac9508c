// Paints the player's spaceship and the application icons.
//
// Everything is drawn in a fixed 187x199 "ship space" and the painter is
// scaled to the target, so the BMP, the @2x PNG and every icon size come
// from the same vector drawing.
//
// Usage: shipgen <assets-dir>

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr double kW = 187.0;
constexpr double kH = 199.0;
constexpr double kCx = kW / 2.0;

const QColor kOutline(14, 18, 32);

// Mirrors a right-hand outline onto the left so both halves match exactly.
QPainterPath mirrored(const QPainterPath& right)
{
    QTransform flip;
    flip.translate(kCx, 0);
    flip.scale(-1, 1);
    flip.translate(-kCx, 0);
    return flip.map(right);
}

void drawSpace(QPainter& p, const QRectF& area, bool withStars)
{
    QRadialGradient sky(area.center() + QPointF(-area.width() * 0.15, -area.height() * 0.2),
                        qMax(area.width(), area.height()) * 0.85);
    sky.setColorAt(0.0, QColor(20, 36, 84));
    sky.setColorAt(0.55, QColor(8, 14, 40));
    sky.setColorAt(1.0, QColor(1, 2, 8));
    p.fillRect(area, sky);

    // Two faint nebula clouds keep the backdrop from looking flat.
    auto cloud = [&](QPointF c, double r, QColor col) {
        QRadialGradient g(c, r);
        g.setColorAt(0.0, col);
        col.setAlpha(0);
        g.setColorAt(1.0, col);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, r, r);
    };
    const double u = area.width() / kW;
    cloud(area.topLeft() + QPointF(38 * u, 44 * u), 70 * u, QColor(120, 50, 160, 55));
    cloud(area.topLeft() + QPointF(158 * u, 170 * u), 60 * u, QColor(30, 140, 170, 40));

    if (!withStars)
        return;

    // Fixed seed: the picture must come out identical on every run.
    QRandomGenerator rng(0x5a17a20);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 46; ++i) {
        const QPointF at(area.left() + rng.bounded(area.width()),
                         area.top() + rng.bounded(area.height()));
        const int bright = 140 + rng.bounded(116);
        const double r = (0.35 + rng.bounded(0.6)) * u;
        const bool warm = rng.bounded(5) == 0;
        p.setBrush(warm ? QColor(255, 225, 180, bright) : QColor(210, 225, 255, bright));
        p.drawEllipse(at, r, r);
    }
    // A few bright stars get a small four-point sparkle.
    const QPointF sparkles[] = {{22, 170}, {160, 28}, {30, 26}, {172, 104}};
    for (QPointF s : sparkles) {
        s = area.topLeft() + s * u;
        QRadialGradient halo(s, 4.5 * u);
        halo.setColorAt(0.0, QColor(255, 255, 255, 200));
        halo.setColorAt(1.0, QColor(160, 190, 255, 0));
        p.setBrush(halo);
        p.drawEllipse(s, 4.5 * u, 4.5 * u);
        p.setPen(QPen(QColor(220, 232, 255, 170), 0.6 * u));
        p.drawLine(s - QPointF(6 * u, 0), s + QPointF(6 * u, 0));
        p.drawLine(s - QPointF(0, 6 * u), s + QPointF(0, 6 * u));
        p.setPen(Qt::NoPen);
    }
}

void drawFlame(QPainter& p, QPointF nozzle, double width, double length)
{
    const QPointF centre = nozzle + QPointF(0, length * 0.35);
    QRadialGradient g(centre, length * 0.65, nozzle + QPointF(0, 1));
    g.setColorAt(0.0, QColor(255, 255, 255, 255));
    g.setColorAt(0.18, QColor(190, 240, 255, 240));
    g.setColorAt(0.45, QColor(80, 170, 255, 170));
    g.setColorAt(0.75, QColor(120, 60, 255, 70));
    g.setColorAt(1.0, QColor(80, 40, 200, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QRectF(nozzle.x() - width / 2, nozzle.y() - length * 0.3, width, length * 1.3));
}

QLinearGradient metal(double x0, double x1, QColor dark, QColor light)
{
    // Light comes from the upper left, so the left-centre is brightest.
    QLinearGradient g(x0, 0, x1, 0);
    g.setColorAt(0.0, dark.darker(140));
    g.setColorAt(0.35, light);
    g.setColorAt(0.65, dark.lighter(115));
    g.setColorAt(1.0, dark.darker(170));
    return g;
}

void drawShip(QPainter& p)
{
    p.save();
    const QPen outline(kOutline, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    // --- Engine exhaust, drawn first so the hull sits on top of it.
    drawFlame(p, {kCx - 21, 168}, 13, 26);
    drawFlame(p, {kCx + 21, 168}, 13, 26);
    drawFlame(p, {kCx, 163}, 15, 32);

    // --- Main wings (swept delta) with wingtip cannons.
    QPainterPath wingR;
    wingR.moveTo(kCx + 12, 84);
    wingR.lineTo(kCx + 70, 136);
    wingR.lineTo(kCx + 72, 152);
    wingR.lineTo(kCx + 56, 150);
    wingR.lineTo(kCx + 14, 140);
    wingR.closeSubpath();
    const QPainterPath wings = wingR.united(mirrored(wingR));

    p.setPen(outline);
    p.setBrush(metal(kCx - 72, kCx + 72, QColor(70, 84, 108), QColor(170, 184, 206)));
    p.drawPath(wings);

    // Red leading-edge stripe, clipped to the wing shape.
    QPainterPath stripeR;
    stripeR.moveTo(kCx + 12, 84);
    stripeR.lineTo(kCx + 70, 136);
    stripeR.lineTo(kCx + 70, 143);
    stripeR.lineTo(kCx + 12, 94);
    stripeR.closeSubpath();
    p.save();
    p.setClipPath(wings);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(196, 40, 48));
    p.drawPath(stripeR.united(mirrored(stripeR)));
    p.restore();

    // Panel lines on the wings.
    p.setPen(QPen(QColor(20, 26, 44, 150), 0.6));
    for (int side : {-1, 1}) {
        p.drawLine(QPointF(kCx + side * 30, 112), QPointF(kCx + side * 30, 144));
        p.drawLine(QPointF(kCx + side * 46, 126), QPointF(kCx + side * 46, 147));
    }

    for (int side : {-1, 1}) {
        const QRectF gun(kCx + side * 71 - 2.5, 112, 5, 44);
        p.setPen(outline);
        p.setBrush(metal(gun.left(), gun.right(), QColor(60, 66, 80), QColor(190, 198, 214)));
        p.drawRoundedRect(gun, 2, 2);
        p.setBrush(QColor(30, 34, 44));
        p.drawRect(QRectF(gun.left() + 1, gun.top() - 6, gun.width() - 2, 7));
    }

    // --- Engine nacelles beside the tail.
    for (int side : {-1, 1}) {
        const QRectF pod(kCx + side * 21 - 7, 116, 14, 50);
        p.setPen(outline);
        p.setBrush(metal(pod.left(), pod.right(), QColor(64, 74, 96), QColor(196, 206, 222)));
        p.drawRoundedRect(pod, 6, 6);
        // Intake ring and nozzle.
        p.setBrush(QColor(196, 40, 48));
        p.drawRect(QRectF(pod.left(), 126, pod.width(), 4));
        p.setBrush(QColor(34, 38, 50));
        p.drawRoundedRect(QRectF(pod.left() + 1.5, 163, pod.width() - 3, 6), 2, 2);
    }

    // --- Front canards.
    QPainterPath canardR;
    canardR.moveTo(kCx + 12, 60);
    canardR.lineTo(kCx + 31, 78);
    canardR.lineTo(kCx + 30, 85);
    canardR.lineTo(kCx + 13, 78);
    canardR.closeSubpath();
    p.setPen(outline);
    p.setBrush(metal(kCx - 31, kCx + 31, QColor(70, 84, 108), QColor(170, 184, 206)));
    p.drawPath(canardR.united(mirrored(canardR)));

    // --- Fuselage.
    QPainterPath hullR;
    hullR.moveTo(kCx, 16);
    hullR.cubicTo(kCx + 8, 28, kCx + 16, 58, kCx + 17, 96);
    hullR.cubicTo(kCx + 18, 122, kCx + 15, 146, kCx + 11, 160);
    hullR.lineTo(kCx, 160);
    hullR.closeSubpath();
    const QPainterPath hull = hullR.united(mirrored(hullR)).simplified();

    p.setPen(outline);
    p.setBrush(metal(kCx - 18, kCx + 18, QColor(82, 94, 118), QColor(232, 238, 246)));
    p.drawPath(hull);

    p.save();
    p.setClipPath(hull);
    // Red nose cap and a dorsal stripe give the ship its livery.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(196, 40, 48));
    p.drawRect(QRectF(kCx - 20, 10, 40, 18));
    p.setBrush(QColor(196, 40, 48, 210));
    p.drawRect(QRectF(kCx - 2, 82, 4, 66));
    // Panel seams.
    p.setPen(QPen(QColor(20, 26, 44, 140), 0.6));
    p.drawLine(QPointF(kCx - 20, 28), QPointF(kCx + 20, 28));
    p.drawLine(QPointF(kCx - 20, 104), QPointF(kCx + 20, 104));
    p.drawLine(QPointF(kCx - 20, 132), QPointF(kCx + 20, 132));
    p.restore();

    // Main engine nozzle.
    p.setPen(outline);
    p.setBrush(QColor(34, 38, 50));
    p.drawRoundedRect(QRectF(kCx - 9, 156, 18, 7), 2, 2);

    // --- Cockpit canopy.
    QPainterPath canopy;
    canopy.moveTo(kCx, 36);
    canopy.cubicTo(kCx + 9, 42, kCx + 9, 66, kCx + 6, 76);
    canopy.lineTo(kCx - 6, 76);
    canopy.cubicTo(kCx - 9, 66, kCx - 9, 42, kCx, 36);
    QLinearGradient glass(kCx - 8, 38, kCx + 8, 76);
    glass.setColorAt(0.0, QColor(150, 235, 255));
    glass.setColorAt(0.45, QColor(30, 120, 200));
    glass.setColorAt(1.0, QColor(8, 30, 80));
    p.setPen(QPen(kOutline, 1.3));
    p.setBrush(glass);
    p.drawPath(canopy);
    // Glint on the glass.
    QPainterPath glint;
    glint.moveTo(kCx - 2, 41);
    glint.cubicTo(kCx - 6, 48, kCx - 6, 58, kCx - 5, 64);
    glint.cubicTo(kCx - 3, 56, kCx - 2, 48, kCx - 2, 41);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawPath(glint);

    // --- Navigation lights: red to port, green to starboard.
    auto light = [&](QPointF at, QColor c) {
        QRadialGradient g(at, 4);
        g.setColorAt(0.0, Qt::white);
        g.setColorAt(0.3, c);
        c.setAlpha(0);
        g.setColorAt(1.0, c);
        p.setBrush(g);
        p.drawEllipse(at, 4, 4);
    };
    light({kCx - 62, 146}, QColor(255, 60, 60));
    light({kCx + 62, 146}, QColor(60, 255, 110));

    p.restore();
}

QImage renderShip(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB888);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width / kW, height / kH);
    drawSpace(p, QRectF(0, 0, kW, kH), true);
    drawShip(p);
    return img;
}

QImage renderIcon(int size)
{
    constexpr double kTile = 200.0;
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kTile, size / kTile);

    // Rounded dark tile so the ship reads on both light and dark desktops.
    const QRectF tile(6, 6, kTile - 12, kTile - 12);
    QPainterPath tilePath;
    tilePath.addRoundedRect(tile, 38, 38);
    p.setClipPath(tilePath);
    // Stars are just noise at tiny sizes.
    drawSpace(p, tile, size > 32);
    p.setClipping(false);
    p.setPen(QPen(QColor(90, 120, 190), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tilePath);

    // Fit the ship (wingtips to exhaust tips) into the tile with a margin.
    const QRectF shipBox(kCx - 75, 10, 150, 186);
    const QRectF target = tile.adjusted(14, 10, -14, -10);
    const double s = qMin(target.width() / shipBox.width(), target.height() / shipBox.height());
    p.translate(target.center());
    p.scale(s, s);
    p.translate(-shipBox.center());
    drawShip(p);
    return img;
}

bool save(QImage img, const QString& path, const char* format)
{
    // Pin the usual 96 dpi; otherwise the header depends on how Qt was started.
    img.setDotsPerMeterX(3780);
    img.setDotsPerMeterY(3780);
    if (!img.save(path, format)) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << '\n';
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // No QGuiApplication: painting into a QImage with no text needs no
    // platform plugin, so the tool runs on headless build machines as is.
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <assets-dir>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists()) {
        std::fprintf(stderr, "%s: no such directory\n", argv[1]);
        return 2;
    }

    bool ok = save(renderShip(187, 199), out.filePath("ship.bmp"), "BMP");
    ok = save(renderShip(374, 398), out.filePath("ship@2x.png"), "PNG") && ok;

    for (int n : {16, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("icons/hicolor/%1x%1/apps").arg(n);
        if (!out.mkpath(dir)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(out.filePath(dir)));
            return 1;
        }
        ok = save(renderIcon(n), out.filePath(dir + "/vantaro.png"), "PNG") && ok;
    }
    return ok ? 0 : 1;
}
