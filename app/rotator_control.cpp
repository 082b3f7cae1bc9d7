#include "app/rotator_control.h"

#include "app/device_wants.h"
#include "rotator/hamlib_rotator.h"
#include "rotator/rotator_state_text.h"
#include "window/ask_rotator_settings.h"

namespace selvora {

namespace {

SavedRotator withCommandLine(SavedRotator rotator, const RotatorCommandLine& options) {
    if (options.model) rotator.settings.model = *options.model;
    if (options.port) rotator.settings.port = *options.port;
    if (options.serialSpeed) rotator.settings.serialSpeed = *options.serialSpeed;
    if (options.point) rotator.point = options.point;
    if (options.toleranceDeg) rotator.policy.toleranceDeg = *options.toleranceDeg;
    if (options.moveSeconds) rotator.policy.moveSeconds = options.moveSeconds;
    if (options.minElevationDeg) rotator.policy.minElevationDeg = *options.minElevationDeg;
    return rotator;
}

}  // namespace

RotatorControl::RotatorControl(MainWindow& window, AppCore& core, WindowTitleView& title,
                               QString settingsFile, const RotatorCommandLine& options)
    : window_(window),
      core_(core),
      title_(title),
      settingsFile_(std::move(settingsFile)),
      saved_(loadSavedRotator(settingsFile_)),
      inUse_(withCommandLine(saved_, options)),
      menus_(window, {[this] { return pointing(); }, [this](PointAt body) { point(body); },
                      [this] { stopAntenna(); }, [this] { park(); }, [this] { openSettings(); }}) {
    if (inUse_.point) useRotator();
    showState();
}

void RotatorControl::afterTick() {
    // The seconds of the local minute are those of the UTC minute.
    if (inUse_.point && connected_)
        worker_.post(
            wantedPointing(core_.tracking(), *inUse_.point, core_.clock().now().second % 60));
    showState();
}

void RotatorControl::point(PointAt body) {
    inUse_.point = saved_.point = body;
    saveRotator(settingsFile_, saved_);
    if (!connected_) useRotator();
    showState();
}

void RotatorControl::stopAntenna() {
    stopPointing();
    if (connected_) worker_.stopAntenna();  // nothing Selvora moved is under way otherwise
    showState();
}

void RotatorControl::park() {
    stopPointing();
    if (!connected_) useRotator();
    worker_.park();
    showState();
}

void RotatorControl::openSettings() {
    const std::optional<AntennaChoice> chosen =
        askRotatorSettings(inUse_.settings, inUse_.policy, &window_);
    if (!chosen) return;
    if (chosen->settings == inUse_.settings && chosen->policy == inUse_.policy) return;
    inUse_.settings = saved_.settings = chosen->settings;
    inUse_.policy = saved_.policy = chosen->policy;
    saveRotator(settingsFile_, saved_);
    if (connected_) useRotator();
    showState();
}

void RotatorControl::stopPointing() {
    inUse_.point.reset();
    saved_.point.reset();
    saveRotator(settingsFile_, saved_);
}

// The worker closes the rotator in use (leaving the antenna where it is) and opens this one.
void RotatorControl::useRotator() {
    worker_.configure({makeHamlibRotator(inUse_.settings), inUse_.policy});
    connected_ = true;
}

// Nothing while Selvora has never been asked to move the antenna this run.
void RotatorControl::showState() {
    std::string state = connected_ ? rotatorStateText(worker_.status()) : std::string();
    if (state == shownState_) return;
    shownState_ = state;
    title_.setAntennaState(std::move(state));
}

}  // namespace selvora
