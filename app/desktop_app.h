// The running program: the model, its window, the 480 ms timer and the message
// boxes, wired together. main() only adds the QApplication.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include <QObject>
#include <QTimer>

#include "app/app_core.h"
#include "plan/sked_plan_text.h"
#include "window/main_window.h"
#include "window/plan_copier.h"
#include "window/qt_messages.h"
#include "window/window_title_view.h"

namespace selvora {

class DesktopApp final : public QObject {
  public:
    // Tells the operator through `messages` when given, else through Qt message boxes.
    DesktopApp(const LocalClock& clock, const TimeZoneSource& timeZone,
               UserMessages* messages = nullptr);

    // The saved path is loaded, then the window appears and the timer starts.
    void start();
    // One tick, then the window shows what changed.
    void tick();

    // Runs after each tick has been shown (the rig control posts the figures).
    void setAfterTick(std::function<void()> afterTick) { afterTick_ = std::move(afterTick); }
    // Asked at each tick: the bands that are the rig's own echo (see AppCore::tick).
    using RigEchoBands = std::function<std::span<const std::int64_t>()>;
    void setRigEchoBands(RigEchoBands bands) { rigEchoBands_ = std::move(bands); }

    AppCore& core() { return core_; }
    MainWindow& window() { return window_; }
    QTimer& timer() { return timer_; }
    WindowTitleView& windowTitle() { return windowTitle_; }
    PlanCopier& planCopier() { return planCopier_; }

  private:
    QtMessages qtMessages_;
    AppCore core_;
    MainWindow window_;
    WindowTitleView windowTitle_{window_};
    PlanCopier planCopier_{window_, [this] { return core_.planText(); }};
    QTimer timer_;
    bool ticking_ = false;
    std::function<void()> afterTick_;
    RigEchoBands rigEchoBands_;
};

}  // namespace selvora
