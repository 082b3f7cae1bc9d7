// What the window shows of the rig: its state in the title, after the caption, and
// the tracked scheme's row label in bold, announced as tracked, with why the rig is
// not following as its tool tip.
#pragma once

#include <optional>
#include <string>

#include "plan/sked_scheme.h"
#include "rig/rig_tracker.h"
#include "window/main_window.h"
#include "window/window_title_view.h"

namespace selvora {

class RigStateView {
  public:
    // The caption's font, accessible name and tool tip go through the fields, and the
    // window shows them.
    RigStateView(MainWindow& window, Fields& fields, WindowTitleView& title);

    void show(std::optional<SkedScheme> tracked, const RigStatus& status);

  private:
    void markCaption(SkedScheme scheme, bool marked, const std::string& whyNot = {});

    MainWindow& window_;
    Fields& fields_;
    WindowTitleView& title_;
    std::optional<SkedScheme> marked_;
    std::string shownState_;
    std::string shownWhyNot_;
};

}  // namespace selvora
