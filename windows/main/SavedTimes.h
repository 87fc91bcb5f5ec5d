#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The three small files that carry the user's times from one run to the next. Each call opens,
// uses and closes its file; failures throw vkt::Failure naming the file.
namespace vkt::SavedTimes {

// The lines of "ujholdak.txt" in file order, without their line ends; nothing when it does not
// exist; throws when it exists but cannot be read.
std::optional<QStringList> loadNewMoonList();

// "ujhold.txt" then holds exactly text and CR LF.
void saveLastNewMoon(const QString& text);
// The value of "ujhold.txt", up to its first line end; nothing when the file does not exist.
std::optional<QString> loadLastNewMoon();

// "utolso.txt" then holds exactly text and CR LF.
void saveLastObservation(const QString& text);
// The value of "utolso.txt", up to its first line end; nothing when the file does not exist.
std::optional<QString> loadLastObservation();

} // namespace vkt::SavedTimes
