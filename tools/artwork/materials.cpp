#include "materials.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <cstdint>

namespace artwork {

namespace {

// Deterministic value noise: the same picture on every run and every machine.
double hashNoise(int x, int y) {
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xffffu) / 65535.0;
}

double smoothNoise(double x, double y) {
    const int xi = static_cast<int>(std::floor(x));
    const int yi = static_cast<int>(std::floor(y));
    const double fx = x - xi;
    const double fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double top = hashNoise(xi, yi) + sx * (hashNoise(xi + 1, yi) - hashNoise(xi, yi));
    const double bottom =
        hashNoise(xi, yi + 1) + sx * (hashNoise(xi + 1, yi + 1) - hashNoise(xi, yi + 1));
    return top + sy * (bottom - top);
}

double fractalNoise(double x, double y) {
    double sum = 0;
    double amplitude = 0.5;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * smoothNoise(x, y);
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

QLinearGradient diagonal(const QRectF& box) {
    return QLinearGradient(box.topLeft(), box.bottomRight());
}

} // namespace

QImage lacquerWood(QSize size, Grain grain) {
    QImage image(size, QImage::Format_ARGB32);
    const QColor deep(24, 12, 9);
    const QColor warm(74, 36, 22);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double along = grain == Grain::Horizontal ? x : y;
            const double across = grain == Grain::Horizontal ? y : x;
            const double warp = fractalNoise(along * 0.004, across * 0.02) * 6.0;
            const double rings = 0.5 + 0.5 * std::sin(across * 0.45 + warp * 3.1);
            const double fleck = fractalNoise(along * 0.08, across * 0.6);
            const double t = 0.28 + 0.32 * rings * rings + 0.25 * (fleck - 0.5);
            line[x] = mix(deep, warm, std::clamp(t, 0.0, 1.0)).rgb();
        }
    }
    return image;
}

QImage parchment(QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    const QColor pale(242, 226, 188);
    const QColor aged(204, 170, 112);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double cloud = fractalNoise(x * 0.012, y * 0.03);
            const double fibre = fractalNoise(x * 0.2, y * 0.9);
            const double t = 0.15 + 0.55 * cloud + 0.15 * (fibre - 0.5);
            line[x] = mix(pale, aged, std::clamp(t, 0.0, 1.0)).rgb();
        }
    }
    return image;
}

void fillGold(QPainter& p, const QPainterPath& path) {
    QLinearGradient g = diagonal(path.boundingRect());
    g.setColorAt(0.0, QColor(255, 236, 160));
    g.setColorAt(0.25, QColor(214, 164, 62));
    g.setColorAt(0.5, QColor(246, 212, 120));
    g.setColorAt(0.75, QColor(164, 112, 34));
    g.setColorAt(1.0, QColor(112, 70, 18));
    p.fillPath(path, g);
    bevel(p, path, 1.2, 200);
}

void fillBronze(QPainter& p, const QPainterPath& path) {
    QLinearGradient g = diagonal(path.boundingRect());
    g.setColorAt(0.0, QColor(196, 132, 74));
    g.setColorAt(0.45, QColor(128, 78, 38));
    g.setColorAt(1.0, QColor(58, 32, 14));
    p.fillPath(path, g);
    bevel(p, path, 1.5, 170);
}

void strokeGold(QPainter& p, const QPainterPath& path, qreal width) {
    p.save();
    p.setBrush(Qt::NoBrush);
    const auto wire = [&](const QColor& colour, qreal w, QPointF offset) {
        p.setPen(QPen(colour, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path.translated(offset));
    };
    wire(QColor(40, 22, 6), width + 1.6, QPointF(0.6, 0.8));
    wire(QColor(150, 100, 30), width, QPointF());
    wire(QColor(226, 182, 86), width * 0.6, QPointF(-0.25 * width, -0.25 * width));
    wire(QColor(255, 244, 200), std::max(0.8, width * 0.22), QPointF(-0.35 * width, -0.35 * width));
    p.restore();
}

void bevel(QPainter& p, const QPainterPath& path, qreal depth, int strength) {
    p.save();
    p.setClipPath(path, Qt::IntersectClip);
    p.setBrush(Qt::NoBrush);
    const qreal d = std::abs(depth);
    const QColor light(255, 246, 220, strength);
    const QColor shade(10, 4, 0, strength);
    const QColor& upperLeft = depth > 0 ? light : shade;
    const QColor& lowerRight = depth > 0 ? shade : light;
    p.setPen(QPen(upperLeft, 2 * d));
    p.drawPath(path.translated(d, d));
    p.setPen(QPen(lowerRight, 2 * d));
    p.drawPath(path.translated(-d, -d));
    p.restore();
}

} // namespace artwork
