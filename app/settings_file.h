// Selvora's own settings files (rig.conf, sked_ahead.conf) live together in
// $XDG_CONFIG_HOME/selvora on Linux and %LOCALAPPDATA%/selvora on Windows.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

namespace selvora {

inline QString settingsFileNamed(const QString& name) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/selvora/") + name;
}

// QSettings does not make the folder of a file it writes.
inline void makeFolderOf(const QString& file) {
    QDir().mkpath(QFileInfo(file).absolutePath());
}

}  // namespace selvora
