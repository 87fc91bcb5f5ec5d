#pragma once

#include "astro/Place.h"
#include "astro/YearAhead.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace vkt::presentation {

struct CalendarOptions {
    bool alarm = true;  // a reminder an hour before each event
};

// What the calendar holds, in time order: for each new moon its last morning by either criterion
// and its first evening, those that exist.
std::vector<astro::CrescentEvening> calendarCrescents(const std::vector<astro::NewMoonOutlook>& outlooks);

// An iCalendar file (RFC 5545, UTF-8, made by libical) of those crescents, one event each: an
// evening from sunset to moonset, a morning from moonrise to sunrise, times in UTC to the minute,
// so any calendar shows them in its own zone. Summary and description in Hungarian, with the
// place's civil times and zone named. An event's UID comes from the place's name and coordinates, its civil date and evening or morning,
// so a second export of the same evenings updates a calendar rather than doubling them.
QByteArray crescentCalendar(const std::vector<astro::NewMoonOutlook>& outlooks, const astro::Place& place,
                            const CalendarOptions& options = {});

// The same written to path through the checked whole-file write. Throws vkt::Failure.
void writeCrescentCalendar(const QString& path, const std::vector<astro::NewMoonOutlook>& outlooks,
                           const astro::Place& place, const CalendarOptions& options = {});

} // namespace vkt::presentation
