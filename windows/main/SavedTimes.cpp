#include "windows/main/SavedTimes.h"

#include "services/DataFiles.h"
#include "services/TextFiles.h"

#include <algorithm>

namespace vkt::SavedTimes {
namespace {

// The value is the file's first line: a line end read here never reaches a field, nor a file again.
std::optional<QString> loadValue(const QString& name)
{
    std::optional<QString> text = readAllTextIfExists(dataFile(name));
    if (text) {
        const auto end = std::find_if(text->cbegin(), text->cend(), [](QChar c) { return c == u'\r' || c == u'\n'; });
        text->truncate(end - text->cbegin());
    }
    return text;
}

} // namespace

std::optional<QStringList> loadNewMoonList()
{
    const std::optional<QString> text = readAllTextIfExists(dataFile(dataFiles::kNewMoons));
    if (!text)
        return std::nullopt;
    return splitLines(*text);
}

void saveLastNewMoon(const QString& text)
{
    writeText(dataFile(dataFiles::kLastNewMoon), text);
}

std::optional<QString> loadLastNewMoon()
{
    return loadValue(dataFiles::kLastNewMoon);
}

void saveLastObservation(const QString& text)
{
    writeText(dataFile(dataFiles::kLastObservation), text);
}

std::optional<QString> loadLastObservation()
{
    return loadValue(dataFiles::kLastObservation);
}

} // namespace vkt::SavedTimes
