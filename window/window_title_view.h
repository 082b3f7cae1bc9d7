// The window's title, and the one place that sets it: the caption, led by the warning
// while azel.dat is not updating and followed by the rig's and the antenna's states. An operator
// looking at WSJT-X sees it in the task bar; when the warning appears the window also asks the
// desktop once for attention (its task-bar entry flashes).
#pragma once

#include <functional>
#include <string>

#include <QWidget>

namespace selvora {

class WindowTitleView {
  public:
    // Asks for attention for `window`; QApplication::alert by default.
    using Alert = std::function<void(QWidget* window)>;

    explicit WindowTitleView(QWidget& window, Alert alert = {});

    // After each tick: whether "AZEL IS NOT UPDATING" shows now.
    void showStale(bool stale);
    // The rig's state ("rig: CFOM") and the antenna's ("antenna: moon 123.4° 45.6°")
    // follow the caption in that order; empty for none.
    void setRigState(std::string state);
    void setAntennaState(std::string state);
    void setAlert(Alert alert) { alert_ = std::move(alert); }

  private:
    void applyTitle();

    QWidget& window_;
    Alert alert_;
    bool stale_ = false;
    std::string rigState_;
    std::string antennaState_;
};

}  // namespace selvora
