#pragma once

#include "core/Phase.h"
#include "services/DateTime.h"

#include <QStringList>
#include <cstdint>
#include <vector>

namespace vkt {

// Which button ran the computation: "Utolsó Megfigyelés" or "Most!".
enum class CrescentPath { LastObservation, Now };

struct CrescentResult {
    DateTime NewMoon = 0;
    DateTime Observation = 0;
    double SignedDays = 0;
    std::int32_t TotalMinutes = 0;  // never negative
    std::int32_t TotalHours = 0;
    std::int32_t MinuteOfHour = 0;
    double DayFraction = 0;  // whole hours / 24: the minutes of the hour do not count
    std::int32_t Days = 0;
    std::int32_t HourOfDay = 0;
    double PhaseAge = 0;
    QString PhaseName;
    QString PictureFile;
    double Illumination = 0;
};

// Throws MinuteRangeFailure when the two times are too far apart for a 32-bit minute count.
CrescentResult CalculateCrescentAge(DateTime newMoon, DateTime observation, IlluminationFactor factor);

// The age in the main window's three forms: "23 óra 5 perc", "0 nap  23 óra 5 perc", "0,96 nap".
QString HoursAndMinutesText(const CrescentResult& r);
QString DaysHoursAndMinutesText(const CrescentResult& r);
QString DecimalDaysText(const CrescentResult& r);

struct ResultLine {
    int x;  // twips from the client area's left edge
    int y;  // twips, top of the line
    QString text;
};

// Five lines on the "Utolsó Megfigyelés" path, six on the "Most!" path (the clock's time of day
// stands apart); clockNow is read only on the "Most!" path.
std::vector<ResultLine> BuildResultLines(const CrescentResult& r, CrescentPath path, DateTime clockNow = 0);

// The seven lines of one record of the computation log.
QStringList BuildLogRecord(const CrescentResult& r, CrescentPath path, DateTime clockNow = 0);

} // namespace vkt
