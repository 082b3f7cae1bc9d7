// Reaching an operator who is looking at WSJT-X when azel.dat stops changing: the
// window's title leads with the warning and the window asks the desktop once for
// attention (its task-bar entry flashes). Both end with the next fresh read.
#pragma once

#include <functional>
#include <string>

#include <QWidget>

namespace selvora {

class StaleAlert {
  public:
    // Asks for attention for `window`; QApplication::alert by default.
    using Alert = std::function<void(QWidget* window)>;

    explicit StaleAlert(QWidget& window, Alert alert = {});

    // After each tick: whether the stale warning shows now.
    void show(bool stale);
    // Text after the caption, such as the rig's state; empty for none.
    void setTitleSuffix(std::string suffix);
    void setAlert(Alert alert) { alert_ = std::move(alert); }

  private:
    void applyTitle();

    QWidget& window_;
    Alert alert_;
    bool stale_ = false;
    std::string suffix_;
};

}  // namespace selvora
