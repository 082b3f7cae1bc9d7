#include "app/rig_qt.h"

#include "app/rig_settings_dialog_qt.h"
#include "rig/rig_figures.h"

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

constexpr std::int64_t kHzPerMHz = 1000000;

}  // namespace

RigControl::RigControl(MainWindow& window, Selvora& selvora, WindowTitle& title,
                       QString settingsFile, const RigCommandLine& options)
    : window_(window),
      selvora_(selvora),
      settingsFile_(std::move(settingsFile)),
      saved_(loadSavedRig(settingsFile_)),
      inUse_(withCommandLine(saved_, options)),
      view_(window, title),
      menus_(window, {[this] { return tracked(); }, [this](SkedScheme s) { track(s); },
                      [this] { stopTracking(); }, [this] { openSettings(); }}) {
    useRig();
    showState();
}

void RigControl::afterTick() {
    if (inUse_.track)
        worker_.post(
            wantedFigures(selvora_.fields(), selvora_.tracking(), selvora_.plan(), *inUse_.track));
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
    RigSettingsDialog dialog(inUse_.settings, inUse_.transverters, &window_);
    if (dialog.exec() != QDialog::Accepted) return;
    if (dialog.settings() == inUse_.settings && dialog.transverters() == inUse_.transverters)
        return;
    inUse_.settings = saved_.settings = dialog.settings();
    inUse_.transverters = saved_.transverters = dialog.transverters();
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
// the rig took from us is not the operator changing band.
void RigControl::noteRigEcho() {
    std::vector<std::int64_t>& bands = selvora_.tracking().rigEchoBandsMHz;
    bands.clear();
    if (!inUse_.track) return;
    const ShownOnRig shown = worker_.shownOnRig();
    for (const std::optional<std::int64_t>& hz : {shown.rxHz, shown.txHz})
        if (hz) bands.push_back(*hz / kHzPerMHz);
}

}  // namespace selvora
