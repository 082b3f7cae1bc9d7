// The running program: the model, its window, the 480 ms timer and the message
// boxes, wired together. main() only adds the QApplication.
#pragma once

#include <functional>

#include <QObject>
#include <QTimer>

#include "app/copy_plan_qt.h"
#include "app/qt_messages.h"
#include "app/selvora.h"
#include "app/window_title_qt.h"
#include "plan/plan_text.h"
#include "window/main_window.h"

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

    Selvora& selvora() { return selvora_; }
    MainWindow& window() { return window_; }
    QTimer& timer() { return timer_; }
    WindowTitle& windowTitle() { return windowTitle_; }
    PlanCopier& planCopier() { return planCopier_; }

  private:
    QtMessages qtMessages_;
    Selvora selvora_;
    MainWindow window_;
    WindowTitle windowTitle_{window_};
    PlanCopier planCopier_{window_, [this] { return selvora_.planText(); }};
    QTimer timer_;
    bool ticking_ = false;
    std::function<void()> afterTick_;
};

}  // namespace selvora
