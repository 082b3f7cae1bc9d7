// The context menu on each scheme's row (its caption and its Rx and Tx figures):
// tune the rig to this scheme, stop tuning it, rig settings; then any entries another
// device adds (the antenna's).
#pragma once

#include <functional>
#include <optional>

#include <QObject>

#include "plan/sked_scheme.h"
#include "window/main_window.h"

class QMenu;
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

    // Appends more entries to each menu, after the rig's; each acts when chosen.
    void setMoreEntries(std::function<void(QMenu&)> add) { moreEntries_ = std::move(add); }

  private:
    void showMenu(SkedScheme scheme, QWidget* on, const QPoint& at);

    Actions actions_;
    std::function<void(QMenu&)> moreEntries_;
};

}  // namespace selvora
