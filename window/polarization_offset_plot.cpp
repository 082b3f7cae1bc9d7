#include "window/polarization_offset_plot.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>

#include "window/day_plot_frame.h"

namespace selvora {
namespace {

using namespace std::chrono;

const QColor kOffsetColour(0x60, 0x20, 0x90);

struct Frame : DayPlotFrame {
    double y(double offsetDeg) const { return area.center().y() - area.height() * offsetDeg / 180; }
};

}  // namespace

PolarizationOffsetPlot::PolarizationOffsetPlot(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Polarization offset through the day"));
    setMinimumSize(360, 90);
}

void PolarizationOffsetPlot::showDay(DayPlot plot, sys_seconds chosen) {
    plot_ = std::move(plot);
    chosen_ = chosen;
    update();
}

void PolarizationOffsetPlot::clear() {
    plot_.reset();
    update();
}

void PolarizationOffsetPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!plot_) return;
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = painter.fontMetrics();
    const Frame frame{{QRectF(QPointF(metrics.horizontalAdvance(QStringLiteral("-30\u00B0")) + 8,
                                      metrics.height() + 4),
                              QPointF(width() - 8, height() - metrics.ascent() / 2.0 - 3)),
                       plot_->day}};
    shadeCommonWindows(painter, frame, plot_->windows);
    for (double deg : {-90.0, -45.0, 0.0, 45.0, 90.0}) {
        painter.setPen(std::fabs(deg) == 45.0 ? QPen(QColor(0xb0, 0, 0), 1, Qt::DashLine)
                                              : QPen(QColor(0xd0, 0xd0, 0xd0)));
        painter.drawLine(QPointF(frame.area.left(), frame.y(deg)),
                         QPointF(frame.area.right(), frame.y(deg)));
        painter.setPen(Qt::black);
        labelLeftAxis(painter, frame, frame.y(deg), deg);
    }
    // The offset wraps from 90 to -90 (the same polarization): the line breaks there.
    QPainterPath path;
    double previous = 0;
    for (const ElevationSample& sample : plot_->samples) {
        const QPointF point(frame.x(sample.at), frame.y(sample.polarizationOffsetDeg));
        if (path.elementCount() == 0 || std::fabs(sample.polarizationOffsetDeg - previous) > 90)
            path.moveTo(point);
        else
            path.lineTo(point);
        previous = sample.polarizationOffsetDeg;
    }
    painter.setPen(QPen(kOffsetColour, 2));
    painter.drawPath(path);
    markChosenInstant(painter, frame, chosen_);
    painter.setPen(Qt::black);
    painter.drawRect(frame.area);
    painter.drawText(QPointF(frame.area.left() + 6, metrics.ascent() + 1),
                     QStringLiteral("Polarization offset"));
}

}  // namespace selvora
