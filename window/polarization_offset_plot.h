// The spatial polarization offset through the same UTC day as the elevation plot, with
// the common windows shaded, the chosen instant marked and 45 degrees (where the path
// turns one-way) drawn in red: the partners see at a glance when linear polarization
// serves them.
#pragma once

#include <chrono>
#include <optional>

#include <QWidget>

#include "plan/sked_ahead.h"

namespace selvora {

class PolarizationOffsetPlot final : public QWidget {
  public:
    explicit PolarizationOffsetPlot(QWidget* parent = nullptr);

    void showDay(DayPlot plot, std::chrono::sys_seconds chosen);
    void clear();

    QSize sizeHint() const override { return {480, 110}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<DayPlot> plot_;
    std::chrono::sys_seconds chosen_{};
};

}  // namespace selvora
