// What the window shows of the rig: its state in the title, after the caption, and
// the tracked scheme's row label in bold, announced as tracked, with why the rig is
// not following as its tool tip.
#pragma once

#include <optional>
#include <string>

#include "app/window_title_qt.h"
#include "plan/sked_scheme.h"
#include "rig/rig_tracker.h"
#include "window/main_window.h"

namespace selvora {

class RigStateView {
  public:
    RigStateView(MainWindow& window, WindowTitle& title);

    void show(std::optional<SkedScheme> tracked, const RigStatus& status);

  private:
    void markCaption(SkedScheme scheme, bool marked, const std::string& whyNot = {});

    MainWindow& window_;
    WindowTitle& title_;
    std::optional<SkedScheme> marked_;
    std::string shownState_;
    std::string shownWhyNot_;
};

}  // namespace selvora
