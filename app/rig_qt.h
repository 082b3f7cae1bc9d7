// Keeping the rig on a scheme, seen from the window. The rig itself is driven by one
// RigWorker on its own thread, started with the program; after each tick this posts
// the tracked scheme's figures to it, tells the poll which bands are the rig's own
// echo, and shows the worker's state. The saved settings, the menus and the state's
// display are each a part of their own.
#pragma once

#include <optional>

#include <QString>

#include "app/rig_menus_qt.h"
#include "app/rig_options_qt.h"
#include "app/rig_settings_store_qt.h"
#include "app/rig_state_view_qt.h"
#include "app/selvora.h"
#include "app/window_title_qt.h"
#include "rig/rig_worker.h"
#include "window/main_window.h"

namespace selvora {

class RigControl {
  public:
    // The saved settings, with the command line's choices for this run on top (those
    // are not saved). The rig's state goes into the title through `title`.
    RigControl(MainWindow& window, Selvora& selvora, WindowTitle& title, QString settingsFile,
               const RigCommandLine& options = {});

    // After each tick: the tracked scheme's figures to the worker, its state to the window.
    void afterTick();

    void track(SkedScheme scheme);
    void stopTracking();
    void openSettings();

    std::optional<SkedScheme> tracked() const { return inUse_.track; }
    const RigSettings& settings() const { return inUse_.settings; }
    const TransverterOffsets& transverters() const { return inUse_.transverters; }

  private:
    void useRig();
    void showState();
    void noteRigEcho();

    MainWindow& window_;
    Selvora& selvora_;
    QString settingsFile_;
    SavedRig saved_;  // what the operator chose in the window, kept for next time
    SavedRig inUse_;  // the saved choices, or the command line's for this run
    RigWorker worker_;
    RigStateView view_;
    RigMenus menus_;
};

}  // namespace selvora
