#include "window/moon_elevation_plot.h"

#include <algorithm>

#include <QPainter>
#include <QPainterPath>

#include "astro/utc_instant_text.h"
#include "window/day_plot_frame.h"
#include "window/qt_text.h"

namespace selvora {
namespace {

using namespace std::chrono;

// The moon below -30 degrees is of no interest to a sked; the axis stops there.
constexpr double kLowestDeg = -30;
constexpr double kHighestDeg = 90;

const QColor kHereColour(0x1f, 0x5f, 0xbf);
const QColor kDxColour(0xc0, 0x50, 0x10);

// Plot coordinates: the area inside the axes.
struct Frame : DayPlotFrame {
    double y(double elevationDeg) const {
        const double clamped = std::clamp(elevationDeg, kLowestDeg, kHighestDeg);
        return area.bottom() - area.height() * (clamped - kLowestDeg) / (kHighestDeg - kLowestDeg);
    }
};

void drawAxes(QPainter& painter, const Frame& frame) {
    painter.setPen(QColor(0xd0, 0xd0, 0xd0));
    for (double deg = kLowestDeg; deg <= kHighestDeg; deg += 30) {
        painter.drawLine(QPointF(frame.area.left(), frame.y(deg)),
                         QPointF(frame.area.right(), frame.y(deg)));
    }
    painter.setPen(Qt::black);
    const QFontMetrics metrics = painter.fontMetrics();
    for (double deg = kLowestDeg; deg <= kHighestDeg; deg += 30)
        labelLeftAxis(painter, frame, frame.y(deg), deg);
    for (int hour = 0; hour <= 24; hour += 3) {
        const double x = frame.x(frame.day + hours(hour));
        painter.drawLine(QPointF(x, frame.area.bottom()), QPointF(x, frame.area.bottom() + 3));
        const QString text = QStringLiteral("%1").arg(hour, 2, 10, QChar('0'));
        painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2.0,
                                 frame.area.bottom() + 4 + metrics.ascent()),
                         text);
    }
    painter.drawRect(frame.area);
}

void drawCurve(QPainter& painter, const Frame& frame, const std::vector<ElevationSample>& samples,
               double ElevationSample::*elevation, const QColor& colour) {
    QPainterPath path;
    for (const ElevationSample& sample : samples) {
        const QPointF point(frame.x(sample.at), frame.y(sample.*elevation));
        if (path.elementCount() == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    painter.setPen(QPen(colour, 2));
    painter.drawPath(path);
}

// The colours' meanings on the left, the day on the right.
void drawLegend(QPainter& painter, const QRectF& area, sys_days day) {
    const QFontMetrics metrics = painter.fontMetrics();
    double x = area.left() + 6;
    const double y = area.top() + 4 + metrics.ascent();
    for (const auto& [label, colour] : {std::pair{QStringLiteral("Here"), kHereColour},
                                        std::pair{QStringLiteral("DX"), kDxColour},
                                        std::pair{QStringLiteral("Both"), kCommonWindowColour}}) {
        painter.fillRect(QRectF(x, y - metrics.ascent() + 2, 14, metrics.ascent() - 2), colour);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + 18, y), label);
        x += 18 + metrics.horizontalAdvance(label) + 14;
    }
    const QString dayText = qText(utcMinuteText(day).substr(0, 10)) + QStringLiteral(" UTC");
    painter.drawText(QPointF(area.right() - metrics.horizontalAdvance(dayText), y), dayText);
}

}  // namespace

MoonElevationPlot::MoonElevationPlot(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Moon elevation through the day"));
    setMinimumSize(360, 180);
}

void MoonElevationPlot::showDay(DayPlot plot, sys_seconds chosen, double minElevationDeg) {
    plot_ = std::move(plot);
    chosen_ = chosen;
    minElevationDeg_ = minElevationDeg;
    update();
}

void MoonElevationPlot::clear() {
    plot_.reset();
    update();
}

void MoonElevationPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!plot_) return;
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = painter.fontMetrics();
    const QRectF area(metrics.horizontalAdvance(QStringLiteral("-30\u00B0")) + 8,
                      metrics.height() + 8, 0, 0);
    const Frame frame{
        {QRectF(area.topLeft(), QPointF(width() - 8, height() - metrics.height() - 8)),
         plot_->day}};

    shadeCommonWindows(painter, frame, plot_->windows);
    drawAxes(painter, frame);
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    painter.drawLine(QPointF(frame.area.left(), frame.y(minElevationDeg_)),
                     QPointF(frame.area.right(), frame.y(minElevationDeg_)));
    drawCurve(painter, frame, plot_->samples, &ElevationSample::hereDeg, kHereColour);
    drawCurve(painter, frame, plot_->samples, &ElevationSample::dxDeg, kDxColour);
    markChosenInstant(painter, frame, chosen_);
    drawLegend(painter, QRectF(frame.area.left(), 0, frame.area.width(), frame.area.top()),
               plot_->day);
}

}  // namespace selvora
