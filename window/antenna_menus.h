// The antenna's menu entries: point it at the moon or the sun, stop it, park it,
// antenna settings. They make the context menu of the moon's azimuth and elevation,
// and follow the rig's entries on each scheme's row.
#pragma once

#include <functional>
#include <optional>

#include <QObject>

#include "rotator/rotator_settings.h"
#include "window/main_window.h"

class QMenu;
class QPoint;

namespace selvora {

class AntennaMenus final : public QObject {
  public:
    struct Actions {
        std::function<std::optional<PointAt>()> pointing;
        std::function<void(PointAt)> point;
        std::function<void()> stop;
        std::function<void()> park;
        std::function<void()> openSettings;
    };

    AntennaMenus(MainWindow& window, Actions actions);

    // The entries, appended to `menu`; each acts when chosen.
    void addEntries(QMenu& menu);

  private:
    void showMenu(QWidget* on, const QPoint& at);

    Actions actions_;
};

}  // namespace selvora
