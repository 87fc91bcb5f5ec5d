#pragma once

#include "tools/almanac/CommandLine.h"

#include <QDir>
#include <QString>

namespace vkt::almanac {

// What stands in the way of writing all six files, checked before any is written, so a run
// never leaves some new and some old: without --force any of them there (a dangling link too),
// with it any that cannot be replaced. Empty when nothing does.
QString targetProblem(const Options& options, const QDir& folder);

// What stands in the way of writing the calendar file: without --force the file there (a
// dangling link too), with it one that cannot be replaced. Empty when nothing does.
QString calendarProblem(const Options& options);

} // namespace vkt::almanac
