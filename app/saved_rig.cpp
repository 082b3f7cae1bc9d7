#include "app/saved_rig.h"

#include <QSettings>
#include <QStringList>

#include "app/settings_file.h"
#include "window/qt_text.h"

namespace selvora {

QString defaultRigSettingsFile() {
    return settingsFileNamed(QStringLiteral("rig.conf"));
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
    makeFolderOf(file);
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
