#include "app/rig_control.h"

#include "app/device_wants.h"
#include "common/megahertz.h"
#include "window/ask_rig_settings.h"

namespace selvora {

namespace {

SavedRig withCommandLine(SavedRig rig, const RigCommandLine& options) {
    if (options.model) rig.settings.model = *options.model;
    if (options.port) rig.settings.port = *options.port;
    if (options.serialSpeed) rig.settings.serialSpeed = *options.serialSpeed;
    if (options.track) rig.track = options.track;
    for (const TransverterOffset& offset : options.transverters)
        addTransverter(rig.transverters, offset);
    return rig;
}

}  // namespace

RigControl::RigControl(MainWindow& window, AppCore& core, WindowTitleView& title,
                       QString settingsFile, const RigCommandLine& options)
    : window_(window),
      core_(core),
      settingsFile_(std::move(settingsFile)),
      saved_(loadSavedRig(settingsFile_)),
      inUse_(withCommandLine(saved_, options)),
      view_(window, core.fields(), title),
      menus_(window, {[this] { return tracked(); }, [this](SkedScheme s) { track(s); },
                      [this] { stopTracking(); }, [this] { openSettings(); }}) {
    useRig();
    showState();
}

void RigControl::afterTick() {
    if (inUse_.track) worker_.post(wantedFigures(core_.tracking(), core_.plan(), *inUse_.track));
    noteRigEcho();
    showState();
}

void RigControl::track(SkedScheme scheme) {
    const bool rigInUse = inUse_.track.has_value();
    inUse_.track = saved_.track = scheme;
    saveRig(settingsFile_, saved_);
    if (!rigInUse) useRig();  // another scheme on the same rig needs no new connection
    showState();
}

void RigControl::stopTracking() {
    inUse_.track.reset();
    saved_.track.reset();
    saveRig(settingsFile_, saved_);
    useRig();
    showState();
}

void RigControl::openSettings() {
    const std::optional<RigChoice> chosen =
        askRigSettings(inUse_.settings, inUse_.transverters, &window_);
    if (!chosen) return;
    if (chosen->settings == inUse_.settings && chosen->transverters == inUse_.transverters) return;
    inUse_.settings = saved_.settings = chosen->settings;
    inUse_.transverters = saved_.transverters = chosen->transverters;
    saveRig(settingsFile_, saved_);
    useRig();
    showState();
}

// The worker closes the rig in use (leaving it where it is) and opens this one.
void RigControl::useRig() {
    worker_.configure(
        {inUse_.track ? makeHamlibConnection(inUse_.settings) : nullptr, inUse_.transverters});
}

void RigControl::showState() {
    view_.show(inUse_.track, inUse_.track ? worker_.status() : RigStatus{});
}

// WSJT-X, sharing the rig, writes its dial back as the band: the whole MHz of what
// the rig took from us is not the operator changing band. The next tick is told.
void RigControl::noteRigEcho() {
    std::vector<std::int64_t>& bands = echoBandsMHz_;
    bands.clear();
    if (!inUse_.track) return;
    const ShownOnRig shown = worker_.shownOnRig();
    for (const std::optional<std::int64_t>& hz : {shown.rxHz, shown.txHz})
        if (hz) bands.push_back(*hz / kHzPerMHz);
}

}  // namespace selvora
