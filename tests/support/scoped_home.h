// Makes a folder the operator's home for one test, through the variables this system
// reads: $HOME on Linux, with WSJT-X's data in ~/.local/share ($XDG_DATA_HOME unset);
// %USERPROFILE% on Windows, with WSJT-X's data in its AppData\Local (%LOCALAPPDATA%).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/default_azel_path.h"
#include "support/scoped_environment.h"

namespace selvora::testing {

// Where WSJT-X keeps its folders for the operator whose home is `home`.
inline std::filesystem::path wsjtxDataFolderOf(const std::filesystem::path& home) {
    if (kThisPlatform == Platform::Windows) return home / "AppData" / "Local";
    return home / ".local" / "share";
}

// A path as UTF-8 text, the way Selvora keeps paths (string() would give the user's
// code page on Windows).
inline std::string pathText(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

inline void useAsHome(ScopedEnvironment& environment, const std::filesystem::path& home) {
    if (kThisPlatform == Platform::Windows) {
        environment.set("USERPROFILE", pathText(home));
        environment.set("LOCALAPPDATA", pathText(wsjtxDataFolderOf(home)));
    } else {
        environment.set("HOME", pathText(home));
        environment.set("XDG_DATA_HOME", std::nullopt);
    }
}

// A path as the box shows a found one: "/" between the names, also on Windows.
inline std::string shownPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.generic_u8string();
    return std::string(utf8.begin(), utf8.end());
}

}  // namespace selvora::testing
