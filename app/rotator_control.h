// Keeping the antenna on the moon or the sun, seen from the window. The rotator itself
// is driven by one RotatorWorker on its own thread, beside the rig's and independent of
// it; after each tick this posts where the antenna should point and shows the worker's
// state in the window's title. The saved settings, the menus and the dialog are each a
// part of their own.
#pragma once

#include <optional>
#include <string>

#include <QString>

#include "app/app_core.h"
#include "app/rotator_command_line.h"
#include "app/saved_rotator.h"
#include "rotator/rotator_worker.h"
#include "window/antenna_menus.h"
#include "window/main_window.h"
#include "window/window_title_view.h"

namespace selvora {

class RotatorControl {
  public:
    // The saved settings, with the command line's choices for this run on top (those
    // are not saved).
    RotatorControl(MainWindow& window, AppCore& core, WindowTitleView& title, QString settingsFile,
                   const RotatorCommandLine& options = {});

    // After each tick: where the antenna should point to the worker, its state to the title.
    void afterTick();

    void point(PointAt body);
    // rot_stop, and the antenna is no longer kept on anything.
    void stopAntenna();
    // rot_park, and as stopAntenna().
    void park();
    void openSettings();

    std::optional<PointAt> pointing() const { return inUse_.point; }
    const SavedRotator& inUse() const { return inUse_; }
    AntennaMenus& menus() { return menus_; }
    const RotatorWorker& worker() const { return worker_; }

  private:
    void useRotator();
    void stopPointing();
    void showState();

    MainWindow& window_;
    AppCore& core_;
    WindowTitleView& title_;
    QString settingsFile_;
    SavedRotator saved_;  // what the operator chose in the window, kept for next time
    SavedRotator inUse_;  // the saved choices, or the command line's for this run
    RotatorWorker worker_;
    AntennaMenus menus_;
    bool connected_ = false;  // the worker has been given this rotator
    std::string shownState_;
};

}  // namespace selvora
