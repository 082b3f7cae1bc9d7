// Keeping the rig on a scheme, seen from the window. The rig itself is driven by one
// RigWorker on its own thread, started with the program; after each tick this posts
// the tracked scheme's figures to it, notes which bands are the rig's own echo for the
// next tick, and shows the worker's state. The saved settings, the menus and the state's
// display are each a part of their own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QString>

#include "app/app_core.h"
#include "app/rig_command_line.h"
#include "app/saved_rig.h"
#include "rig/rig_worker.h"
#include "window/main_window.h"
#include "window/rig_menus.h"
#include "window/rig_state_view.h"
#include "window/window_title_view.h"

namespace selvora {

class RigControl {
  public:
    // The saved settings, with the command line's choices for this run on top (those
    // are not saved). The rig's state goes into the title through `title`.
    RigControl(MainWindow& window, AppCore& core, WindowTitleView& title, QString settingsFile,
               const RigCommandLine& options = {});

    // After each tick: the tracked scheme's figures to the worker, its state to the window.
    void afterTick();

    void track(SkedScheme scheme);
    void stopTracking();
    void openSettings();

    std::optional<SkedScheme> tracked() const { return inUse_.track; }
    // The whole MHz of the figures on the rig, for the next tick: see noteRigEcho.
    std::span<const std::int64_t> echoBandsMHz() const { return echoBandsMHz_; }
    const RigSettings& settings() const { return inUse_.settings; }
    const TransverterOffsets& transverters() const { return inUse_.transverters; }
    RigMenus& menus() { return menus_; }

  private:
    void useRig();
    void showState();
    void noteRigEcho();

    MainWindow& window_;
    AppCore& core_;
    QString settingsFile_;
    SavedRig saved_;  // what the operator chose in the window, kept for next time
    SavedRig inUse_;  // the saved choices, or the command line's for this run
    RigWorker worker_;
    RigStateView view_;
    RigMenus menus_;
    std::vector<std::int64_t> echoBandsMHz_;
};

}  // namespace selvora
