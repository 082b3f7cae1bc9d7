// What the Sked ahead window keeps between runs, in $XDG_CONFIG_HOME/selvora/
// sked_ahead.conf beside rig.conf. Not in doppler.ini: peers and older versions read
// its first line as the azel.dat path, and an older Selvora saving its path rewrites
// the whole file with that one line, which would lose anything kept after it.
#pragma once

#include <string>

#include <QString>

#include "app/wsjtx_settings.h"

namespace selvora {

struct SavedAhead {
    std::string myGrid;  // as the operator typed them; empty until then
    std::string dxGrid;
    double minElevationDeg = 0;
    friend bool operator==(const SavedAhead&, const SavedAhead&) = default;
};

QString defaultAheadSettingsFile();

// What is missing keeps its default (an unreadable elevation too).
SavedAhead loadSavedAhead(const QString& file);
void saveAhead(const QString& file, const SavedAhead& saved);

// The locators to start with: the ones the operator typed here before, else WSJT-X's.
WsjtxStations startingStations(const SavedAhead& saved, const WsjtxStations& wsjtx);

}  // namespace selvora
