#include "app/saved_rig.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include "window/qt_text.h"

namespace selvora {

QString defaultRigSettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/selvora/rig.conf");
}

SavedRig loadSavedRig(const QString& file) {
    const QSettings stored(file, QSettings::IniFormat);
    SavedRig rig;
    rig.settings.model = stored.value("rig/model", rig.settings.model).toInt();
    rig.settings.port = stored.value("rig/port").toString().toStdString();
    rig.settings.serialSpeed = stored.value("rig/speed", 0).toInt();
    rig.track = schemeNamed(stored.value("rig/track").toString().toStdString());
    for (const QString& text : stored.value("rig/transverters").toStringList())
        if (const auto offset = readTransverter(text.toStdString()).offset)
            addTransverter(rig.transverters, *offset);
    return rig;
}

void saveRig(const QString& file, const SavedRig& rig) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSettings stored(file, QSettings::IniFormat);
    stored.setValue("rig/model", rig.settings.model);
    stored.setValue("rig/port", QString::fromStdString(rig.settings.port));
    stored.setValue("rig/speed", rig.settings.serialSpeed);
    stored.setValue("rig/track", rig.track ? qText(schemeInfo(*rig.track).name) : QString());
    QStringList transverters;
    for (const TransverterOffset& offset : rig.transverters)
        transverters << QString::fromStdString(transverterText(offset));
    stored.setValue("rig/transverters", transverters);
}

}  // namespace selvora
