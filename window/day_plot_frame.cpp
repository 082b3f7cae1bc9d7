#include "window/day_plot_frame.h"

#include <QPainter>

namespace selvora {

using namespace std::chrono;

namespace {

constexpr double kSecondsPerDay = 86400;

}  // namespace

double DayPlotFrame::x(sys_seconds at) const {
    return area.left() + area.width() * double((at - day).count()) / kSecondsPerDay;
}

void shadeCommonWindows(QPainter& painter, const DayPlotFrame& frame,
                        const std::vector<CommonMoonWindow>& windows) {
    for (const CommonMoonWindow& window : windows) {
        const double left = frame.x(floor<seconds>(window.start));
        const double right = frame.x(floor<seconds>(window.end));
        painter.fillRect(QRectF(left, frame.area.top(), right - left, frame.area.height()),
                         kCommonWindowColour);
    }
}

void markChosenInstant(QPainter& painter, const DayPlotFrame& frame, sys_seconds chosen) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    const double x = frame.x(chosen);
    painter.drawLine(QPointF(x, frame.area.top()), QPointF(x, frame.area.bottom()));
}

void labelLeftAxis(QPainter& painter, const DayPlotFrame& frame, double y, double degrees) {
    const QFontMetrics metrics = painter.fontMetrics();
    const QString text = QString::number(degrees) + QChar(0x00B0);
    painter.drawText(QPointF(frame.area.left() - metrics.horizontalAdvance(text) - 4,
                             y + metrics.ascent() / 2.0),
                     text);
}

}  // namespace selvora
