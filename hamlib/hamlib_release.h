// Which Hamlib the loaded library is, from its `hamlib_version` text ("Hamlib 4.5.5"),
// and whether it is a release this program has been tried with. Libraries of other
// releases share the file name (libhamlib.so.4, WSJT-X's libhamlib-4.dll) but not
// always the meaning of their result codes or the layout of their structures.
#pragma once

#include <optional>
#include <string_view>

namespace selvora {

struct HamlibRelease {
    int major = 0;
    int minor = 0;
    int patch = 0;
    friend bool operator==(const HamlibRelease&, const HamlibRelease&) = default;
};

// "Hamlib 4.6.2", "Hamlib 4.5", "Hamlib 4.6~git"; nullopt when it reads as no release.
std::optional<HamlibRelease> readHamlibRelease(std::string_view versionText);

// The releases tried: 4.5.x (Debian 12, the Windows build) and 4.6.x (Debian 13).
bool isTriedHamlibRelease(const HamlibRelease& release);

inline constexpr std::string_view kTriedHamlibReleases = "4.5 or 4.6";

}  // namespace selvora
