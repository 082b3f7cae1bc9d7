// What the Sked ahead window's two plots of a day share: the day's UTC across the area
// inside the axes, the common windows shaded, the chosen instant marked and the labels
// of the left axis.
#pragma once

#include <chrono>
#include <vector>

#include <QColor>
#include <QRectF>
#include <QString>

#include "plan/sked_ahead.h"

class QPainter;

namespace selvora {

// The common windows' shade, also in the elevation plot's legend.
inline const QColor kCommonWindowColour(0xcc, 0xee, 0xcc);

struct DayPlotFrame {
    QRectF area;  // inside the axes
    std::chrono::sys_days day;

    double x(std::chrono::sys_seconds at) const;
};

void shadeCommonWindows(QPainter& painter, const DayPlotFrame& frame,
                        const std::vector<CommonMoonWindow>& windows);
void markChosenInstant(QPainter& painter, const DayPlotFrame& frame,
                       std::chrono::sys_seconds chosen);
// A figure such as "45°" left of the axis, centred on the height y.
void labelLeftAxis(QPainter& painter, const DayPlotFrame& frame, double y, double degrees);

}  // namespace selvora
