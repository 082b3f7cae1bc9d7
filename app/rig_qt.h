// Keeping the rig on a scheme, seen from the window: the context menu on each scheme's
// row, the rig settings dialog, the marked caption and the rig's state in the title.
// The rig itself is driven by a RigWorker on its own thread; after each tick this only
// posts the figures shown and reads the worker's state.
#pragma once

#include <future>
#include <memory>
#include <optional>
#include <vector>

#include <QObject>
#include <QString>

#include "app/rig_options_qt.h"
#include "app/selvora.h"
#include "app/window_title_qt.h"
#include "display/fields.h"
#include "plan/sked_scheme.h"
#include "rig/hamlib_rig.h"
#include "rig/rig_worker.h"
#include "window/main_window.h"

class QPoint;

namespace selvora {

// Where the rig settings and the tracked scheme are kept:
// $XDG_CONFIG_HOME/selvora/rig.conf (not doppler.ini, whose one-line form other tools read).
QString defaultRigSettingsFile();

class RigControl final : public QObject {
  public:
    // The rig's state goes into the title through `title`, after the window's caption.
    RigControl(MainWindow& window, Selvora& selvora, WindowTitle& title, QString settingsFile);
    // The rig stays where it is.
    ~RigControl() override;

    // The command line's choices, for this run; they are not saved.
    void apply(const RigCommandLine& options);

    // After each tick: the tracked scheme's figures to the worker, its state to the window.
    void afterTick();

    void track(SkedScheme scheme);
    void stopTracking();
    void openSettings();

    std::optional<SkedScheme> tracked() const { return tracked_; }
    const RigSettings& settings() const { return settings_; }
    // What the title says after the window's caption: "rig: CFOM".
    QString stateText() const;

  private:
    void load();
    void save() const;
    void restartWorker();
    void installMenus();
    void showMenu(SkedScheme scheme, QWidget* on, const QPoint& at);
    void showState();
    void markCaption(SkedScheme scheme, bool marked, const QString& toolTip = {});
    static QString stateText(std::optional<SkedScheme> tracked, const RigStatus& status);

    MainWindow& window_;
    Selvora& selvora_;
    WindowTitle& title_;
    QString settingsFile_;
    RigSettings settings_;  // in use: the saved ones, or the command line's for this run
    std::optional<SkedScheme> tracked_;
    RigSettings savedSettings_;  // what the operator chose in the window, kept for next time
    std::optional<SkedScheme> savedTrack_;
    bool markPending_ = true;  // the tracked caption still needs marking
    std::unique_ptr<RigWorker> worker_;
    // Workers let go while a rig call may still be in flight: they wind down off the
    // window's thread, so a hung rig cannot freeze the window.
    std::vector<std::future<void>> retiring_;
    QString shownState_;
};

}  // namespace selvora
