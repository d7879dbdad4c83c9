#include "land_art.h"

#include "noise.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace tavrin::assets {

namespace {

struct Rgb {
    double r, g, b;
};

Rgb mix(const Rgb& a, const Rgb& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

QRgb toPixel(const Rgb& c)
{
    const auto ch = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}

// Draws `paint` nine times, shifted by the picture size, so that anything
// crossing an edge comes back in on the other side.
void drawWrapped(QPainter& p, const std::function<void(QPainter&)>& paint)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            p.save();
            p.translate(dx * kLandSize, dy * kLandSize);
            paint(p);
            p.restore();
        }
    }
}

QImage blankLand()
{
    QImage img(kLandSize, kLandSize, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

} // namespace

QImage makeNormalLand()
{
    QImage img = blankLand();
    const Rgb soilDark{128, 98, 66};
    const Rgb soilLight{172, 140, 98};
    const Rgb dryGrass{150, 142, 86};
    for (int y = 0; y < kLandSize; ++y) {
        for (int x = 0; x < kLandSize; ++x) {
            const double broad = tiledFbm(x, y, kLandSize, 4, 4, 11);
            const double patches = tiledFbm(x, y, kLandSize, 8, 3, 23);
            const double grain = latticeValue(x, y, 5) - 0.5;
            Rgb c = mix(soilDark, soilLight, std::clamp((broad - 0.3) * 2.2, 0.0, 1.0));
            // Thin patches of dry grass where the second noise is high.
            const double grass = std::clamp((patches - 0.58) * 5.0, 0.0, 0.55);
            c = mix(c, dryGrass, grass);
            c.r += grain * 14.0;
            c.g += grain * 12.0;
            c.b += grain * 10.0;
            img.setPixel(x, y, toPixel(c));
        }
    }

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    Random rnd(2024);
    // Pebbles with a light top and a soft shadow.
    for (int i = 0; i < 70; ++i) {
        const double x = rnd.range(0, kLandSize), y = rnd.range(0, kLandSize);
        const double w = rnd.range(1.6, 4.2), h = w * rnd.range(0.55, 0.85);
        const int tone = 150 + rnd.below(60);
        drawWrapped(p, [&](QPainter& q) {
            q.setPen(Qt::NoPen);
            q.setBrush(QColor(80, 60, 40, 110));
            q.drawEllipse(QPointF(x + 0.6, y + 0.8), w, h);
            q.setBrush(QColor(tone, tone - 12, tone - 28));
            q.drawEllipse(QPointF(x, y), w, h);
            q.setBrush(QColor(255, 250, 235, 90));
            q.drawEllipse(QPointF(x - w * 0.3, y - h * 0.35), w * 0.4, h * 0.35);
        });
    }
    // Sparse tufts of dry grass.
    for (int i = 0; i < 55; ++i) {
        const double x = rnd.range(0, kLandSize), y = rnd.range(0, kLandSize);
        const int blades = 3 + rnd.below(4);
        std::vector<std::pair<double, double>> tips;
        for (int b = 0; b < blades; ++b) tips.emplace_back(rnd.range(-3.5, 3.5), rnd.range(3.0, 6.5));
        const QColor colour = QColor::fromHsv(40 + rnd.below(14), 90 + rnd.below(50), 120 + rnd.below(50));
        drawWrapped(p, [&](QPainter& q) {
            q.setPen(QPen(colour, 0.9, Qt::SolidLine, Qt::RoundCap));
            for (const auto& [dx, len] : tips) q.drawLine(QPointF(x, y), QPointF(x + dx, y - len));
        });
    }
    // A few fine cracks in the dry soil.
    for (int i = 0; i < 14; ++i) {
        QPainterPath crack;
        double x = rnd.range(0, kLandSize), y = rnd.range(0, kLandSize);
        crack.moveTo(x, y);
        double angle = rnd.range(0, 6.283);
        for (int s = 0; s < 5; ++s) {
            angle += rnd.range(-0.9, 0.9);
            x += std::cos(angle) * rnd.range(3, 7);
            y += std::sin(angle) * rnd.range(3, 7);
            crack.lineTo(x, y);
        }
        drawWrapped(p, [&](QPainter& q) {
            q.setBrush(Qt::NoBrush);
            q.setPen(QPen(QColor(96, 70, 46, 150), 0.8));
            q.drawPath(crack);
        });
    }
    return img;
}

QImage makeGreenLand()
{
    QImage img = blankLand();
    const Rgb deep{52, 128, 44};
    const Rgb fresh{112, 186, 66};
    const Rgb sunny{158, 204, 84};
    for (int y = 0; y < kLandSize; ++y) {
        for (int x = 0; x < kLandSize; ++x) {
            const double broad = tiledFbm(x, y, kLandSize, 4, 4, 41);
            const double light = tiledFbm(x, y, kLandSize, 8, 3, 57);
            const double grain = latticeValue(x, y, 9) - 0.5;
            Rgb c = mix(deep, fresh, std::clamp((broad - 0.25) * 2.0, 0.0, 1.0));
            c = mix(c, sunny, std::clamp((light - 0.6) * 3.0, 0.0, 0.6));
            c.r += grain * 10.0;
            c.g += grain * 18.0;
            c.b += grain * 8.0;
            img.setPixel(x, y, toPixel(c));
        }
    }

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    Random rnd(777);
    // Blades of grass, darker and lighter than the ground.
    for (int i = 0; i < 1400; ++i) {
        const double x = rnd.range(0, kLandSize), y = rnd.range(0, kLandSize);
        const double len = rnd.range(2.5, 5.5), lean = rnd.range(-1.8, 1.8);
        const bool lightBlade = rnd.uniform() < 0.5;
        const QColor colour = lightBlade ? QColor::fromHsv(88 + rnd.below(20), 150 + rnd.below(60), 190 + rnd.below(50))
                                         : QColor::fromHsv(100 + rnd.below(20), 170 + rnd.below(60), 90 + rnd.below(40));
        drawWrapped(p, [&](QPainter& q) {
            q.setPen(QPen(colour, 0.8, Qt::SolidLine, Qt::RoundCap));
            QPainterPath blade;
            blade.moveTo(x, y);
            blade.quadTo(x + lean * 0.3, y - len * 0.6, x + lean, y - len);
            q.drawPath(blade);
        });
    }
    // Clover leaves.
    for (int i = 0; i < 22; ++i) {
        const double x = rnd.range(0, kLandSize), y = rnd.range(0, kLandSize);
        drawWrapped(p, [&](QPainter& q) {
            q.setPen(QPen(QColor(40, 110, 40), 0.5));
            q.setBrush(QColor(86, 170, 70));
            for (int k = 0; k < 3; ++k) {
                const double a = k * 2.094 + 0.3;
                q.drawEllipse(QPointF(x + std::cos(a) * 1.6, y + std::sin(a) * 1.6), 1.6, 1.6);
            }
        });
    }
    // Small flowers: white daisies and yellow buttercups.
    for (int i = 0; i < 34; ++i) {
        const double x = rnd.range(0, kLandSize), y = rnd.range(0, kLandSize);
        const bool daisy = rnd.uniform() < 0.55;
        const QColor petal = daisy ? QColor(250, 250, 240) : QColor(255, 214, 60);
        const QColor heart = daisy ? QColor(250, 200, 50) : QColor(230, 150, 30);
        const double r = rnd.range(1.0, 1.5);
        drawWrapped(p, [&](QPainter& q) {
            q.setPen(Qt::NoPen);
            q.setBrush(petal);
            for (int k = 0; k < 5; ++k) {
                const double a = k * 1.2566;
                q.drawEllipse(QPointF(x + std::cos(a) * r, y + std::sin(a) * r), r * 0.8, r * 0.8);
            }
            q.setBrush(heart);
            q.drawEllipse(QPointF(x, y), r * 0.6, r * 0.6);
        });
    }
    return img;
}

} // namespace tavrin::assets
