#include "window/phase_pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPainter>
#include <QPainterPath>

#include "common/lunar_cycle.h"

namespace selvora {
namespace {

constexpr int kSamples = 4;  // per pixel and axis, for smooth edges

// The sunlit part of the disc at an age. The terminator is half an ellipse whose
// width follows the cosine of the phase angle; waxing, the right side is lit.
struct Terminator {
    explicit Terminator(double age)
        : width(std::cos(2.0 * std::numbers::pi * age / kSynodicMonthDays)),
          waxing(age < kSynodicMonthDays / 2.0) {}

    // Where the terminator crosses the row at height y of the unit disc: one square
    // root per row of samples rather than one per sample.
    double edgeAt(double y) const { return width * std::sqrt(std::max(0.0, 1.0 - y * y)); }

    // Whether the point at x of a row whose edge is `edge` is sunlit.
    bool lights(double x, double edge) const { return waxing ? x > edge : x < -edge; }

    double width;
    bool waxing;
};

// Halves away from zero, as std::lround, but inline: the call into libm was a third
// of the pictures' cost. Exact for the channel values here (far below 2^52).
int roundHalfAway(double value) {
    const auto whole = static_cast<int>(value);  // towards zero
    const double rest = value - whole;           // exact
    return whole + (rest >= 0.5 ? 1 : 0) - (rest <= -0.5 ? 1 : 0);
}

QRgb mix(QRgb from, QRgb to, double share) {
    auto channel = [&](int a, int b) { return roundHalfAway(a + (b - a) * share); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

}  // namespace

QImage renderPhasePicture(int age, QSize size, qreal pixelRatio) {
    const QSize pixels = size * pixelRatio;
    QImage image(pixels, QImage::Format_RGB32);
    const QRgb sky = qRgb(0, 0, 0), dark = qRgb(38, 38, 42), lit = qRgb(236, 232, 208);
    const double radius = 0.45 * std::min(pixels.width(), pixels.height());
    const double centreX = pixels.width() / 2.0, centreY = pixels.height() / 2.0;
    const Terminator terminator(age);
    for (int row = 0; row < pixels.height(); ++row) {
        double y[kSamples], edge[kSamples];  // the sample rows of this pixel row
        for (int sub = 0; sub < kSamples; ++sub) {
            y[sub] = (row + (sub + 0.5) / kSamples - centreY) / radius;
            edge[sub] = terminator.edgeAt(y[sub]);
        }
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < pixels.width(); ++column) {
            int inside = 0, sunlit = 0;
            for (int sample = 0; sample < kSamples * kSamples; ++sample) {
                const double x = (column + (sample % kSamples + 0.5) / kSamples - centreX) / radius;
                const int sub = sample / kSamples;
                if (x * x + y[sub] * y[sub] > 1.0) continue;
                ++inside;
                sunlit += terminator.lights(x, edge[sub]) ? 1 : 0;
            }
            const double samples = kSamples * kSamples;
            const QRgb disc = inside == 0 ? dark : mix(dark, lit, sunlit / double(inside));
            line[column] = mix(sky, disc, inside / samples);
        }
    }
    image.setDevicePixelRatio(pixelRatio);
    return image;
}

QImage renderIcon(int size) {
    constexpr int kWaxingGibbous = 11;  // days after new moon: clearly a moon, not a disc
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    const double corner = 0.18 * size;
    tile.addRoundedRect(QRectF(0, 0, size, size), corner, corner);
    painter.setClipPath(tile);
    painter.drawImage(0, 0, renderPhasePicture(kWaxingGibbous, QSize(size, size)));
    painter.end();
    return icon;
}

}  // namespace selvora
