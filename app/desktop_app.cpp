#include "app/desktop_app.h"

#include <QCoreApplication>

namespace selvora {

DesktopApp::DesktopApp(const LocalClock& clock, const TimeZoneSource& timeZone,
                       UserMessages* messages)
    : qtMessages_([] { QCoreApplication::exit(0); }),
      core_(clock, timeZone, messages != nullptr ? *messages : qtMessages_),
      window_(core_.fields(), {[this](FieldId button) { core_.buttonClicked(button); },
                               [this](char16_t& key) { core_.skedKeyPressed(key); }}) {
    qtMessages_.setParentWidget(&window_);
    timer_.setTimerType(Qt::PreciseTimer);  // the default coarse timer drifts by up to 5 %
    timer_.setInterval(kTickIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &DesktopApp::tick);
}

void DesktopApp::start() {
    core_.start();
    window_.showChanges();
    window_.show();
    timer_.start();
}

void DesktopApp::tick() {
    // A message box opened inside a tick runs its own event loop: ticks that fall
    // due meanwhile are dropped, as they would be while any handler runs.
    if (ticking_) return;
    ticking_ = true;
    core_.tick(rigEchoBands_ ? rigEchoBands_() : std::span<const std::int64_t>{});
    window_.showChanges();
    windowTitle_.showStale(core_.tracking().stale);
    if (afterTick_ && !core_.ended()) afterTick_();
    if (core_.ended()) timer_.stop();
    ticking_ = false;
}

}  // namespace selvora
