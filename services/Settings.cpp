#include "services/Settings.h"

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <sys/stat.h>

namespace vkt {
namespace {

QString& configurationFolder()
{
    static QString folder;
    return folder;
}

// What stands at the path instead of a regular file, in words; empty for a regular file or none.
QString notARegularFile(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return {};
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("egy FIFO (névvel ellátott csővezeték)");
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("egy mappa");
    if (S_ISSOCK(info.st_mode))
        return QStringLiteral("egy socket");
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QStringLiteral("egy eszközfájl");
    return QStringLiteral("nem közönséges fájl");
}

} // namespace

QString settingsFilePath()
{
    const QString folder = configurationFolder().isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                               : configurationFolder();
    return folder + QStringLiteral("/VKT/vkt.ini");
}

void setConfigurationFolder(const QString& folder)
{
    configurationFolder() = folder;
}

OpenedSettings openSettings(const QString& group)
{
    const QString path = settingsFilePath();
    if (const QString found = notARegularFile(path); !found.isEmpty())
        return {nullptr, QStringLiteral("A beállítások fájlja (%1) helyén %2 van, nem közönséges fájl.")
                             .arg(QDir::toNativeSeparators(path), found)};
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    if (settings->status() != QSettings::NoError)
        return {nullptr, QStringLiteral("A beállítások fájlja (%1) nem olvasható.").arg(QDir::toNativeSeparators(path))};
    settings->beginGroup(group);
    return {std::move(settings), {}};
}

QString saveSettings(QSettings& settings)
{
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return {};
    return QStringLiteral("A beállítások fájlja (%1) nem írható.").arg(QDir::toNativeSeparators(settings.fileName()));
}

} // namespace vkt
