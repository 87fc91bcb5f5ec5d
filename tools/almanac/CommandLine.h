#pragma once

#include "astro/Ephemeris.h"
#include "presentation/Places.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace vkt::almanac {

// The tool is a thin layer over the astronomy library and speaks its terms.
using namespace vkt::astro;

enum ExitCode { Success = 0, Failed = 1, BadArguments = 2 };

struct Options {
    int fromYear = 0;
    int toYear = 0;
    QString folder;
    QString calendarFile;  // --ical: only this iCalendar file is written, no folder
    bool noAlarm = false;  // --no-alarm: the calendar's events without their reminder
    // --sightings: the exchange CSV whose records are computed and written out as the export;
    // `folder` (--out) then names the export's file, and no years are needed.
    QString sightingsFile;
    Place place = presentation::budapest();
    bool zoneGiven = false;  // --tz was given
    bool force = false;
    bool help = false;
    bool version = false;
};

struct ParsedArguments {
    std::optional<Options> options;
    QString error;  // Hungarian, when options is empty
};

// The arguments after the program's name. Never exits the process.
ParsedArguments parseArguments(const QStringList& arguments);
// A warning for the user (empty when none): a place outside Hungary keeps Hungarian time
// unless --tz says otherwise.
QString zoneWarning(const Options& options);
QString helpText();

// The whole tool: messages go to out and err, a progress line to err when showProgress.
int runAlmanac(const QStringList& arguments, QTextStream& out, QTextStream& err, bool showProgress);

} // namespace vkt::almanac
