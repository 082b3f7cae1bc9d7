// Both stations' moon elevation through one UTC day, with the common windows shaded
// and the chosen instant marked: an operator sees at a glance when the moon is shared.
#pragma once

#include <chrono>

#include <QWidget>

#include "plan/sked_ahead.h"

namespace selvora {

class MoonElevationPlot final : public QWidget {
  public:
    explicit MoonElevationPlot(QWidget* parent = nullptr);

    void showDay(DayPlot plot, std::chrono::sys_seconds chosen, double minElevationDeg);
    // Nothing to show (the inputs do not read).
    void clear();

    QSize sizeHint() const override { return {480, 220}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<DayPlot> plot_;
    std::chrono::sys_seconds chosen_{};
    double minElevationDeg_ = 0;
};

}  // namespace selvora
