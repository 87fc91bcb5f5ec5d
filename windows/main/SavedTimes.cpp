#include "SavedTimes.h"

#include "TextFiles.h"

namespace vkt::SavedTimes {
namespace {

std::optional<QString> loadWhole(const QString& name)
{
    const QString path = dataFile(name);
    if (!fileExists(path))
        return std::nullopt;
    return readAllText(path);
}

} // namespace

QStringList loadNewMoonList()
{
    return readLines(dataFile(QStringLiteral("ujholdak.txt")));
}

void saveLastNewMoon(const QString& text)
{
    writeText(dataFile(QStringLiteral("ujhold.txt")), text);
}

std::optional<QString> loadLastNewMoon()
{
    return loadWhole(QStringLiteral("ujhold.txt"));
}

void saveLastObservation(const QString& text)
{
    writeText(dataFile(QStringLiteral("utolso.txt")), text);
}

std::optional<QString> loadLastObservation()
{
    return loadWhole(QStringLiteral("utolso.txt"));
}

} // namespace vkt::SavedTimes
