// The operator's home folder, and "~/" at the start of a typed path.
#pragma once

#include <string>
#include <string_view>

namespace selvora {

// An environment variable's value as UTF-8 text, as Selvora keeps paths (Windows
// would hand it over in the user's code page); empty when it is not set.
std::string environmentValue(const char* name);

// The home folder: $HOME (%USERPROFILE% on Windows), else the account's entry;
// empty when neither is known.
std::string homeFolder();

// `path` with a leading "~/" replaced by `home`; any other path, or an unknown
// home, unchanged. Only "~/" is meant: "~name/" and "~" alone stay as typed.
std::string expandHome(std::string_view path, std::string_view home);

}  // namespace selvora
