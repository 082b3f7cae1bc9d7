#include "window/polarization_offset_plot.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace selvora {
namespace {

using namespace std::chrono;

constexpr double kSecondsPerDay = 86400;

const QColor kOffsetColour(0x60, 0x20, 0x90);
const QColor kCommonColour(0xcc, 0xee, 0xcc);

struct Frame {
    QRectF area;
    sys_days day;

    double x(sys_seconds at) const {
        return area.left() + area.width() * double((at - day).count()) / kSecondsPerDay;
    }
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
    const Frame frame{QRectF(QPointF(metrics.horizontalAdvance(QStringLiteral("-30\u00B0")) + 8,
                                     metrics.height() + 4),
                             QPointF(width() - 8, height() - metrics.ascent() / 2.0 - 3)),
                      plot_->day};
    for (const CommonMoonWindow& window : plot_->windows) {
        const double left = frame.x(floor<seconds>(window.start));
        const double right = frame.x(floor<seconds>(window.end));
        painter.fillRect(QRectF(left, frame.area.top(), right - left, frame.area.height()),
                         kCommonColour);
    }
    for (double deg : {-90.0, -45.0, 0.0, 45.0, 90.0}) {
        painter.setPen(std::fabs(deg) == 45.0 ? QPen(QColor(0xb0, 0, 0), 1, Qt::DashLine)
                                              : QPen(QColor(0xd0, 0xd0, 0xd0)));
        painter.drawLine(QPointF(frame.area.left(), frame.y(deg)),
                         QPointF(frame.area.right(), frame.y(deg)));
        painter.setPen(Qt::black);
        const QString text = QString::number(deg) + QChar(0x00B0);
        painter.drawText(QPointF(frame.area.left() - metrics.horizontalAdvance(text) - 4,
                                 frame.y(deg) + metrics.ascent() / 2.0),
                         text);
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
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    const double chosenX = frame.x(chosen_);
    painter.drawLine(QPointF(chosenX, frame.area.top()), QPointF(chosenX, frame.area.bottom()));
    painter.setPen(Qt::black);
    painter.drawRect(frame.area);
    painter.drawText(QPointF(frame.area.left() + 6, metrics.ascent() + 1),
                     QStringLiteral("Polarization offset"));
}

}  // namespace selvora
