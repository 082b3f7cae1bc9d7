#include "app/saved_rotator.h"

#include <algorithm>

#include <QSettings>

#include "app/settings_file.h"
#include "common/numbers.h"
#include "window/qt_text.h"

namespace selvora {

namespace {

// A value kept as the operator would type it, read back by the same rule as the
// dialog's box: nothing when it is missing or does not read.
template <typename T, typename Read>
std::optional<T> stored(const QSettings& settings, const char* key, Read read) {
    const QString text = settings.value(key).toString();
    if (text.isEmpty()) return std::nullopt;
    return read(text.toStdString()).value;
}

QString degreesText(std::optional<double> degrees) {
    return degrees ? QString::fromStdString(numberText(*degrees)) : QString();
}

}  // namespace

QString defaultRotatorSettingsFile() {
    return settingsFileNamed(QStringLiteral("rotator.conf"));
}

SavedRotator loadSavedRotator(const QString& file) {
    const QSettings settings(file, QSettings::IniFormat);
    SavedRotator rotator;
    rotator.settings.model = std::max(0, settings.value("rotator/model", 0).toInt());
    rotator.settings.port = settings.value("rotator/port").toString().toStdString();
    rotator.settings.serialSpeed = std::max(0, settings.value("rotator/speed", 0).toInt());
    rotator.point = stored<PointAt>(settings, "rotator/point", readPointAt);
    MovePolicy& policy = rotator.policy;
    policy.toleranceDeg = stored<double>(settings, "rotator/tolerance", readToleranceDeg)
                              .value_or(policy.toleranceDeg);
    policy.moveSeconds = stored<MoveSeconds>(settings, "rotator/move_seconds", readMoveSeconds);
    policy.minElevationDeg = stored<double>(settings, "rotator/min_elevation", readMinElevationDeg)
                                 .value_or(policy.minElevationDeg);
    policy.minAzimuthDeg = stored<double>(settings, "rotator/min_azimuth", readAzimuthLimitDeg);
    policy.maxAzimuthDeg = stored<double>(settings, "rotator/max_azimuth", readAzimuthLimitDeg);
    return rotator;
}

void saveRotator(const QString& file, const SavedRotator& rotator) {
    makeFolderOf(file);
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue("rotator/model", rotator.settings.model);
    settings.setValue("rotator/port", QString::fromStdString(rotator.settings.port));
    settings.setValue("rotator/speed", rotator.settings.serialSpeed);
    settings.setValue("rotator/point",
                      rotator.point ? qText(pointAtName(*rotator.point)) : QString());
    const MovePolicy& policy = rotator.policy;
    settings.setValue("rotator/tolerance", degreesText(policy.toleranceDeg));
    settings.setValue("rotator/move_seconds",
                      policy.moveSeconds
                          ? QString::fromStdString(moveSecondsText(*policy.moveSeconds))
                          : QString());
    settings.setValue("rotator/min_elevation", degreesText(policy.minElevationDeg));
    settings.setValue("rotator/min_azimuth", degreesText(policy.minAzimuthDeg));
    settings.setValue("rotator/max_azimuth", degreesText(policy.maxAzimuthDeg));
}

}  // namespace selvora
