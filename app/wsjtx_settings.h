// The two locators WSJT-X already knows: the operator's own (MyGrid) and the DX
// station's last one (DXgrid), read from its settings file with a tiny ini reader.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/default_azel_path.h"

namespace selvora {

struct WsjtxStations {
    std::string myGrid;  // empty when the file has none
    std::string dxGrid;
};

// The value of `key` in `[section]` of an ini text as Qt's QSettings writes it (WSJT-X's
// format): names compared without regard to case, blanks around the value dropped, a
// quoted value unquoted. nullopt when the key is not there.
std::optional<std::string> iniValue(std::string_view text, std::string_view section,
                                    std::string_view key);

// MyGrid from [Configuration] and DXgrid from [MainWindow].
WsjtxStations wsjtxStations(std::string_view iniText);

// The locators in the newest WSJT-X settings file on this computer; empty when none.
WsjtxStations wsjtxStationsOnThisComputer(const AzelEnvironment& environment, Platform platform);

}  // namespace selvora
