// The context menu on each scheme's row (its caption and its Rx and Tx figures):
// tune the rig to this scheme, stop tuning it, rig settings.
#pragma once

#include <functional>
#include <optional>

#include <QObject>

#include "plan/sked_scheme.h"
#include "window/main_window.h"

class QPoint;

namespace selvora {

class RigMenus final : public QObject {
  public:
    struct Actions {
        std::function<std::optional<SkedScheme>()> tracked;
        std::function<void(SkedScheme)> track;
        std::function<void()> stop;
        std::function<void()> openSettings;
    };

    RigMenus(MainWindow& window, Actions actions);

  private:
    void showMenu(SkedScheme scheme, QWidget* on, const QPoint& at);

    Actions actions_;
};

}  // namespace selvora
