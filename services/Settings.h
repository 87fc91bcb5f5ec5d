#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace vkt {

// The user's settings: one INI file, VKT/vkt.ini in the user's configuration folder, where Qt
// keeps an INI file of organisation "VKT" and application "vkt". Opened by its path, so nothing
// but that one file is read.
QString settingsFilePath();
// Test seam: the configuration folder; empty puts back the user's own ($XDG_CONFIG_HOME, else
// ~/.config).
void setConfigurationFolder(const QString& folder);

// The settings with the group entered, or why they cannot be used (in Hungarian): something other
// than a regular file where the file should be (reading a FIFO would wait for ever), or a file that
// cannot be read or understood, which is then never written over.
struct OpenedSettings {
    std::unique_ptr<QSettings> settings;  // null when problem says why
    QString problem;
};
OpenedSettings openSettings(const QString& group);

// Writes what was set to the file: empty when it is there, else why not (in Hungarian).
QString saveSettings(QSettings& settings);

} // namespace vkt
