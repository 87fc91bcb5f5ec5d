#include "services/DataFolder.h"

#include "services/FileBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace vkt {
namespace {

QString& chosenFolder()
{
    static QString folder;
    return folder;
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QStringList copyMissingFiles(const QString& shipped, const QString& folder)
{
    QStringList problems;
    const QDir from(shipped);
    const QDir to(folder);
    for (const QString& name : from.entryList(QDir::Files, QDir::Name)) {
        const QString target = to.filePath(name);
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        // QFile::copy writes a temporary file and renames it: a broken copy leaves no half file
        // that a later start would take for the user's own.
        QFile source(from.filePath(name));
        errno = 0;
        if (!source.copy(target)) {
            const QString reason = errno ? reasonText(errno) : unknownReason(source.errorString());
            problems << QStringLiteral("A(z) '%1' fájl nem másolható a(z) '%2' adatmappába: %3")
                            .arg(native(source.fileName()), native(folder), reason);
            continue;
        }
        // The installed copy may be read-only; the user's own copy is theirs to edit.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return problems;
}

} // namespace

QString makeFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("a név egy nem létező helyre mutató szimbolikus linké");
    if (info.exists() && !info.isDir())
        return QStringLiteral("a név már egy fájlé, nem mappáé");
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(folder).toStdString()), error);
    if (error)
        return reasonText(error.value());
    return {};
}

bool isWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

DataFolderPlaces programDataFolderPlaces(const QString& commandLineFolder)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    DataFolderPlaces places;
    places.commandLine = commandLineFolder;
    places.environment = qEnvironmentVariable("VKT_DATA_DIR");
    places.portable = programFolder + QStringLiteral("/Pic");
    places.user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Pic");
    places.shipped = QDir::cleanPath(programFolder + u'/' + QStringLiteral(VKT_SHIPPED_DATA_FROM_BIN));
    return places;
}

DataFolderChoice chooseDataFolder(const DataFolderPlaces& places, const FolderProbe& writable)
{
    if (!places.commandLine.isEmpty())
        return {DataFolderSource::CommandLine, places.commandLine};
    if (!places.environment.isEmpty())
        return {DataFolderSource::Environment, places.environment};
    if (writable(places.portable))
        return {DataFolderSource::Portable, places.portable};
    return {DataFolderSource::User, places.user};
}

QString prepareDataFolder(const DataFolderChoice& choice, const QString& shipped, const FolderProbe& writable)
{
    if (choice.source == DataFolderSource::Portable)
        return {};
    const bool existed = QFileInfo(choice.path).isDir();
    if (choice.path.isEmpty())
        return QStringLiteral("Nincs adatmappa: a felhasználó saját adatmappájának helye nem állapítható meg "
                              "(a HOME környezeti változó üres?). Adjon meg egyet a --data MAPPA kapcsolóval!");
    if (const QString reason = makeFolder(choice.path); !reason.isEmpty())
        return QStringLiteral("A(z) '%1' adatmappa nem hozható létre: %2. A program az adatfájlok nélkül "
                              "indul; más mappát a --data MAPPA kapcsolóval adhat meg.")
            .arg(native(choice.path), reason);
    if (!writable(choice.path))
        return QStringLiteral("A(z) '%1' adatmappa nem írható: nincs hozzá írási jog. A mentések és a számítások "
                              "naplója nem kerülhet bele; más mappát a --data MAPPA kapcsolóval adhat meg.")
            .arg(native(choice.path));
    if (!QFileInfo(shipped).isDir()) {
        // A folder that was there already holds its data (a build tree has no shipped copy).
        if (existed)
            return {};
        return QStringLiteral("A gyári adatfájlok mappája ('%1') nem található, ezért a(z) '%2' adatmappába "
                              "nem kerülhettek be a program fájljai.")
            .arg(native(shipped), native(choice.path));
    }
    const QStringList problems = copyMissingFiles(shipped, choice.path);
    return problems.join(u'\n');
}

QString startDataFolder(const QString& commandLineFolder)
{
    const DataFolderPlaces places = programDataFolderPlaces(commandLineFolder);
    const DataFolderChoice choice = chooseDataFolder(places);
    const QString problem = prepareDataFolder(choice, places.shipped);
    useDataFolder(choice.path);
    return problem;
}

void useDataFolder(const QString& folder)
{
    chosenFolder() = folder;
}

QString dataFolder()
{
    if (!chosenFolder().isEmpty())
        return chosenFolder();
    const QString overridden = qEnvironmentVariable("VKT_DATA_DIR");
    if (!overridden.isEmpty())
        return overridden;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Pic");
}

QString dataFile(const QString& name)
{
    return dataFolder() + u'/' + name;
}

} // namespace vkt
