#include "app/saved_ahead.h"

#include <cmath>

#include <QSettings>

#include "app/settings_file.h"

namespace selvora {

QString defaultAheadSettingsFile() {
    return settingsFileNamed(QStringLiteral("sked_ahead.conf"));
}

SavedAhead loadSavedAhead(const QString& file) {
    const QSettings stored(file, QSettings::IniFormat);
    SavedAhead saved;
    saved.myGrid = stored.value("stations/my_grid").toString().toStdString();
    saved.dxGrid = stored.value("stations/dx_grid").toString().toStdString();
    bool read = false;
    const double elevation = stored.value("ahead/min_elevation").toDouble(&read);
    if (read && std::isfinite(elevation) && std::abs(elevation) <= 90)
        saved.minElevationDeg = elevation;
    return saved;
}

void saveAhead(const QString& file, const SavedAhead& saved) {
    makeFolderOf(file);
    QSettings stored(file, QSettings::IniFormat);
    stored.setValue("stations/my_grid", QString::fromStdString(saved.myGrid));
    stored.setValue("stations/dx_grid", QString::fromStdString(saved.dxGrid));
    stored.setValue("ahead/min_elevation", saved.minElevationDeg);
}

WsjtxStations startingStations(const SavedAhead& saved, const WsjtxStations& wsjtx) {
    return {saved.myGrid.empty() ? wsjtx.myGrid : saved.myGrid,
            saved.dxGrid.empty() ? wsjtx.dxGrid : saved.dxGrid};
}

}  // namespace selvora
