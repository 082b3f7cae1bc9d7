// The operator's home folder, and "~/" at the start of a typed path.
#pragma once

#include <string>
#include <string_view>

namespace selvora {

// The home folder: $HOME (%USERPROFILE% on Windows), else the account's entry;
// empty when neither is known.
std::string homeFolder();

// `path` with a leading "~/" replaced by `home`; any other path, or an unknown
// home, unchanged. Only "~/" is meant: "~name/" and "~" alone stay as typed.
std::string expandHome(std::string_view path, std::string_view home);

}  // namespace selvora
