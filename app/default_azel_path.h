// Where WSJT-X keeps azel.dat on this computer: the path the box starts with when
// no path has been saved in doppler.ini. And where it keeps its settings file.
#pragma once

#include <optional>
#include <string>

namespace selvora {

enum class Platform { Linux, Windows };

#ifdef _WIN32
inline constexpr Platform kThisPlatform = Platform::Windows;
#else
inline constexpr Platform kThisPlatform = Platform::Linux;
#endif

// The environment values the search depends on; empty when not set.
struct AzelEnvironment {
    std::string home;           // $HOME
    std::string xdgDataHome;    // $XDG_DATA_HOME
    std::string localAppData;   // %LOCALAPPDATA%
    std::string userProfile;    // %USERPROFILE%
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME
};

// A file WSJT-X writes: each of its instances (--rig-name=NAME) has its own. Its
// settings file "WSJT-X - NAME.ini" lies in the settings folder on Linux, in the
// instance's own folder there on Windows.
enum class WsjtxFile { Azel, Settings, SettingsInFolders };

// This process's environment (home from the account when $HOME is unset).
AzelEnvironment azelEnvironment();

// WSJT-X's data folder: $XDG_DATA_HOME (default ~/.local/share) on Linux,
// %LOCALAPPDATA% (default %USERPROFILE%/AppData/Local) on Windows.
std::string wsjtxDataFolder(const AzelEnvironment& environment, Platform platform);

// The azel.dat written most recently in the data folder's "WSJT-X" or
// "WSJT-X - NAME" folders (WSJT-X started with --rig-name=NAME); when there is
// none yet, the plain WSJT-X folder's azel.dat, where WSJT-X will write it.
std::string defaultAzelPath(const AzelEnvironment& environment, Platform platform);

// WSJT-X's settings folder: $XDG_CONFIG_HOME (default ~/.config) on Linux, the data
// folder (%LOCALAPPDATA%) on Windows.
std::string wsjtxConfigFolder(const AzelEnvironment& environment, Platform platform);

// The settings file written most recently there, "WSJT-X.ini" or "WSJT-X - NAME.ini",
// chosen as the azel.dat is; nullopt when there is none.
std::optional<std::string> newestWsjtxSettings(const AzelEnvironment& environment,
                                               Platform platform);

}  // namespace selvora
