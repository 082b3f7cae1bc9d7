// The window's title: its caption, led by the stale warning while that shows, so an
// operator looking at WSJT-X sees it in the task bar too.
#pragma once

#include <string>
#include <string_view>

#include "display/fields.h"

namespace selvora {

inline constexpr std::string_view kStaleTitlePrefix = "AZEL IS NOT UPDATING \u2014 ";

// `base`, led by kStaleTitlePrefix while stale, followed by " — `suffix`" when
// there is one (such as the rig's state, "rig: …").
std::string windowTitle(std::string_view base, bool stale, std::string_view suffix = {});

}  // namespace selvora
