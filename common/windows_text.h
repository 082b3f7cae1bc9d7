// Text at the Windows API: paths are UTF-8 everywhere in Selvora (Qt hands the box's
// text over as UTF-8) and UTF-16 only at the calls, whatever the user's code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace selvora {

// The path as UTF-16; nothing when it is not UTF-8 or holds a NUL character.
std::optional<std::wstring> widePath(std::string_view utf8);

// UTF-16 from Windows as UTF-8.
std::string utf8Text(std::wstring_view wide);

// Windows' own words for an error code (GetLastError), without the full stop and line end.
std::string windowsErrorText(unsigned long code);

}  // namespace selvora
