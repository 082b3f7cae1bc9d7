#include "app/desktop_app.h"

#include <QCoreApplication>

namespace selvora {

DesktopApp::DesktopApp(const LocalClock& clock, const TimeZoneSource& timeZone,
                       UserMessages* messages)
    : qtMessages_([] { QCoreApplication::exit(0); }),
      selvora_(clock, timeZone, messages != nullptr ? *messages : qtMessages_),
      window_(selvora_.fields(), {[this] { selvora_.savePathClicked(); },
                                  [this](char16_t& key) { selvora_.skedKeyPressed(key); }}) {
    qtMessages_.setParentWidget(&window_);
    timer_.setTimerType(Qt::PreciseTimer);  // the default coarse timer drifts by up to 5 %
    timer_.setInterval(kTickIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &DesktopApp::tick);
}

void DesktopApp::start() {
    selvora_.start();
    window_.showChanges();
    window_.show();
    timer_.start();
}

void DesktopApp::tick() {
    // A message box opened inside a tick runs its own event loop: ticks that fall
    // due meanwhile are dropped, as they would be while any handler runs.
    if (ticking_) return;
    ticking_ = true;
    selvora_.tick();
    window_.showChanges();
    windowTitle_.showStale(selvora_.tracking().stale);
    if (afterTick_ && !selvora_.ended()) afterTick_();
    if (selvora_.ended()) timer_.stop();
    ticking_ = false;
}

}  // namespace selvora
